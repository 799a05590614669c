// Tables as spreadsheets and family tree programs save them: their
// delimiter, quoting, line ends, header, columns and encoding.
#include "TableReader.h"
#include "TableText.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace zelv {
namespace {

using Rows = std::vector<TableRow>;

struct DelimiterCase {
    const char* name;
    std::string text;
    char delimiter;
    Rows rows;
};

TEST(TableReader, FindsTheDelimiterAndSplitsTheRows)
{
    const DelimiterCase cases[] = {
        {"semicolon, a comma in a cell", "Ort;Koordinaten\nBerlin;52.52, 13.405\nAllenstein;53.78, 20.49\n", ';',
         {{"Ort", "Koordinaten"}, {"Berlin", "52.52, 13.405"}, {"Allenstein", "53.78, 20.49"}}},
        {"tab", "Ort\tKreis\tKoordinaten\nLyck\tLyck\t53°49'N 22°22'O\n", '\t',
         {{"Ort", "Kreis", "Koordinaten"}, {"Lyck", "Lyck", "53°49'N 22°22'O"}}},
        {"comma, quoted coordinates", "Ort,Koordinaten\nBreslau,\"51°06′36″ N, 17°01′57″ E\"\n", ',',
         {{"Ort", "Koordinaten"}, {"Breslau", "51°06′36″ N, 17°01′57″ E"}}},
        {"CR LF, no line end at the close", "Ort;Lage\r\nStolp;54.46 N 17.03 E\r\nKolberg;54.18 N 15.57 E", ';',
         {{"Ort", "Lage"}, {"Stolp", "54.46 N 17.03 E"}, {"Kolberg", "54.18 N 15.57 E"}}},
        // "," splits these rows into as many cells as ";" does; the decimal
        // commas belong to the cells.
        {"semicolon, decimal commas, no header", "Breslau;51,11;17,032\nOppeln;50,67;17,93\n", ';',
         {{"Breslau", "51,11", "17,032"}, {"Oppeln", "50,67", "17,93"}}},
        {"one column", "52.52 13.405\nJO62QM\n", noDelimiter, {{"52.52 13.405"}, {"JO62QM"}}},
        {"quoted semicolon and line breaks, doubled quotes",
         "Ort;Bemerkung;Lage\r\nKönigsberg;\"Dom; \"\"Pregel\"\"\r\nzweite Zeile\";54.7 N 20.5 E\r\n"
         "Memel;;55.7 N 21.1 E\r\n",
         ';',
         {{"Ort", "Bemerkung", "Lage"},
          {"Königsberg", "Dom; \"Pregel\"\r\nzweite Zeile", "54.7 N 20.5 E"},
          {"Memel", "", "55.7 N 21.1 E"}}},
        {"quote inside an unquoted cell is a second mark", "Ort;Lage\nX;50°24'53.4\"N 10°46'09.9\"E\n", ';',
         {{"Ort", "Lage"}, {"X", "50°24'53.4\"N 10°46'09.9\"E"}}},
        {"empty row in the middle stays a row", "Ort;Lage\n\nY;52 N 13 E\n", ';',
         {{"Ort", "Lage"}, {""}, {"Y", "52 N 13 E"}}},
    };
    for (const DelimiterCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detectDelimiter(c.text), c.delimiter);
        EXPECT_EQ(readTableRows(c.text, c.delimiter), c.rows);
    }
}

struct ColumnCase {
    const char* name;
    Rows rows;
    std::string coordinates;
    std::string placeName;
    std::vector<std::size_t> columns;
    std::optional<std::size_t> nameColumn;
    bool header;
    std::string text; // the coordinate text of the last row
};

