// Tables as spreadsheets and family tree programs save them: their
// delimiter, quoting, line ends, header, columns and encoding.
#include "TableReader.h"
#include "TableText.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

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
    // A number beyond the row's cells reads as an empty cell.
    EXPECT_EQ(coordinateText({"a"}, {4}), "");
}

TEST(TableText, FindsTheEncoding)
{
    // "Königsberg;Łódź" cannot be Windows-1252; "Groß Strehlitz" can.
    const std::string utf8 = "Ort;Lage\nKönigsberg Łódź Groß Strehlitz;52 N 13 E\n";
    const std::string windows1252 = toWindows1252("Ort;Lage\nKönigsberg Groß Strehlitz Müß;52 N 13 E\n");

    const TableText plain = decodeTableText(utf8);
    EXPECT_EQ(plain.encoding, TableEncoding::Utf8);
    EXPECT_EQ(plain.utf8, utf8);

    const TableText marked = decodeTableText("\xEF\xBB\xBF" + utf8);
    EXPECT_EQ(marked.encoding, TableEncoding::Utf8WithByteOrderMark);
    EXPECT_EQ(marked.utf8, utf8);

    const TableText excel = decodeTableText(windows1252);
    EXPECT_EQ(excel.encoding, TableEncoding::Windows1252);
    EXPECT_EQ(excel.utf8, "Ort;Lage\nKönigsberg Groß Strehlitz Müß;52 N 13 E\n");

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
