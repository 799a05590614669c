#include "TableReader.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace zelv {

namespace {

constexpr std::size_t rowsForDelimiter = 20;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameName(std::string_view a, std::string_view b)
{
    a = trimmed(a);
    b = trimmed(b);
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::optional<std::size_t> columnNumber(std::string_view text)
{
    text = trimmed(text);
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0)
        return std::nullopt;
    return number - 1;
}

bool hasDigit(std::string_view text)
{
    return std::ranges::any_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// Reads rows until `text` ends or `limit` rows are read.
std::vector<TableRow> readRows(std::string_view text, char delimiter, std::size_t limit)
{
    std::vector<TableRow> rows;
    std::size_t at = 0;
    const std::size_t size = text.size();
    while (at < size && rows.size() < limit) {
        TableRow row;
        for (;;) {
            std::string cell;
            if (at < size && text[at] == '"') {
                ++at;
                for (;;) {
                    const std::size_t quote = text.find('"', at);
                    if (quote == std::string_view::npos) { // unclosed: the rest is the cell
                        cell.append(text.substr(at));
                        at = size;
                        break;
                    }
                    cell.append(text.substr(at, quote - at));
                    at = quote + 1;
                    if (at < size && text[at] == '"') {
                        cell += '"';
                        ++at;
                    } else {
                        break;
                    }
                }
            }
            // Unquoted text, or what follows a closing quote, up to the cell's end.
            std::size_t end = at;
            while (end < size && text[end] != '\n' && text[end] != delimiter)
                ++end;
            if (delimiter == noDelimiter)
                end = std::min(text.find('\n', at), size);
            std::string_view rest = text.substr(at, end - at);
            const bool rowEnds = end >= size || text[end] == '\n';
            if (rowEnds && rest.ends_with('\r'))
                rest.remove_suffix(1);
            cell.append(rest);
            row.push_back(std::move(cell));
            at = end + 1;
            if (rowEnds)
                break;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::vector<TableRow> readTableRows(std::string_view text, char delimiter)
{
    return readRows(text, delimiter, static_cast<std::size_t>(-1));
}

char detectDelimiter(std::string_view text)
{
    char best = noDelimiter;
    std::size_t bestScore = 0;
    for (const char candidate : std::array{';', '\t', ','}) {
        const std::vector<TableRow> rows = readRows(text, candidate, rowsForDelimiter);
        std::size_t score = 0;
        if (!rows.empty() && rows.front().size() > 1)
            for (const TableRow& row : rows)
                score += row.size() == rows.front().size() ? 1 : 0;
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

std::vector<std::string> splitColumnList(std::string_view list)
{
    std::vector<std::string> columns;
    for (;;) {
        const std::size_t comma = list.find(',');
        columns.emplace_back(trimmed(list.substr(0, comma)));
        if (comma == std::string_view::npos)
            return columns;
        list.remove_prefix(comma + 1);
    }
}

std::variant<TableColumns, std::string> chooseColumns(const std::vector<TableRow>& rows,
                                                      const std::vector<std::string>& coordinates,
                                                      const std::string& name)
{
    TableColumns chosen;
    const TableRow noRow;
    const TableRow& first = rows.empty() ? noRow : rows.front();
    bool byName = false;
    const auto find = [&](const std::string& column) -> std::optional<std::size_t> {
        if (const auto number = columnNumber(column))
            return number;
        for (std::size_t i = 0; i < first.size(); ++i) {
            if (sameName(first[i], column)) {
                byName = true;
                return i;
            }
        }
        return std::nullopt;
    };
    if (coordinates.empty() || coordinates.size() > 2)
        return std::string("--column nennt eine Spalte oder zwei, durch „,“ getrennt");
    for (const std::string& column : coordinates) {
        if (column.empty())
            return std::string("--column nennt eine leere Spalte");
        const auto index = find(column);
        if (!index)
            return "keine Spalte „" + column + "“ in der Kopfzeile";
        chosen.coordinates.push_back(*index);
    }
    if (!name.empty()) {
        const auto index = find(name);
        if (!index)
            return "keine Spalte „" + name + "“ in der Kopfzeile";
        chosen.name = index;
    }
    chosen.header = byName || (!rows.empty() && !hasDigit(coordinateText(first, chosen.coordinates)));
    return chosen;
}

std::string coordinateText(const TableRow& row, const std::vector<std::size_t>& columns)
{
    std::string text;
    for (const std::size_t column : columns) {
        if (!text.empty())
            text += ' ';
        if (column < row.size())
            text += row[column];
    }
    return text;
}

} // namespace zelv
