#include "TableConversion.h"

#include <algorithm>
#include <ostream>

namespace zelv {

CsvTableSink::CsvTableSink(std::ostream& out, BatchFormat format)
    : out_(out), format_(format), delimiter_(format == BatchFormat::GermanCsv ? ';' : ',')
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
    out_ << (format_ == BatchFormat::GermanCsv ? germanCsvHeader : csvHeader) << '\n';
}

void CsvTableSink::row(const TableRowResult& row, std::size_t width)
{
    cells(row.cells, width);
    out_ << row.result.text << '\n';
}

bool convertTable(BatchConverter& converter, const std::vector<TableRow>& rows, const TableColumns& columns,
                  std::string_view source, TableSink& sink, std::ostream& messages,
                  const TableProgress& progress)
{
    std::size_t width = 0;
    for (const TableRow& row : rows)
        width = std::max(width, row.size());
    bool allConverted = true;
    std::size_t first = 0;
    if (columns.header && !rows.empty()) {
        sink.headerRow(rows.front(), width);
        first = 1;
    }
    const std::string_view noName;
    for (std::size_t i = first; i < rows.size(); ++i) {
        const TableRow& row = rows[i];
        const std::string text = coordinateText(row, columns.coordinates);
        ConvertedLine result = converter.convertLine(text);
        const long long number = static_cast<long long>(i) + 1;
        // An empty line has nothing to read; an empty cell in a row with
        // other cells is a place without coordinates.
        if (text.empty() && std::ranges::any_of(row, [](const std::string& cell) { return !cell.empty(); }))
            result.failure = "keine Koordinaten in dieser Zeile";
        if (!result.failure.empty()) {
            messages << source << ": Zeile " << number << ": „" << text << "“: " << result.failure << '\n';
            allConverted = false;
        }
        const std::string_view name =
            columns.name && *columns.name < row.size() ? std::string_view(row[*columns.name]) : noName;
        sink.row({row, number, name, result}, width);
        if (progress && !progress(i + 1))
            return false;
    }
    return allConverted;
}

} // namespace zelv
