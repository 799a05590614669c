#pragma once
// A table converted row for row: each row's coordinate cells are read as one
// text by the batch converter (BatchConversion.h), and its cells and result
// go to a sink that writes the table or a map file.  No row is added or
// dropped: a row that fails keeps its cells, gets the converter's empty
// result, and a message "<source>: Zeile <n>: „<text>“: <message>".

#include "BatchConversion.h"
#include "TableReader.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace zelv {

struct TableRowResult {
    const TableRow& cells;
    long long number; // 1 = the table's first row, the header too
    std::string_view name; // the name column's cell; empty without one
    const ConvertedLine& result;
};

class TableSink {
public:
    virtual ~TableSink() = default;
    // `width` is the number of cells of the table's widest row.
    virtual void headerRow(const TableRow& cells, std::size_t width) = 0;
    virtual void row(const TableRowResult& row, std::size_t width) = 0;
};

// Writes the table with the result columns appended, as CSV in the
// converter's format (Csv or GermanCsv): every row is filled up to the
// table's width with empty cells, so the results stand in the same columns.
class CsvTableSink final : public TableSink {
public:
    CsvTableSink(std::ostream& out, BatchFormat format);
    void headerRow(const TableRow& cells, std::size_t width) override;
    void row(const TableRowResult& row, std::size_t width) override;

private:
    void cells(const TableRow& cells, std::size_t width);

    std::ostream& out_;
    BatchFormat format_;
    char delimiter_;
};

// Told after each row how many rows are done; returns false to stop there.
using TableProgress = std::function<bool(std::size_t done)>;

// Converts the rows with `converter`; true when no row failed.  `progress`
// may be empty; a stopped run returns false, with the rows before written.
bool convertTable(BatchConverter& converter, const std::vector<TableRow>& rows, const TableColumns& columns,
                  std::string_view source, TableSink& sink, std::ostream& messages,
                  const TableProgress& progress = {});

} // namespace zelv