TEST(TableReader, ChoosesColumnsByHeaderNameOrNumber)
{
    const ColumnCase cases[] = {
        {"by name", {{"Ort", "Koordinaten"}, {"Berlin", "52.52 13.405"}}, "Koordinaten", "", {1}, {}, true,
         "52.52 13.405"},
        {"by name, other case and blanks", {{"Ort", " Koordinaten "}, {"Berlin", "52.52 13.405"}}, "koordinaten",
         "ort", {1}, 0, true, "52.52 13.405"},
        // Named by the user, the first row is the header, digits and all.
        {"by name, a header with digits", {{"Ort", "Lage (WGS84)"}, {"Berlin", "52.52 13.405"}}, "Lage (WGS84)", "",
         {1}, {}, true, "52.52 13.405"},
        {"by number, a header without digits", {{"Ort", "Koordinaten"}, {"Berlin", "52.52 13.405"}}, "2", "1",
         {1}, 0, true, "52.52 13.405"},
        {"by number, no header", {{"Berlin", "52.52 13.405"}, {"Stettin", "53.43 14.55"}}, "2", "", {1}, {}, false,
         "53.43 14.55"},
        {"two columns, latitude and longitude",
         {{"Ort", "Breite", "Länge"}, {"Thorn", "53,0138", "18,5981"}}, "Breite,Länge", "Ort", {1, 2}, 0, true,
         "53,0138 18,5981"},
        {"two columns, Rechtswert and Hochwert by number, first first",
         {{"R", "H"}, {"4412345", "5598765"}}, "1, 2", "", {0, 1}, {}, true, "4412345 5598765"},
        {"two columns named in reverse", {{"H", "R"}, {"5598765", "4412345"}}, "R,H", "", {1, 0}, {}, true,
         "4412345 5598765"},
    };
    for (const ColumnCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto chosen = chooseColumns(c.rows, splitColumnList(c.coordinates), c.placeName);
        ASSERT_TRUE(std::holds_alternative<TableColumns>(chosen)) << std::get<std::string>(chosen);
        const TableColumns& columns = std::get<TableColumns>(chosen);
        EXPECT_EQ(columns.coordinates, c.columns);
        EXPECT_EQ(columns.name, c.nameColumn);
        EXPECT_EQ(columns.header, c.header);
        EXPECT_EQ(coordinateText(c.rows.back(), columns.coordinates), c.text);
    }
}

TEST(TableReader, NamesAColumnItCannotFind)
{
    const Rows rows = {{"Ort", "Koordinaten"}, {"Berlin", "52.52 13.405"}};
    const auto message = [&](std::string coordinates, std::string name = "") {
        const auto chosen = chooseColumns(rows, splitColumnList(coordinates), name);
        return std::holds_alternative<std::string>(chosen) ? std::get<std::string>(chosen) : "chosen";
    };
    EXPECT_EQ(message("Lage"), "keine Spalte „Lage“ in der Kopfzeile");
    EXPECT_EQ(message("Koordinaten", "Name"), "keine Spalte „Name“ in der Kopfzeile");
    EXPECT_EQ(message("1,2,3"), "--column nennt eine Spalte oder zwei, durch „,“ getrennt");
    EXPECT_EQ(message("0"), "keine Spalte „0“ in der Kopfzeile");
    EXPECT_EQ(message("9"), "keine Spalte 9: die Tabelle hat 2 Spalten");
    // A short row's missing cell reads as empty.
    EXPECT_EQ(coordinateText({"a"}, {4}), "");

    // An earlier result read again has its columns twice: a name must not pick one silently.
    const Rows twice = {{"Ort", "Breite", "Länge", "Breite"}, {"Lyck", "53,82", "22,36", "53,821390"}};
    const auto chosen = chooseColumns(twice, splitColumnList("Breite,Länge"), "");
    ASSERT_TRUE(std::holds_alternative<std::string>(chosen));
    EXPECT_EQ(std::get<std::string>(chosen),
              "zwei Spalten heißen „Breite“: Spalte 2 und Spalte 4; bitte die gemeinte mit ihrer Nummer nennen");
    EXPECT_TRUE(std::holds_alternative<TableColumns>(chooseColumns(twice, splitColumnList("2,3"), "")));
}

TEST(ColumnWords, TellTheCoordinateOfAColumnByItsHeader)
{
    const std::pair<const char*, ColumnRole> cases[] = {
        {"Breite", ColumnRole::Latitude},          {"geogr. Breite (WGS 84)", ColumnRole::Latitude},
        {"LATITUDE", ColumnRole::Latitude},        {"lat", ColumnRole::Latitude},
        {"φ", ColumnRole::Latitude},               {"Szerokość", ColumnRole::Latitude},
        {"широта", ColumnRole::Latitude},          {"Länge", ColumnRole::Longitude},
        {"Längengrad", ColumnRole::Longitude},     {"long", ColumnRole::Longitude},
        {"lon", ColumnRole::Longitude},            {"λ", ColumnRole::Longitude},
        {"Długość", ColumnRole::Longitude},        {"Rechtswert", ColumnRole::Easting},
        {"R", ColumnRole::Easting},                {"Easting", ColumnRole::Easting},
        {"Hochwert (GK)", ColumnRole::Northing},   {"H", ColumnRole::Northing},
        {"northing", ColumnRole::Northing},
        // Both in one column, or neither: no role.
        {"Breite/Länge", ColumnRole::None},        {"lat, lon", ColumnRole::None},
        {"Ort", ColumnRole::None},                 {"Koordinaten", ColumnRole::None},
        {"Breitenbach", ColumnRole::None},         {"Hr", ColumnRole::None},
        {"", ColumnRole::None},
    };
    for (const auto& [header, role] : cases)
        EXPECT_EQ(columnRoleOf(header), role) << header;
}

