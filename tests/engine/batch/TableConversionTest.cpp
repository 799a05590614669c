// Tables through the command line over string streams: the table comes
// back row for row with the results appended, a failing row keeps its
// place, and the output's format follows the options and the delimiter.
#include "BatchCommand.h"
#include "BatchConversion.h"
#include "ShippedDataDirectory.h"
#include "CountText.h"
#include "TableConversion.h"
#include "TableReader.h"
#include "TableSetup.h"
#include "TemporaryDirectory.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zelv {
namespace {

struct Finished {
    int status;
    std::string out;
    std::string err;
};

class TableConversion : public ::testing::Test {
protected:
    std::string data() const { return data_.path(); }

    Finished run(std::vector<std::string> arguments, const std::string& input)
    {
        arguments.insert(arguments.begin(), "--convert");
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        const int status = runBatchCommand(arguments, data_.path(), in, out, err);
        return {status, out.str(), err.str()};
    }

private:
    test_support::ShippedDataDirectory data_;
};

const std::string berlin = "52.520000,13.405000,33,391779,5820072,liegt bei 52.52000°N 13.40500°O;,3446/3,Berlin";
const std::string berlinGerman =
    "52,520000;13,405000;33;391779;5820072;\"liegt bei 52.52000°N 13.40500°O;\";3446/3;Berlin";

TEST_F(TableConversion, AFailingRowInTheMiddleKeepsEveryRowInPlace)
{
    const Finished done = run({"--column=Koordinaten", "--csv"},
                         "Ort,Koordinaten,Kreis\r\n"
                         "Berlin,\"52.52 N, 13.405 E\",Berlin\r\n"
                         "Nirgendwo,unbekannt,\r\n"
                         "Ohne,,Kreis\r\n"
                         "Berlin2,\"52.52 N, 13.405 E\"\r\n");
    EXPECT_EQ(done.status, batchLineFailed);
    const std::vector<TableRow> rows = readTableRows(done.out, ',');
    ASSERT_EQ(rows.size(), 5u) << done.out;
    const std::vector<TableRow> results =
        readTableRows(tableResultHeader(BatchFormat::Csv, TmDatum::Etrs89Beta2007) + '\n' + berlin + ",\n", ',');
    const std::size_t width = results.front().size();
    const auto resultsOf = [&](const TableRow& row) { return TableRow(row.end() - width, row.end()); };
    EXPECT_EQ(TableRow(rows[0].begin(), rows[0].begin() + 3), (TableRow{"Ort", "Koordinaten", "Kreis"}));
    EXPECT_EQ(resultsOf(rows[0]), results[0]);
    EXPECT_EQ(resultsOf(rows[1]), results[1]);
    EXPECT_EQ(resultsOf(rows[4]), results[1]);
    EXPECT_EQ(TableRow(rows[2].begin(), rows[2].begin() + 3), (TableRow{"Nirgendwo", "unbekannt", ""}));
    // A failed row's results are empty; its note says why, as its message does.
    TableRow failed(width, "");
    failed.back() = "keine lesbaren Koordinaten in dieser Zeile";
    EXPECT_EQ(resultsOf(rows[2]), failed);
    failed.back() = "keine Koordinaten in dieser Zeile";
    EXPECT_EQ(resultsOf(rows[3]), failed);
    // The short last row is filled up, so its results stand in the same columns.
    EXPECT_EQ(rows[4].size(), 3 + width);
    EXPECT_EQ(done.err, "zelv-derarar: (Standardeingabe): gelesen als UTF-8\n"
                        "(Standardeingabe): Zeile 3: „unbekannt“: keine lesbaren Koordinaten in dieser Zeile\n"
                        // No coordinate text to quote: the row's cells instead.
                        "(Standardeingabe): Zeile 4: „Ohne;;Kreis“: keine Koordinaten in dieser Zeile\n");
}

TEST_F(TableConversion, SemicolonsGiveTheGermanTableAndWindows1252IsRead)
{
    const std::string input = toWindows1252("Ort;Koordinaten\nMünchen;52.52 N, 13.405 E\n");
    const Finished done = run({"--spalte=2"}, input);
    EXPECT_EQ(done.status, batchConverted) << done.err;
    EXPECT_EQ(done.out, std::string(utf8ByteOrderMark) + "Ort;Koordinaten;"
                            + "Breite (WGS 84);Länge (WGS 84);UTM-Zone;UTM-Rechtswert;UTM-Hochwert;Ortsangabe;TK25;"
                              "TK25-Name;Hinweis\n"
                            + "München;52.52 N, 13.405 E;" + berlinGerman + ";\n");
    EXPECT_EQ(done.err, "zelv-derarar: (Standardeingabe): gelesen als Windows-1252\n");

    // Asked for, the plain table comes from the same input; commas in cells are quoted.
    const Finished plain = run({"--column=2", "--csv"}, input);
    EXPECT_EQ(plain.out,
              "Ort,Koordinaten," + std::string(csvHeader) + ",note\nMünchen,\"52.52 N, 13.405 E\"," + berlin + ",\n");
}

TEST_F(TableConversion, TwoColumnsAreReadAsOneText)
{
    const Finished degrees = run({"--column=Breite,Länge", "--csv"}, "Ort\tBreite\tLänge\nBerlin\t52,52\t13,405\n");
    EXPECT_EQ(degrees.status, batchConverted) << degrees.err;
    EXPECT_EQ(degrees.out,
              "Ort,Breite,Länge," + std::string(csvHeader) + ",note\nBerlin,\"52,52\",\"13,405\"," + berlin + ",\n");

    const Finished grid = run({"--column=R,H", "--csv"}, "R;H\n4412345;5598765\n");
    EXPECT_EQ(grid.status, batchConverted) << grid.err;
    const std::vector<TableRow> rows = readTableRows(grid.out, ',');
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], "4412345");
    EXPECT_NE(rows[1][2], ""); // a latitude
}

