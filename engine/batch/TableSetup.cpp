#include "TableSetup.h"

#include "MapFileSink.h"

#include <algorithm>
#include <ostream>

namespace zelv {

namespace {

constexpr std::size_t guessRows = 50;

bool hasLetter(const std::string& text)
{
    return std::ranges::any_of(text, [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
    });
}

bool reads(BatchConverter& converter, const std::string& text)
{
    return text.find_first_not_of(' ') != std::string::npos && converter.convertLine(text).failure.empty();
}

// The one column of the first row that has this role.
std::optional<std::size_t> columnWithRole(const TableRow& header, ColumnRole role)
{
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (columnRoleOf(header[i]) != role)
            continue;
        if (found)
            return std::nullopt;
        found = i;
    }
    return found;
}

} // namespace

GuessedColumns guessColumns(const std::vector<TableRow>& rows, BatchConverter& converter)
{
    GuessedColumns guess;
    if (rows.empty())
        return guess;
    const std::size_t sample = std::min(guessRows, rows.size());
    std::size_t width = 0;
    for (std::size_t r = 0; r < sample; ++r)
        width = std::max(width, rows[r].size());
    const auto cell = [&](std::size_t r, std::size_t c) -> const std::string& {
        static const std::string none;
        return c < rows[r].size() ? rows[r][c] : none;
    };

    for (const ColumnRole first : {ColumnRole::Latitude, ColumnRole::Easting}) {
        const auto a = columnWithRole(rows.front(), first);
        const auto b = columnWithRole(rows.front(), partnerOf(first));
        if (a && b) {
            guess.coordinates = {*a, *b};
            guess.byHeader = true;
            break;
        }
    }

    // Letters are counted below the first row, which may be a header of words.
    std::vector<std::size_t> read(width, 0);
    std::vector<std::size_t> letters(width, 0);
    for (std::size_t r = 0; r < sample; ++r) {
        for (std::size_t c = 0; c < width; ++c) {
            if (cell(r, c).empty())
                continue;
            if (reads(converter, cell(r, c)))
                ++read[c];
            else if (r > 0 && hasLetter(cell(r, c)))
                ++letters[c];
        }
    }
    if (guess.coordinates.empty() && width > 0) {
        const std::size_t single = static_cast<std::size_t>(std::ranges::max_element(read) - read.begin());
        std::size_t best = read[single];
        if (best > 0)
            guess.coordinates = {single};
        for (std::size_t c = 0; c + 1 < width; ++c) {
            std::size_t pairs = 0;
            for (std::size_t r = 0; r < sample; ++r)
                if (!cell(r, c).empty() && !cell(r, c + 1).empty()
                    && reads(converter, cell(r, c) + ' ' + cell(r, c + 1)))
                    ++pairs;
            if (pairs > best) {
                best = pairs;
                guess.coordinates = {c, c + 1};
            }
        }
    }
    for (std::size_t c = 0; c < width; ++c) {
        if (std::ranges::find(guess.coordinates, c) == guess.coordinates.end() && letters[c] * 2 >= sample - 1
            && letters[c] > 0 && read[c] * 2 < sample) {
            guess.name = c;
            break;
        }
    }
    return guess;
}

std::string columnOption(const std::vector<TableRow>& rows, const std::vector<std::size_t>& columns)
{
    const auto byName = [&](std::size_t column) -> std::string {
        if (rows.empty() || column >= rows.front().size())
            return {};
        const std::string& name = rows.front()[column];
        const bool unique = std::ranges::count(rows.front(), name) == 1;
        const bool plain = !name.empty() && name.find(',') == std::string::npos
                           && std::ranges::none_of(name, [](char c) { return c >= '0' && c <= '9'; });
        return unique && plain ? name : std::string();
    };
    std::string option;
    bool names = true;
    for (const std::size_t column : columns)
        names = names && !byName(column).empty();
    for (const std::size_t column : columns) {
        if (!option.empty())
            option += ',';
        option += names ? byName(column) : std::to_string(column + 1);
    }
    return option;
}

std::string defaultOutputName(std::string_view inputName, TableOutput output)
{
    const std::size_t dot = inputName.rfind('.');
    const std::string_view base = dot == std::string_view::npos || dot == 0 ? inputName : inputName.substr(0, dot);
    const char* suffix = output == TableOutput::Kml ? "kml" : output == TableOutput::Gpx ? "gpx" : "csv";
    return std::string(base) + "-umgerechnet." + suffix;
}

BatchFormat converterFormatOf(TableOutput output)
{
    return output == TableOutput::GermanCsv ? BatchFormat::GermanCsv : BatchFormat::Csv;
}

std::unique_ptr<TableSink> makeTableSink(std::ostream& out, TableOutput output, std::string_view title,
                                         bool inputHadByteOrderMark, TmDatum gaussKruegerDatum)
{
    switch (output) {
    case TableOutput::Kml:
        return std::make_unique<MapFileSink>(out, MapFormat::Kml, title);
    case TableOutput::Gpx:
        return std::make_unique<MapFileSink>(out, MapFormat::Gpx, title);
    case TableOutput::GermanCsv:
    case TableOutput::Csv:
        break;
    }
    if (output == TableOutput::GermanCsv || inputHadByteOrderMark)
        out << utf8ByteOrderMark;
    return std::make_unique<CsvTableSink>(out, converterFormatOf(output), gaussKruegerDatum);
}

} // namespace zelv
