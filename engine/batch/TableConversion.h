#pragma once
// A table converted row for row: each row's coordinate cells are read as one
// text by the batch converter (BatchConversion.h), and its cells and result
// go to a sink that writes the table or a map file.  No row is added or
// dropped: a row that fails keeps its cells and gets the converter's empty
// result.
//
// Every row that failed or looks doubtful gets a note (the table's last
// column "Hinweis", "note" in English) and a message "<source>: Zeile <n>:
// „<text>“: <note>", where the text is the coordinate text, or the row's
// cells when that is empty.  Doubtful are: marks that a Windows-1252 save
// turned into "?" (Excel's "CSV (Trennzeichen-getrennt)" has no ′ ″), a
// value that contradicts its column's header name (a "Breite" over 90°),
// and a position far from the rest of the list (Plausibility.h).  A
// doubtful row keeps its position.
//
// The far rows are known only once the whole list is placed, so a table is
// converted first (add) and written after (write): the rows are held in
// memory in between, or in a spill stream, which may be a file, and can be
// written as often as asked, to any sink.

#include "BatchConversion.h"
#include "Plausibility.h"
#include "TableReader.h"

#include <cstddef>
#include <deque>
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
    std::string_view note; // why the row failed or looks doubtful; empty for neither
};

class TableSink {
public:
    virtual ~TableSink() = default;
    // `width` is the number of cells of the table's widest row.
    virtual void headerRow(const TableRow& cells, std::size_t width) = 0;
    virtual void row(const TableRowResult& row, std::size_t width) = 0;
    // After the last row: ends the document.
    virtual void finish() {}
};

// The result columns' header of a table: the line mode's, with the datum of
// the latitude and longitude in the German names, and the note column.
std::string tableResultHeader(BatchFormat format, TmDatum gaussKruegerDatum);

// Writes the table with the result columns and the note appended, as CSV in
// the converter's format (Csv or GermanCsv): every row is filled up to the
// table's width with empty cells, so the results stand in the same columns.
class CsvTableSink final : public TableSink {
public:
    CsvTableSink(std::ostream& out, BatchFormat format, TmDatum gaussKruegerDatum = TmDatum::Etrs89Beta2007);
    void headerRow(const TableRow& cells, std::size_t width) override;
    void row(const TableRowResult& row, std::size_t width) override;

private:
    void cells(const TableRow& cells, std::size_t width);

    std::ostream& out_;
    BatchFormat format_;
    TmDatum datum_;
    char delimiter_;
    std::string line_;
};

// A row with a note, as the summary lists it.
struct NotedRow {
    long long number;
    std::string text; // the coordinate text, or the row's cells when that is empty
    std::string note;
    bool failed; // no position
};

class TableConversion {
public:
    // Holds the converted rows in memory until they are written.
    TableConversion(BatchConverter& converter, TableColumns columns);
    // `spill` holds the converted rows until they are written, so that
    // memory stays small; it must be empty, readable and writable (a
    // std::fstream on a temporary file).
    TableConversion(BatchConverter& converter, TableColumns columns, std::iostream& spill);

    // The table's rows in order, the header (when the columns say there is
    // one) first.
    void add(TableRow row);

    // After the last row: every row to `sink` (not finished, so that further
    // tables may follow), and every
    // noted row as a message to `messages`, after `source`.  May be called
    // again, for another sink.  False when the spill could not be read back.
    bool write(TableSink& sink, std::ostream& messages, std::string_view source,
               const std::function<bool(std::size_t done)>& progress = {});

    std::size_t rows() const { return rows_; } // without the header
    std::size_t converted() const { return converted_; }
    std::size_t failed() const { return failed_; }
    // The noted rows in order; complete once write has begun.
    const std::vector<NotedRow>& noted();

private:
    void placeFarRows();
    void hold(TableRow&& cells, ConvertedLine&& result);

    BatchConverter& converter_;
    TableColumns columns_;
    std::iostream* spill_ = nullptr;
    std::vector<std::string> held_; // the rows' records, or those not yet in the spill
    std::size_t width_ = 0;
    std::size_t rows_ = 0;
    std::size_t converted_ = 0;
    std::size_t failed_ = 0;
    bool headerSeen_ = false;
    bool farPlaced_ = false;
    std::deque<PlacedRow> placed_; // grows without copying what it holds
    std::vector<NotedRow> noted_;
};

// Told after each row how many rows are done; returns false to stop there.
using TableProgress = std::function<bool(std::size_t done)>;

// Converts the rows with `converter` through a TableConversion held in
// memory; true when no row failed.  `progress` may be empty; a stopped run
// returns false, with nothing written.
bool convertTable(BatchConverter& converter, const std::vector<TableRow>& rows, const TableColumns& columns,
                  std::string_view source, TableSink& sink, std::ostream& messages,
                  const TableProgress& progress = {});

// A hint for marks lost to a Windows-1252 save: a "?" right after a digit
// ("53°46?42? N") stands where ′ or ″ stood.  Empty when the text shows none.
std::string lostMarksNote(std::string_view text);

} // namespace zelv