TEST_F(TableConversion, MapFilesHoldOnePlaceForEachConvertedRow)
{
    const std::string input = "Ort;Koordinaten\nBerlin & Cölln <Mitte>;52.52 N, 13.405 E\nX;nichts\n;200 Ost, 52 Nord\n";
    const Finished kml = run({"--column=Koordinaten", "--name=Ort", "--kml"}, input);
    EXPECT_EQ(kml.status, batchLineFailed);
    EXPECT_NE(kml.out.find("<kml xmlns=\"http://www.opengis.net/kml/2.2\">"), std::string::npos) << kml.out;
    EXPECT_NE(kml.out.find("<name>Berlin &amp; Cölln &lt;Mitte&gt;</name>"), std::string::npos) << kml.out;
    EXPECT_NE(kml.out.find("<coordinates>13.405000,52.520000</coordinates>"), std::string::npos);
    EXPECT_NE(kml.out.find("<description>liegt bei 52.52000°N 13.40500°O; Messtischblatt (TK25) 3446/3 Berlin</description>"),
              std::string::npos);
    // No name in its cell: the row number; a longitude beyond 180° comes back into range.
    EXPECT_NE(kml.out.find("<name>4</name>"), std::string::npos);
    EXPECT_NE(kml.out.find("<coordinates>-160.000000,52.000000</coordinates>"), std::string::npos) << kml.out;
    EXPECT_EQ(kml.out.find("nichts"), std::string::npos);

    const Finished gpx = run({"--column=Koordinaten", "--name=Ort", "--gpx"}, input);
    EXPECT_NE(gpx.out.find("<wpt lat=\"52.520000\" lon=\"13.405000\">"), std::string::npos) << gpx.out;
    EXPECT_NE(gpx.out.find("<desc>liegt bei 52.52000°N 13.40500°O; Messtischblatt (TK25) 3446/3 Berlin</desc>"),
              std::string::npos);
}

TEST_F(TableConversion, UsageErrorsWriteNothing)
{
    const Finished missing = run({"--column=Lage"}, "Ort;Koordinaten\nBerlin;52.52 13.405\n");
    EXPECT_EQ(missing.status, batchUsageError);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("(Standardeingabe): keine Spalte „Lage“ in der Kopfzeile"), std::string::npos);

    EXPECT_EQ(run({"--kml"}, "52 13\n").status, batchUsageError);
    EXPECT_EQ(run({"--name=Ort"}, "52 13\n").status, batchUsageError);
}

// Villages of Kreis Lyck and its neighbours as their pages give them.
const std::vector<std::string> lyckVillages = {
    "Lyck;53°49′41″ N, 22°21′53″ O",  "Prostken;53.6983, 22.4344",      "Stradaunen;53.8619 N 22.2314 E",
    "Baitkowen;53,8000 22,3000",      "Kalinowen;53°52′53″ N, 22°38′38″ O", "Grabnick;53.8397, 22.2178",
    "Borszymmen;53.7975 22.5367",     "Ostrokollen;53.7200, 22.3500",  "Sybba;53.8300, 22.4100",
    "Neuendorf;53.8720, 22.4360",
};

std::string villageList(const std::vector<std::string>& extra)
{
    std::string list = "Ort;Koordinaten\n";
    for (const std::string& row : lyckVillages)
        list += row + '\n';
    for (const std::string& row : extra)
        list += row + '\n';
    return list;
}

