#include "TableConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <istream>
#include <ostream>
#include <sstream>

namespace zelv {

namespace {

constexpr std::string_view noCoordinatesInRow = "keine Koordinaten in dieser Zeile";

void putText(std::ostream& out, std::string_view text)
{
    const auto size = static_cast<std::uint32_t>(text.size());
    out.write(reinterpret_cast<const char*>(&size), sizeof size);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

bool getText(std::istream& in, std::string& text)
{
    std::uint32_t size = 0;
    if (!in.read(reinterpret_cast<char*>(&size), sizeof size))
        return false;
    text.resize(size);
    return static_cast<bool>(in.read(text.data(), size));
}

// A spilled row: its cells, then the converter's result and failure.
void putRow(std::ostream& out, const TableRow& cells, const ConvertedLine& result)
{
    const auto count = static_cast<std::uint32_t>(cells.size());
    out.write(reinterpret_cast<const char*>(&count), sizeof count);
    for (const std::string& cell : cells)
        putText(out, cell);
    putText(out, result.text);
    putText(out, result.failure);
}

bool getRow(std::istream& in, TableRow& cells, ConvertedLine& result)
{
    std::uint32_t count = 0;
    if (!in.read(reinterpret_cast<char*>(&count), sizeof count))
        return false;
    cells.resize(count);
    for (std::string& cell : cells)
        if (!getText(in, cell))
            return false;
    return getText(in, result.text) && getText(in, result.failure);
}

// A cell that is one plain decimal number, "53,82" or "-22.36°"; else nothing.
std::optional<double> plainNumber(std::string_view cell)
{
    const auto first = cell.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    cell.remove_prefix(first);
    while (cell.ends_with(' '))
        cell.remove_suffix(1);
    if (cell.ends_with("°"))
        cell.remove_suffix(std::string_view("°").size());
    std::string text(cell);
    std::ranges::replace(text, ',', '.');
    if (text.starts_with('+'))
        text.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A latitude cell beyond 90° or a longitude cell beyond 180°, by the header's names.
std::string contradictionOf(const TableRow& row, const TableColumns& columns)
{
    for (std::size_t i = 0; i < columns.roles.size(); ++i) {
        const ColumnRole role = columns.roles[i];
        const double limit = role == ColumnRole::Latitude ? 90 : role == ColumnRole::Longitude ? 180 : 0;
        if (limit == 0 || columns.coordinates[i] >= row.size())
            continue;
        const std::string& cell = row[columns.coordinates[i]];
        const std::optional<double> value = plainNumber(cell);
        if (!value || std::abs(*value) <= limit)
            continue;
        std::string note = "in der Spalte „" + std::string(roleName(role)) + "“ steht " + cell + ", mehr als "
                           + (role == ColumnRole::Latitude ? "90°" : "180°");
        if (role == ColumnRole::Latitude)
            note += " – Breite und Länge vertauscht?";
        return note;
    }
    return {};
}

std::string joined(const TableRow& cells)
{
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i)
        text += (i ? ";" : "") + cells[i];
    return text;
}

void addTo(std::string& note, std::string_view more)
{
    if (more.empty())
        return;
    if (!note.empty())
        note += "; ";
    note += more;
}

} // namespace

std::string lostMarksNote(std::string_view text)
{
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] == '?' && text[i - 1] >= '0' && text[i - 1] <= '9')
            return "„?“ statt ′ oder ″: die Zeichen gingen beim Speichern als „CSV (Trennzeichen-getrennt)“ "
                   "verloren – die Liste als „CSV UTF-8“ speichern";
    return {};
}

std::string tableResultHeader(BatchFormat format, TmDatum gaussKruegerDatum)
{
    if (format != BatchFormat::GermanCsv)
        return std::string(csvHeader) + ",note";
    const std::string_view datum =
        gaussKruegerDatum == TmDatum::Bessel ? " (WGS 84; Gauß-Krüger: Bessel)" : " (WGS 84)";
    std::string header(germanCsvHeader);
    const std::string_view coordinates = "Breite;Länge";
    header.replace(0, coordinates.size(), "Breite" + std::string(datum) + ";Länge" + std::string(datum));
    return header + ";Hinweis";
}

CsvTableSink::CsvTableSink(std::ostream& out, BatchFormat format, TmDatum gaussKruegerDatum)
    : out_(out), format_(format), datum_(gaussKruegerDatum), delimiter_(format == BatchFormat::GermanCsv ? ';' : ',')
{
}

void CsvTableSink::cells(const TableRow& row, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i) {
        if (i < row.size())
            out_ << csvCell(row[i], delimiter_);
        out_ << delimiter_;
    }
}

