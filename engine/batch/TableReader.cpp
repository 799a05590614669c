#include "TableReader.h"

#include "BatchConversion.h"
#include "Windows1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <istream>

namespace zelv {

namespace {

constexpr std::size_t rowsForDelimiter = 20;
constexpr std::size_t startSize = 256 * 1024;
constexpr std::size_t chunkSize = 256 * 1024;

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

// The row that begins at `at` into `row`, and where the next one begins.
// Nothing when the row runs into the text's end while more text may follow
// (`final` false): the caller reads on and asks again.
std::optional<std::size_t> parseRow(std::string_view text, std::size_t at, char delimiter, bool final, TableRow& row)
{
    row.clear();
    const std::size_t size = text.size();
    for (;;) {
        std::string cell;
        if (at < size && text[at] == '"') {
            ++at;
            for (;;) {
                const std::size_t quote = text.find('"', at);
                if (quote == std::string_view::npos) { // unclosed: the rest is the cell
                    if (!final)
                        return std::nullopt;
                    cell.append(text.substr(at));
                    at = size;
                    break;
                }
                cell.append(text.substr(at, quote - at));
                at = quote + 1;
                if (at == size && !final)
                    return std::nullopt; // a doubled quote may follow
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
        if (delimiter == noDelimiter) {
            end = std::min(text.find('\n', at), size);
        } else {
            while (end < size && text[end] != '\n' && text[end] != delimiter)
                ++end;
        }
        if (end >= size && !final)
            return std::nullopt;
        std::string_view rest = text.substr(at, end - at);
        const bool rowEnds = end >= size || text[end] == '\n';
        if (rowEnds && rest.ends_with('\r'))
            rest.remove_suffix(1);
        cell.append(rest);
        row.push_back(std::move(cell));
        at = end + 1;
        if (rowEnds)
            return std::min(at, size);
    }
}

// Reads rows until `text` ends or `limit` rows are read.
std::vector<TableRow> readRows(std::string_view text, char delimiter, std::size_t limit)
{
    std::vector<TableRow> rows;
    std::size_t at = 0;
    TableRow row;
    while (at < text.size() && rows.size() < limit) {
        at = *parseRow(text, at, delimiter, true, row);
        rows.push_back(row);
    }
    return rows;
}

// Whether the start of a file is UTF-8, but for a character that its end cut short.
bool startIsUtf8(std::string_view start, bool whole)
{
    if (isValidUtf8(start))
        return true;
    for (std::size_t cut = 1; !whole && cut <= 3 && cut < start.size(); ++cut)
        if (isValidUtf8(start.substr(0, start.size() - cut)))
            return true;
    return false;
}

bool isControl(unsigned char c)
{
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7F;
}

// Why a file that begins with `start` is no table; empty if it may be one.
std::string refusalOf(std::string_view start, bool whole)
{
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF"))
        return "ist UTF-16 (Excel: „Unicode-Text“): bitte als „CSV UTF-8“ oder „CSV (Trennzeichen-getrennt)“ "
               "speichern";
    if (start.find('\0') != std::string_view::npos)
        return "enthält Nullbytes: keine Textdatei (vielleicht ein Bild, ein Programm oder ein Dokument)";
    const auto controls = std::ranges::count_if(start, [](char c) { return isControl(static_cast<unsigned char>(c)); });
    if (controls > 8 && static_cast<std::size_t>(controls) * 100 > start.size())
        return "enthält Steuerzeichen: keine Textdatei (vielleicht ein Bild, ein Programm oder ein Dokument)";
    std::string_view text = start;
    if (text.starts_with(utf8ByteOrderMark))
        text.remove_prefix(utf8ByteOrderMark.size());
    if (whole && text.find_first_not_of(" \t\r\n\f") == std::string_view::npos)
        return "ist leer";
    if (start.size() > longestRow && start.substr(0, longestRow + 1).find('\n') == std::string_view::npos)
        return "hat eine erste Zeile von mehr als 64 kB: so lang ist keine Tabellenzeile mit Koordinaten";
    return {};
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

TableRowReader::TableRowReader(std::istream& in) : in_(in)
{
    while (!end_ && buffer_.size() < startSize)
        fill();
    const std::string_view start = buffer_;
    refusal_ = refusalOf(start, end_);
    if (start.starts_with(utf8ByteOrderMark) && startIsUtf8(start, end_)) {
        encoding_ = TableEncoding::Utf8WithByteOrderMark;
        at_ = utf8ByteOrderMark.size();
    } else if (!startIsUtf8(start, end_)) {
        encoding_ = TableEncoding::Windows1252;
    }
    delimiter_ = detectDelimiter(start.substr(at_));
    if (!refusal_.empty()) {
        end_ = true;
        buffer_.clear();
        at_ = 0;
    }
}

bool TableRowReader::fill()
{
    if (end_)
        return false;
    if (at_ > chunkSize) { // what is read is dropped, a chunk at a time
        buffer_.erase(0, at_);
        at_ = 0;
    }
    const std::size_t old = buffer_.size();
    buffer_.resize(old + chunkSize);
    in_.read(buffer_.data() + old, static_cast<std::streamsize>(chunkSize));
    const auto got = static_cast<std::size_t>(in_.gcount());
    buffer_.resize(old + got);
    bytesRead_ += got;
    if (got < chunkSize)
        end_ = true;
    return got > 0;
}

bool TableRowReader::next(TableRow& row)
{
    if (!error_.empty() || !refusal_.empty())
        return false;
    for (;;) {
        if (at_ >= buffer_.size() && end_)
            return false;
        const std::optional<std::size_t> after = parseRow(buffer_, at_, delimiter_, end_, row);
        const std::size_t length = (after ? *after : buffer_.size()) - at_;
        if (length > longestRow) {
            error_ = "Zeile " + std::to_string(rows_ + 1)
                     + " ist länger als 64 kB: so lang ist keine Tabellenzeile mit Koordinaten; "
                       "die Datei wird nicht weiter gelesen";
            return false;
        }
        if (!after) {
            fill();
            continue;
        }
        if (std::string_view(buffer_).substr(at_, length).find('\0') != std::string_view::npos) {
            error_ = "Zeile " + std::to_string(rows_ + 1)
                     + " enthält Nullbytes: keine Textdatei; die Datei wird nicht weiter gelesen";
            return false;
        }
        at_ = *after;
        ++rows_;
        for (std::string& cell : row)
            if (encoding_ == TableEncoding::Windows1252 || !isValidUtf8(cell))
                cell = fromWindows1252(cell);
        return true;
    }
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
    std::size_t width = 0;
    for (const TableRow& row : rows)
        width = std::max(width, row.size());
    bool byName = false;
    const auto find = [&](const std::string& column) -> std::variant<std::size_t, std::string> {
        if (const auto number = columnNumber(column)) {
            if (*number >= width)
                return "keine Spalte " + column + ": die Tabelle hat " + std::to_string(width)
                       + (width == 1 ? " Spalte" : " Spalten");
            return *number;
        }
        std::vector<std::size_t> found;
        for (std::size_t i = 0; i < first.size(); ++i)
            if (sameName(first[i], column))
                found.push_back(i);
        if (found.empty())
            return "keine Spalte „" + column + "“ in der Kopfzeile";
        if (found.size() > 1)
            return "zwei Spalten heißen „" + column + "“: Spalte " + std::to_string(found[0] + 1) + " und Spalte "
                   + std::to_string(found[1] + 1) + "; bitte die gemeinte mit ihrer Nummer nennen";
        byName = true;
        return found.front();
    };
    if (coordinates.empty() || coordinates.size() > 2)
        return std::string("--column nennt eine Spalte oder zwei, durch „,“ getrennt");
    for (const std::string& column : coordinates) {
        if (column.empty())
            return std::string("--column nennt eine leere Spalte");
        auto index = find(column);
        if (auto* error = std::get_if<std::string>(&index))
            return std::move(*error);
        chosen.coordinates.push_back(std::get<std::size_t>(index));
    }
    if (!name.empty()) {
        auto index = find(name);
        if (auto* error = std::get_if<std::string>(&index))
            return std::move(*error);
        chosen.name = std::get<std::size_t>(index);
    }
    chosen.header = byName || (!rows.empty() && !hasDigit(coordinateText(first, chosen.coordinates)));
    for (const std::size_t column : chosen.coordinates)
        chosen.roles.push_back(chosen.header && column < first.size() ? columnRoleOf(first[column])
                                                                      : ColumnRole::None);
    if (chosen.roles.size() == 2 && chosen.roles[0] != ColumnRole::None && chosen.roles[1] == partnerOf(chosen.roles[0])
        && !comesFirst(chosen.roles[0])) {
        std::ranges::reverse(chosen.coordinates);
        std::ranges::reverse(chosen.roles);
        const auto named = [&](std::size_t i) {
            return "„" + first[chosen.coordinates[i]] + "“ (Spalte " + std::to_string(chosen.coordinates[i] + 1) + ")";
        };
        chosen.orderNote = "nach den Namen der Kopfzeile gelesen: " + named(0) + " als " + std::string(roleName(chosen.roles[0]))
                           + ", " + named(1) + " als " + std::string(roleName(chosen.roles[1]));
    }
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