TEST(TableReader, HeaderNamesOutweighTheOrderGiven)
{
    struct Case {
        const char* name;
        Rows rows;
        std::string given;
        std::vector<std::size_t> read;
        bool noted;
    };
    const Case cases[] = {
        {"Breite, Länge in order", {{"Ort", "Breite", "Länge"}, {"Lyck", "53,82", "22,36"}}, "Breite,Länge", {1, 2}, false},
        {"Länge named first", {{"Ort", "Breite", "Länge"}, {"Lyck", "53,82", "22,36"}}, "Länge,Breite", {1, 2}, true},
        {"by numbers, longitude column first", {{"Ort", "lon", "lat"}, {"Lyck", "22,36", "53,82"}}, "2,3", {2, 1}, true},
        {"Hochwert named first", {{"Hochwert", "Rechtswert"}, {"5967019", "7589846"}}, "Hochwert,Rechtswert", {1, 0}, true},
        {"R and H in order", {{"R", "H"}, {"7589846", "5967019"}}, "R,H", {0, 1}, false},
        {"no header: the order given", {{"22,36", "53,82"}}, "1,2", {0, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto chosen = chooseColumns(c.rows, splitColumnList(c.given), "");
        ASSERT_TRUE(std::holds_alternative<TableColumns>(chosen)) << std::get<std::string>(chosen);
        const TableColumns& columns = std::get<TableColumns>(chosen);
        EXPECT_EQ(columns.coordinates, c.read);
        EXPECT_EQ(!columns.orderNote.empty(), c.noted) << columns.orderNote;
    }
    const auto chosen = chooseColumns({{"Länge", "Breite"}, {"22,36", "53,82"}}, splitColumnList("1,2"), "");
    EXPECT_EQ(std::get<TableColumns>(chosen).orderNote,
              "nach den Namen der Kopfzeile gelesen: „Breite“ (Spalte 2) als Breite, „Länge“ (Spalte 1) als Länge");
}

struct Read {
    std::string refusal;
    std::string error;
    Rows rows;
    TableEncoding encoding = TableEncoding::Utf8;
};

Read readAll(const std::string& bytes)
{
    std::istringstream in(bytes);
    TableRowReader reader(in);
    Read read{reader.refusal(), {}, {}, reader.encoding()};
    for (TableRow row; reader.next(row);)
        read.rows.push_back(row);
    read.error = reader.error();
    return read;
}

TEST(TableRowReader, ReadsRowByRowAsTheWholeTextReads)
{
    // Rows that cross the reader's 256 kB chunks, quoted cells with line
    // breaks among them: the same rows as read from the whole text.
    std::string text = "Ort;Bemerkung;Lage\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "Ort " + std::to_string(i) + ";\"zwei\r\nZeilen; \"\"zitiert\"\"\";53,8" + std::to_string(i % 10) + " 22,3\r\n";
    const Read read = readAll(text);
    EXPECT_EQ(read.refusal, "");
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.rows, readTableRows(text, ';'));

    // A Windows-1252 row late in a UTF-8 file is read in its own code page.
    std::string mixedText = "Ort;Lage\n";
    for (int i = 0; i < 30000; ++i) // beyond the start that tells the encoding
        mixedText += "Königsberg;54,7 20,5\n";
    const Read mixed = readAll(mixedText + toWindows1252("München;48,1 11,6\n"));
    EXPECT_EQ(mixed.encoding, TableEncoding::Utf8);
    ASSERT_EQ(mixed.rows.size(), 30002u);
    EXPECT_EQ(mixed.rows.back()[0], "München");

    const Read marked = readAll("\xEF\xBB\xBFOrt,Lage\nThorn,\"53,0 18,6\"\n");
    EXPECT_EQ(marked.encoding, TableEncoding::Utf8WithByteOrderMark);
    EXPECT_EQ(marked.rows, (Rows{{"Ort", "Lage"}, {"Thorn", "53,0 18,6"}}));
}

TEST(TableRowReader, RefusesWhatIsNoTableAndStopsAtAnEndlessRow)
{
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0", 20);
    const std::string longLine(60 * 1024 * 1024, '7');
    const struct {
        const char* name;
        std::string bytes;
        std::string refusal;
    } refused[] = {
        {"empty", "", "ist leer"},
        {"a byte-order mark and blank lines", "\xEF\xBB\xBF\r\n\r\n", "ist leer"},
        {"a PNG picture", png + std::string(2000, 'x'),
         "enthält Nullbytes: keine Textdatei (vielleicht ein Bild, ein Programm oder ein Dokument)"},
        {"control characters", std::string(300, '\x01') + "53 22\n",
         "enthält Steuerzeichen: keine Textdatei (vielleicht ein Bild, ein Programm oder ein Dokument)"},
        {"Excel's Unicode text", "\xFF\xFEO\0r\0t\0",
         "ist UTF-16 (Excel: „Unicode-Text“): bitte als „CSV UTF-8“ oder „CSV (Trennzeichen-getrennt)“ speichern"},
        {"a 60 MB line", longLine,
         "hat eine erste Zeile von mehr als 64 kB: so lang ist keine Tabellenzeile mit Koordinaten"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        const Read read = readAll(c.bytes);
        EXPECT_EQ(read.refusal, c.refusal);
        EXPECT_TRUE(read.rows.empty());
    }

    // Further on, a row of more than 64 kB or a NUL byte ends the reading there.
    const Read endless = readAll("Ort;Lage\nLyck;53,8 22,4\nX;" + std::string(70 * 1024, '1') + "\nY;1 2\n");
    EXPECT_EQ(endless.refusal, "");
    EXPECT_EQ(endless.rows.size(), 2u);
    EXPECT_EQ(endless.error, "Zeile 3 ist länger als 64 kB: so lang ist keine Tabellenzeile mit Koordinaten; "
                             "die Datei wird nicht weiter gelesen");
    std::string late = "Ort;Lage\n";
    for (int i = 0; i < 70000; ++i) // beyond the start that the refusal looks at
        late += "abc;1\n";
    late += std::string("Lyck;53,8\0 22,4\n", 16);
    const Read nul = readAll(late);
    EXPECT_EQ(nul.refusal, "");
    EXPECT_EQ(nul.error, "Zeile 70002 enthält Nullbytes: keine Textdatei; die Datei wird nicht weiter gelesen");
    // A cell just under the limit is read.
    const Read wide = readAll("Ort;Lage\nX;" + std::string(60 * 1024, '1') + "\n");
    EXPECT_EQ(wide.error, "");
    EXPECT_EQ(wide.rows.size(), 2u);
}

TEST(TableText, FindsTheEncoding)
{
    // "Königsberg;Łódź" cannot be Windows-1252; "Groß Strehlitz" can.
    const std::string utf8 = "Ort;Lage\nKönigsberg Łódź Groß Strehlitz;52 N 13 E\n";
    const std::string windows1252 = toWindows1252("Ort;Lage\nKönigsberg Groß Strehlitz Müß;52 N 13 E\n");
    const Rows utf8Rows = {{"Ort", "Lage"}, {"Königsberg Łódź Groß Strehlitz", "52 N 13 E"}};

    const Read plain = readAll(utf8);
    EXPECT_EQ(plain.encoding, TableEncoding::Utf8);
    EXPECT_EQ(plain.rows, utf8Rows);

    const Read marked = readAll("\xEF\xBB\xBF" + utf8);
    EXPECT_EQ(marked.encoding, TableEncoding::Utf8WithByteOrderMark);
    EXPECT_EQ(marked.rows, utf8Rows);

    const Read excel = readAll(windows1252);
    EXPECT_EQ(excel.encoding, TableEncoding::Windows1252);
    EXPECT_EQ(excel.rows, (Rows{{"Ort", "Lage"}, {"Königsberg Groß Strehlitz Müß", "52 N 13 E"}}));

    EXPECT_EQ(encodingName(TableEncoding::Windows1252), "Windows-1252");
}

TEST(TableText, TellsValidUtf8FromOtherBytes)
{
    EXPECT_TRUE(isValidUtf8("Łódź ß € 𝄞"));
    EXPECT_FALSE(isValidUtf8("M\xFC" "nchen"));        // Windows-1252 "ü"
    EXPECT_FALSE(isValidUtf8("\xC3"));                  // cut short
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));              // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));          // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));      // beyond U+10FFFF
}

} // namespace
} // namespace zelv