void CsvTableSink::headerRow(const TableRow& row, std::size_t width)
{
    cells(row, width);
    out_ << tableResultHeader(format_, datum_) << '\n';
}

void CsvTableSink::row(const TableRowResult& row, std::size_t width)
{
    cells(row.cells, width);
    out_ << row.result.text << delimiter_ << csvCell(row.note, delimiter_) << '\n';
}

TableConversion::TableConversion(BatchConverter& converter, TableColumns columns, std::iostream& spill)
    : converter_(converter), columns_(std::move(columns)), spill_(spill)
{
}

void TableConversion::add(const TableRow& row)
{
    width_ = std::max(width_, row.size());
    if (columns_.header && !headerSeen_) {
        headerSeen_ = true;
        putRow(spill_, row, {});
        return;
    }
    ++rows_;
    const long long number = static_cast<long long>(rows_) + (columns_.header ? 1 : 0);
    const std::string text = coordinateText(row, columns_.coordinates);
    ConvertedLine result = converter_.convertLine(text);
    const bool blank = text.find_first_not_of(' ') == std::string::npos;
    // An empty line has nothing to read; an empty cell in a row with
    // other cells is a place without coordinates.
    if (blank && std::ranges::any_of(row, [](const std::string& cell) { return !cell.empty(); }))
        result.failure = noCoordinatesInRow;

    std::string note;
    const std::string contradiction = contradictionOf(row, columns_);
    const std::string lostMarks = lostMarksNote(text);
    const bool failed = !result.failure.empty();
    if (failed) {
        // A cause found here says more than the reader's word on the symptom.
        addTo(note, lostMarks.empty() ? contradiction : lostMarks);
        if (note.empty())
            note = result.failure;
        ++failed_;
    } else if (!blank) {
        addTo(note, contradiction);
        addTo(note, lostMarks);
        ++converted_;
        if (result.position)
            placed_.push_back({number, result.position->Latitude, result.position->Longitude, result.gaussKruegerZone});
    }
    if (!note.empty())
        noted_.push_back({number, blank ? joined(row) : text, std::move(note), failed});
    putRow(spill_, row, result);
}

void TableConversion::placeFarRows()
{
    if (farPlaced_)
        return;
    farPlaced_ = true;
    for (FarRow& far : farFromTheRest(placed_)) {
        const auto at = std::ranges::lower_bound(noted_, far.number, {}, &NotedRow::number);
        if (at != noted_.end() && at->number == far.number)
            addTo(at->note, far.note);
        else
            noted_.insert(at, {far.number, {}, std::move(far.note), false}); // its text comes with write
    }
    placed_ = {};
}

const std::vector<NotedRow>& TableConversion::noted()
{
    placeFarRows();
    return noted_;
}

bool TableConversion::write(TableSink& sink, std::ostream& messages, std::string_view source,
                            const std::function<bool(std::size_t done)>& progress)
{
    placeFarRows();
    spill_.clear();
    spill_.seekg(0);
    TableRow cells;
    ConvertedLine result;
    if (headerSeen_) {
        if (!getRow(spill_, cells, result))
            return false;
        sink.headerRow(cells, width_);
    }
    auto note = noted_.begin();
    const long long first = columns_.header ? 2 : 1;
    for (std::size_t i = 0; i < rows_; ++i) {
        if (!getRow(spill_, cells, result))
            return false;
        const long long number = first + static_cast<long long>(i);
        std::string_view noteText;
        if (note != noted_.end() && note->number == number) {
            if (note->text.empty())
                note->text = coordinateText(cells, columns_.coordinates);
            messages << source << ": Zeile " << number << ": „" << note->text << "“: " << note->note << '\n';
            noteText = note->note;
            ++note;
        }
        const std::string_view name =
            columns_.name && *columns_.name < cells.size() ? std::string_view(cells[*columns_.name]) : std::string_view();
        sink.row({cells, number, name, result, noteText}, width_);
        if (progress && !progress(i + 1))
            return false;
    }
    return true;
}

bool convertTable(BatchConverter& converter, const std::vector<TableRow>& rows, const TableColumns& columns,
                  std::string_view source, TableSink& sink, std::ostream& messages, const TableProgress& progress)
{
    std::stringstream spill;
    TableConversion conversion(converter, columns, spill);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        conversion.add(rows[i]);
        if (progress && !progress(i + 1))
            return false;
    }
    return conversion.write(sink, messages, source) && conversion.failed() == 0;
}

} // namespace zelv
