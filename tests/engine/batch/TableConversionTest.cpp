// Tables through the command line over string streams: the table comes
// back row for row with the results appended, a failing row keeps its
// place, and the output's format follows the options and the delimiter.
#include "BatchCommand.h"
#include "BatchConversion.h"
#include "ShippedDataDirectory.h"
#include "TableReader.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

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
    const std::vector<TableRow> results = readTableRows(std::string(csvHeader) + '\n' + berlin + '\n', ',');
    const std::size_t width = results.front().size();
    const auto resultsOf = [&](const TableRow& row) { return TableRow(row.end() - width, row.end()); };
    EXPECT_EQ(TableRow(rows[0].begin(), rows[0].begin() + 3), (TableRow{"Ort", "Koordinaten", "Kreis"}));
    EXPECT_EQ(resultsOf(rows[0]), results[0]);
    EXPECT_EQ(resultsOf(rows[1]), results[1]);
    EXPECT_EQ(resultsOf(rows[4]), results[1]);
    EXPECT_EQ(TableRow(rows[2].begin(), rows[2].begin() + 3), (TableRow{"Nirgendwo", "unbekannt", ""}));
    EXPECT_EQ(resultsOf(rows[2]), TableRow(width, ""));
    EXPECT_EQ(resultsOf(rows[3]), TableRow(width, ""));
    // The short last row is filled up, so its results stand in the same columns.
    EXPECT_EQ(rows[4].size(), 3 + width);
    EXPECT_EQ(done.err, "zelv-derarar: (Standardeingabe): gelesen als UTF-8\n"
                        "(Standardeingabe): Zeile 3: „unbekannt“: keine lesbaren Koordinaten in dieser Zeile\n"
                        "(Standardeingabe): Zeile 4: „“: keine Koordinaten in dieser Zeile\n");
}

TEST_F(TableConversion, SemicolonsGiveTheGermanTableAndWindows1252IsRead)
{
    const std::string input = toWindows1252("Ort;Koordinaten\nMünchen;52.52 N, 13.405 E\n");
    const Finished done = run({"--spalte=2"}, input);
    EXPECT_EQ(done.status, batchConverted) << done.err;
    EXPECT_EQ(done.out, std::string(utf8ByteOrderMark) + "Ort;Koordinaten;" + std::string(germanCsvHeader) + "\n"
                            + "München;52.52 N, 13.405 E;" + berlinGerman + "\n");
    EXPECT_EQ(done.err, "zelv-derarar: (Standardeingabe): gelesen als Windows-1252\n");

    // Asked for, the plain table comes from the same input; commas in cells are quoted.
    const Finished plain = run({"--column=2", "--csv"}, input);
    EXPECT_EQ(plain.out, "Ort,Koordinaten," + std::string(csvHeader) + "\nMünchen,\"52.52 N, 13.405 E\"," + berlin + "\n");
}

TEST_F(TableConversion, TwoColumnsAreReadAsOneText)
{
    const Finished degrees = run({"--column=Breite,Länge", "--csv"}, "Ort\tBreite\tLänge\nBerlin\t52,52\t13,405\n");
    EXPECT_EQ(degrees.status, batchConverted) << degrees.err;
    EXPECT_EQ(degrees.out, "Ort,Breite,Länge," + std::string(csvHeader) + "\nBerlin,\"52,52\",\"13,405\"," + berlin + "\n");

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

} // namespace
} // namespace zelv