// The note column of each row but the header, by the place's name.
std::map<std::string, std::string> notesOf(const std::string& germanTable)
{
    std::map<std::string, std::string> notes;
    const std::vector<TableRow> rows = readTableRows(germanTable, ';');
    for (std::size_t i = 1; i < rows.size(); ++i)
        notes[rows[i].front()] = rows[i].back();
    return notes;
}

TEST_F(TableConversion, NotesEveryFailedOrDoubtfulRowAndNoneOnATightList)
{
    const Finished tight = run({"--column=Koordinaten", "--csv=de"}, villageList({}));
    EXPECT_EQ(tight.status, batchConverted) << tight.err;
    for (const auto& [place, note] : notesOf(tight.out))
        EXPECT_EQ(note, "") << place;
    EXPECT_EQ(tight.err, "zelv-derarar: (Standardeingabe): gelesen als UTF-8\n");

    const Finished doubtful = run({"--column=Koordinaten", "--csv=de"},
                                  villageList({
                                      "Nirgendwo;unbekannt",
                                      // Excel's ANSI save: ′ and ″ became "?".
                                      "Ansi;53°46?42? N, 20°28?45? O",
                                      "Vertauscht;22.3647, 53.8280",
                                      "Ohne Vorzeichen;53.8280, -22.3647",
                                      // Lyck in Gauß-Krüger with the zone digit 6 for 7.
                                      "Streifen;R 6589846 H 5967019",
                                  }));
    EXPECT_EQ(doubtful.status, batchLineFailed);
    const std::map<std::string, std::string> notes = notesOf(doubtful.out);
    EXPECT_EQ(notes.at("Lyck"), "");
    EXPECT_EQ(notes.at("Nirgendwo"), "keine lesbaren Koordinaten in dieser Zeile");
    EXPECT_EQ(notes.at("Ansi"), lostMarksNote("46?"));
    EXPECT_NE(lostMarksNote("46?").find("„CSV UTF-8“"), std::string::npos);
    EXPECT_TRUE(notes.at("Vertauscht").ends_with("km abseits der übrigen Orte: Breite und Länge vertauscht?"))
        << notes.at("Vertauscht");
    EXPECT_TRUE(notes.at("Ohne Vorzeichen")
                    .ends_with("km abseits der übrigen Orte: Vorzeichen oder Himmelsrichtung (N/S, O/W) verloren?"))
        << notes.at("Ohne Vorzeichen");
    EXPECT_TRUE(notes.at("Streifen")
                    .ends_with("km abseits der übrigen Orte: Gauß-Krüger-Streifen 6, die übrigen Orte liegen im "
                               "Streifen 7 – erste Ziffer des Rechtswerts prüfen"))
        << notes.at("Streifen");
    // The far rows keep their positions; the messages list the same rows.
    const std::vector<TableRow> rows = readTableRows(doubtful.out, ';');
    EXPECT_EQ(rows[13][2], "22,364700");
    for (const char* place : {"Nirgendwo", "Ansi", "Vertauscht", "Ohne Vorzeichen", "Streifen"})
        EXPECT_NE(doubtful.err.find(notes.at(place)), std::string::npos) << place;
    EXPECT_NE(doubtful.err.find("Zeile 14: „22.3647, 53.8280“: "), std::string::npos) << doubtful.err;
}

TEST_F(TableConversion, HeaderNamesDecideWhichColumnIsWhich)
{
    const std::string sheet = "Ort;Breite;Länge\nLyck;53,821390;22,362220\n";
    const Finished named = run({"--spalte=Länge,Breite", "--csv"}, sheet);
    EXPECT_EQ(named.status, batchConverted) << named.err;
    const std::vector<TableRow> rows = readTableRows(named.out, ',');
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][3], "53.821390");
    EXPECT_EQ(rows[1][4], "22.362220");
    // Said once, not for every row.
    EXPECT_EQ(named.err, "zelv-derarar: (Standardeingabe): gelesen als UTF-8\n"
                         "zelv-derarar: (Standardeingabe): nach den Namen der Kopfzeile gelesen: „Breite“ (Spalte 2) "
                         "als Breite, „Länge“ (Spalte 3) als Länge\n");
    const Finished inOrder = run({"--spalte=Breite,Länge", "--csv"}, sheet);
    EXPECT_EQ(inOrder.out, named.out);

    const Finished grid = run({"--column=2,1", "--csv"}, "Rechtswert;Hochwert\n4591000;5820000\n");
    const Finished gridInOrder = run({"--column=1,2", "--csv"}, "Rechtswert;Hochwert\n4591000;5820000\n");
    EXPECT_EQ(grid.status, batchConverted) << grid.err;
    EXPECT_EQ(grid.out, gridInOrder.out);

    // A value that contradicts its column's name is noted.
    const Finished contradicting = run({"--column=Breite,Länge", "--csv=de"},
                                       "Ort;Breite;Länge\nLyck;53,821390;22,362220\nX;122,36;53,82\n");
    EXPECT_EQ(notesOf(contradicting.out).at("X"),
              "in der Spalte „Breite“ steht 122,36, mehr als 90° – Breite und Länge vertauscht?");
}

