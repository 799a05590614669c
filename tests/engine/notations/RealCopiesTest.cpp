// Every row of data/real-copies.tsv, texts copied from real pages, through
// the reader that the clipboard button and the batch mode share: a row with
// a position must give it within half a unit of the text's finest written
// place, a row without one must be refused.
#include "ClipboardReader.h"
#include "Messtischblatt.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace zelv {
namespace {

// Rows that stay unread on purpose, or whose words no reader knows yet.  A row here that
// reads right fails the test, so that the list never keeps a mended row.
struct Pending {
    const char* textStart;
    const char* reason;
};

const Pending pending[] = {
    // Left unread: the text does not say the position in a way that leaves no doubt.
    {"54N00\xE2\x80\x99", "garbled GPS read-out: letters as degree signs, minutes 00'035'' could be read three ways"},
    {"54\xC2\xB0" "39\xE2\x80\xB2" "00\xE2\x80\xB3 s. sh.", "transliterated Russian compass words 's. sh.' / 'po. e.'"},
    {"54\xC2\xB0" "48\xE2\x80\xB2 N. cii.", "machine-translated Russian compass words 'N. cii.' / 'cala e.'"},
};

const Pending* pendingOf(const std::string& text)
{
    for (const Pending& p : pending)
        if (text.rfind(p.textStart, 0) == 0)
            return &p;
    return nullptr;
}

struct CopyRow {
    int line = 0;
    std::string url;
    std::string text;
    std::optional<double> lat;
    std::optional<double> lon;
    double expectedRounding = 0;
};

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// A field in double quotes, as spreadsheets write one holding a quote.
std::string unquoted(const std::string& field)
{
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return field;
    std::string out;
    for (std::size_t i = 1; i + 1 < field.size(); ++i) {
        out += field[i];
        if (field[i] == '"' && field[i + 1] == '"')
            ++i;
    }
    return out;
}

std::string withEscapesResolved(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 't')) {
            out += text[i + 1] == 'n' ? '\n' : '\t';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Half a unit of the last place of a number as the file writes it.
double halfLastPlace(const std::string& number)
{
    const std::size_t point = number.find('.');
    const int places = point == std::string::npos ? 0 : static_cast<int>(number.size() - point - 1);
    return 0.5 * std::pow(10.0, -places);
}

std::vector<CopyRow> readRows()
{
    std::ifstream file(ZELV_REAL_COPIES);
    EXPECT_TRUE(file) << ZELV_REAL_COPIES;
    std::vector<CopyRow> rows;
    std::string line;
    std::getline(file, line); // header
    int number = 1;
    while (std::getline(file, line)) {
        ++number;
        if (line.empty())
            continue;
        const std::vector<std::string> f = splitTabs(line);
        EXPECT_EQ(f.size(), 6u) << "line " << number;
        if (f.size() != 6)
            continue;
        CopyRow row;
        row.line = number;
        row.url = f[0];
        row.text = withEscapesResolved(unquoted(f[2]));
        if (!f[3].empty()) {
            row.lat = std::stod(f[3]);
            row.lon = std::stod(f[4]);
            row.expectedRounding = std::max(halfLastPlace(f[3]), halfLastPlace(f[4]));
        }
        rows.push_back(row);
    }
    return rows;
}

constexpr bool isMinuteMark(char c) { return c == '\'' || c == '\x92' || c == '\xB4'; }
constexpr bool isDegreeMark(char c) { return c == '\xB0' || c == '\xBA'; }
constexpr bool isSpace(char c) { return c == ' ' || c == '\xA0' || c == '\t'; }

// Whether the number that ends before `end` has no decimals: only after
// whole degrees does a bare number count in minutes ("53 49.962N"); after a
// decimal it is the other half of a pair ("54,633333 21,816667").
bool wholeNumberEndsAt(const std::string& text, std::size_t end)
{
    std::size_t i = end;
    while (i > 0 && std::isdigit(static_cast<unsigned char>(text[i - 1])))
        --i;
    return i == 0 || (text[i - 1] != '.' && text[i - 1] != ',')
           || (i >= 2 && !std::isdigit(static_cast<unsigned char>(text[i - 2])));
}

// The finest place the text writes, in degrees: each number's last place in
// the unit its mark (or, without a mark, the mark before it) gives.
double finestWrittenPlace(const std::string& text)
{
    double finest = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        int places = 0;
        if (i + 1 < text.size() && (text[i] == '.' || text[i] == ',')
            && std::isdigit(static_cast<unsigned char>(text[i + 1])))
            for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
                ++places;
        std::size_t next = i;
        while (next < text.size() && isSpace(text[next]))
            ++next;
        std::size_t before = start;
        while (before > 0 && isSpace(text[before - 1]))
            --before;
        const char prev = before > 0 ? text[before - 1] : '\0';
        double unit = 1;
        if (next < text.size() && (text[next] == '"' || text[next] == '\x94'
                                   || (isMinuteMark(text[next]) && next + 1 < text.size()
                                       && isMinuteMark(text[next + 1]))))
            unit = 1.0 / 3600;
        else if (next < text.size() && isMinuteMark(text[next]))
            unit = 1.0 / 60;
        else if (next < text.size() && isDegreeMark(text[next]))
            unit = 1;
        else if (isDegreeMark(prev) || (std::isdigit(static_cast<unsigned char>(prev)) && before < start
                                        && wholeNumberEndsAt(text, before)))
            unit = 1.0 / 60;
        else if (isMinuteMark(prev))
            unit = 1.0 / 3600;
        finest = std::min(finest, unit * std::pow(10.0, -places));
    }
    return finest;
}

