#include "TableConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <istream>
#include <ostream>
#include <sstream>

namespace zelv {

namespace {

constexpr std::string_view noCoordinatesInRow = "keine Koordinaten in dieser Zeile";

// Held rows are records in chunks of a megabyte: a count of cells, then
// each cell, the converter's result and its failure, each after its
// length.  Chunks cost far less than a string for every cell, and unlike
// one growing buffer they are never copied.  A record never spans two
// chunks.
constexpr std::size_t spillChunk = 1 << 20;

std::size_t recordSize(const TableRow& cells, const ConvertedLine& result)
{
    std::size_t size = sizeof(std::uint32_t) * (3 + cells.size()) + result.text.size() + result.failure.size();
    for (const std::string& cell : cells)
        size += cell.size();
    return size;
}

void putSize(std::string& out, std::size_t size)
{
    const auto value = static_cast<std::uint32_t>(size);
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putRow(std::string& out, const TableRow& cells, const ConvertedLine& result)
{
    putSize(out, cells.size());
    for (const std::string& cell : cells) {
        putSize(out, cell.size());
        out += cell;
    }
    putSize(out, result.text.size());
    out += result.text;
    putSize(out, result.failure.size());
    out += result.failure;
}

// Reads records from the chunks in memory, or from a stream a chunk at a time.
class RowSource {
public:
    explicit RowSource(const std::vector<std::string>& chunks) : chunks_(&chunks) {}
    explicit RowSource(std::istream& in) : in_(&in) {}

    bool row(TableRow& cells, ConvertedLine& result)
    {
        std::uint32_t count = 0;
        if (!size(count))
            return false;
        cells.resize(count);
        for (std::string& cell : cells)
            if (!text(cell))
                return false;
        return text(result.text) && text(result.failure);
    }

private:
    bool bytes(std::size_t n, std::string_view& out)
    {
        if (chunks_ && held_.empty() && next_ < chunks_->size())
            held_ = (*chunks_)[next_++];
        if (in_ && held_.size() < n) {
            buffer_.assign(held_);
            buffer_.resize(std::max(n, spillChunk));
            in_->read(buffer_.data() + held_.size(), static_cast<std::streamsize>(buffer_.size() - held_.size()));
            buffer_.resize(held_.size() + static_cast<std::size_t>(in_->gcount()));
            held_ = buffer_;
        }
        if (held_.size() < n)
            return false;
        out = held_.substr(0, n);
        held_.remove_prefix(n);
        return true;
    }
    bool size(std::uint32_t& value)
    {
        std::string_view raw;
        if (!bytes(sizeof value, raw))
            return false;
        std::memcpy(&value, raw.data(), sizeof value);
        return true;
    }
    bool text(std::string& out)
    {
        std::uint32_t n = 0;
        std::string_view raw;
        if (!size(n) || !bytes(n, raw))
            return false;
        out.assign(raw);
        return true;
    }

    std::string_view held_;
    const std::vector<std::string>* chunks_ = nullptr;
    std::size_t next_ = 0;
    std::istream* in_ = nullptr;
    std::string buffer_;
};

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

// Each row goes to the stream in one piece: many small writes cost more than the conversion.
void CsvTableSink::cells(const TableRow& row, std::size_t width)
{
    line_.clear();
    for (std::size_t i = 0; i < width; ++i) {
        if (i < row.size())
            appendCsvCell(line_, row[i], delimiter_);
        line_ += delimiter_;
    }
}

void CsvTableSink::headerRow(const TableRow& row, std::size_t width)
{
    cells(row, width);
    line_ += tableResultHeader(format_, datum_);
    line_ += '\n';
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

void CsvTableSink::row(const TableRowResult& row, std::size_t width)
{
    cells(row.cells, width);
    line_ += row.result.text;
    line_ += delimiter_;
    appendCsvCell(line_, row.note, delimiter_);
    line_ += '\n';
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

TableConversion::TableConversion(BatchConverter& converter, TableColumns columns)
    : converter_(converter), columns_(std::move(columns))
{
}

TableConversion::TableConversion(BatchConverter& converter, TableColumns columns, std::iostream& spill)
    : converter_(converter), columns_(std::move(columns)), spill_(&spill)
{
}

void TableConversion::hold(TableRow&& cells, ConvertedLine&& result)
{
    const std::size_t size = recordSize(cells, result);
    if (held_.empty() || held_.back().size() + size > held_.back().capacity()) {
        if (spill_ && !held_.empty()) { // the one chunk goes to the spill and is used again
            spill_->write(held_.back().data(), static_cast<std::streamsize>(held_.back().size()));
            held_.back().clear();
        } else {
            held_.emplace_back().reserve(std::max(spillChunk, size));
        }
    }
    putRow(held_.back(), cells, result);
}

void TableConversion::add(TableRow row)
{
    width_ = std::max(width_, row.size());
    if (columns_.header && !headerSeen_) {
        headerSeen_ = true;
        hold(std::move(row), {});
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
            placed_.push_back({number, static_cast<float>(result.position->Latitude),
                               static_cast<float>(result.position->Longitude), result.gaussKruegerZone});
    }
    if (!note.empty())
        noted_.push_back({number, blank ? joined(row) : text, std::move(note), failed});
    result.position.reset();
    hold(std::move(row), std::move(result));
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
    if (spill_) {
        if (!held_.empty())
            spill_->write(held_.back().data(), static_cast<std::streamsize>(held_.back().size()));
        held_.clear();
        spill_->flush();
        spill_->clear();
        spill_->seekg(0);
    }
    RowSource held = spill_ ? RowSource(*spill_) : RowSource(held_);
    TableRow cells;
    ConvertedLine result;
    const auto nextRow = [&] { return held.row(cells, result); };
    if (headerSeen_) {
        if (!nextRow())
            return false;
        sink.headerRow(cells, width_);
    }
    auto note = noted_.begin();
    const long long first = columns_.header ? 2 : 1;
    for (std::size_t i = 0; i < rows_; ++i) {
        if (!nextRow())
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
    TableConversion conversion(converter, columns);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        conversion.add(rows[i]);
        if (progress && !progress(i + 1))
            return false;
    }
    return conversion.write(sink, messages, source) && conversion.failed() == 0;
}

} // namespace zelv