TEST_F(TableConversion, FilesThatAreNoTablesAreRefusedAndNothingIsWritten)
{
    test_support::TemporaryDirectory directory;
    const auto file = [&](const char* name, const std::string& bytes) {
        const std::string path = (directory.path() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    };
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {file("leer.csv", ""), "ist leer"},
        {file("bild.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + std::string(100, 'x')),
         "enthält Nullbytes"},
        {file("zeile.csv", std::string(60 * 1024 * 1024, '5')), "hat eine erste Zeile von mehr als 64 kB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const Finished done = run({"--column=1", c.path}, "");
        EXPECT_EQ(done.status, batchUsageError);
        EXPECT_EQ(done.out, "");
        EXPECT_TRUE(done.err.starts_with("zelv-derarar: Datei „" + c.path + "“ " + c.message)) << done.err;
    }
}

TEST_F(TableConversion, ByteOrderMarkStaysWhateverTheDelimiter)
{
    const Finished comma = run({"--column=2"}, "\xEF\xBB\xBFOrt,Koordinaten\nThorn,\"53,0138 18,5981\"\n");
    EXPECT_EQ(comma.status, batchConverted) << comma.err;
    EXPECT_TRUE(comma.out.starts_with(std::string(utf8ByteOrderMark) + "Ort,Koordinaten,latitude")) << comma.out;
    const Finished none = run({"--column=2"}, "Ort,Koordinaten\nThorn,\"53,0138 18,5981\"\n");
    EXPECT_TRUE(none.out.starts_with("Ort,Koordinaten,latitude")) << none.out;
}

TEST_F(TableConversion, AMissingColumnOptionNamesTheColumnsItWouldTake)
{
    test_support::TemporaryDirectory directory;
    const std::string path = (directory.path() / "orte.csv").string();
    std::ofstream(path, std::ios::binary) << "Nr;Ort;Länge;Breite\n1;Lyck;22,3622;53,8214\n2;Prostken;22,4344;53,6983\n";
    const Finished done = run({"--kml", path}, "");
    EXPECT_EQ(done.status, batchUsageError);
    EXPECT_NE(done.err.find("--kml und --gpx brauchen --column; für „" + path
                            + "“ passt vermutlich --column=Breite,Länge --name=Ort"),
              std::string::npos)
        << done.err;

    // The dialog's guess is the same one: names first, then values.
    BatchConverter converter(data(), BatchFormat::LocationText);
    const GuessedColumns byNames = guessColumns(readTableRows("Nr;Ort;Länge;Breite\n1;Lyck;22,3622;53,8214\n", ';'), converter);
    EXPECT_EQ(byNames.coordinates, (std::vector<std::size_t>{3, 2}));
    EXPECT_TRUE(byNames.byHeader);
    EXPECT_EQ(byNames.name, 1u);
    const GuessedColumns byValues = guessColumns(
        readTableRows("A;B;C;D\nLyck;Kreis;53,8214;22,3622\nProstken;Kreis;53,6983;22,4344\n", ';'), converter);
    EXPECT_EQ(byValues.coordinates, (std::vector<std::size_t>{2, 3}));
    EXPECT_FALSE(byValues.byHeader);
    const GuessedColumns single = guessColumns(
        readTableRows("Ort;Koordinaten;Kreis\nLyck;53.8214, 22.3622;Lyck\nThorn;53.0138, 18.5981;Thorn\n", ';'), converter);
    EXPECT_EQ(single.coordinates, (std::vector<std::size_t>{1}));
}

TEST(CountText, GermanWordsAndGroupsUnderAnyLocale)
{
    EXPECT_EQ(countText(1, "Zeile", "Zeilen"), "1 Zeile");
    EXPECT_EQ(countText(0, "Zeile", "Zeilen"), "0 Zeilen");
    EXPECT_EQ(countText(999, "Zeile", "Zeilen"), "999 Zeilen");
    EXPECT_EQ(countText(175000, "Zeile", "Zeilen"), "175.000 Zeilen");
    EXPECT_EQ(groupedNumber(1234567), "1.234.567");
}

} // namespace
} // namespace zelv