// What the reader made of a row: empty when it is right, else why not.
std::string failureOf(const CopyRow& row)
{
    const ReaderResult result = readCoordinatesOfUtf8(row.text, germanSeparators);
    const auto* refusal = std::get_if<Refusal>(&result);
    if (!row.lat)
        return refusal ? "" : "read, but must be refused";
    if (refusal)
        return "refused: " + refusalMessage(*refusal);
    const auto* read = std::get_if<Reading>(&result);
    if (!read)
        return "read nothing";
    // A Messtischblatt number stands for its sheet, whose centre the row
    // gives on the sheets' own graticule.
    const auto* sheet = std::get_if<Tk25SheetReference>(&read->position);
    const std::optional<GeographicPoint> sheetCentre =
        sheet ? std::optional<GeographicPoint>(tk25CentreOnDhdn(*sheet)) : std::nullopt;
    const auto* point = sheetCentre ? &*sheetCentre : std::get_if<GeographicPoint>(&read->position);
    if (!point)
        return "read as a grid position";
    const double tolerance = finestWrittenPlace(toWindows1252(row.text)) / 2 + row.expectedRounding;
    if (std::fabs(point->Latitude - *row.lat) > tolerance || std::fabs(point->Longitude - *row.lon) > tolerance) {
        std::ostringstream out;
        out.precision(10);
        out << "read " << point->Latitude << ", " << point->Longitude << " (tolerance " << tolerance << ")";
        return out.str();
    }
    return "";
}

TEST(RealCopiesTest, EveryRowReadsRightOrIsPending)
{
    const std::vector<CopyRow> rows = readRows();
    EXPECT_EQ(rows.size(), 116u);
    for (const CopyRow& row : rows) {
        const std::string failure = failureOf(row);
        const Pending* p = pendingOf(row.text);
        if (p)
            EXPECT_FALSE(failure.empty()) << "line " << row.line << " reads right now; take it off the pending list: "
                                          << row.text;
        else
            EXPECT_TRUE(failure.empty()) << "line " << row.line << ": " << row.text << "\n  " << failure;
    }
}

TEST(RealCopiesTest, EveryPendingEntryNamesARow)
{
    const std::vector<CopyRow> rows = readRows();
    for (const Pending& p : pending) {
        bool found = false;
        for (const CopyRow& row : rows)
            found = found || row.text.rfind(p.textStart, 0) == 0;
        EXPECT_TRUE(found) << p.textStart << " (" << p.reason << ")";
    }
}

} // namespace
} // namespace zelv
