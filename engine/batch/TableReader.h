#pragma once
// Tables as spreadsheets save them: rows of cells between ";", tabs or ",",
// with RFC 4180 quoting (a cell in quotes may hold the delimiter, line
// breaks and doubled quotes).  A quote inside an unquoted cell is an
// ordinary character, since coordinates use it for seconds (50°24'53.4"N).
// Rows end in LF or CR LF; a last row need not end at all.

#include "ColumnWords.h"
#include "TableText.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelv {

using TableRow = std::vector<std::string>;

// No delimiter found: every row is one cell.
inline constexpr char noDelimiter = '\0';

// No coordinate text comes near this: a longer row ends the reading.
inline constexpr std::size_t longestRow = 64 * 1024;

std::vector<TableRow> readTableRows(std::string_view text, char delimiter);

// The delimiter of the first rows: of ";", tab and ",", the one that splits
// most of them into the same number of cells, at least two; on a tie the
// first of the three, since ";" and tabs are rarer inside a cell than ",".
char detectDelimiter(std::string_view text);

// A table file read row by row, so that no more than a few rows of it are
// held.  The encoding and the delimiter are taken from its start (up to
// 256 kB); a row that is no UTF-8 in a UTF-8 file is read as Windows-1252,
// as the line mode reads its lines.  The start also tells a file that is
// no table (refusal()): an empty one, one with NUL bytes or other control
// characters (a picture, a program, a word processor's file), UTF-16, or
// a first line longer than longestRow.  Further on, a NUL byte or a row
// longer than longestRow stops the reading (error()).  Cells come as UTF-8.
class TableRowReader {
public:
    explicit TableRowReader(std::istream& in);

    // Empty for a table; else why it is none, as the end of a German
    // sentence that names the file: "ist leer", "enthält Nullbytes: …".
    const std::string& refusal() const { return refusal_; }
    TableEncoding encoding() const { return encoding_; }
    char delimiter() const { return delimiter_; }

    // The next row; false at the end and where the reading stopped.
    bool next(TableRow& row);
    // Why the reading stopped before the end: "Zeile 3 ist länger als 64 kB …".
    const std::string& error() const { return error_; }
    // The bytes taken from the stream so far.
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    bool fill();

    std::istream& in_;
    std::string buffer_;
    std::size_t at_ = 0;
    bool end_ = false;
    std::uint64_t bytesRead_ = 0;
    long long rows_ = 0;
    TableEncoding encoding_ = TableEncoding::Utf8;
    char delimiter_ = noDelimiter;
    std::string refusal_;
    std::string error_;
};

// Columns as the user names them: header names or numbers (1 = first),
// several separated by ",".
std::vector<std::string> splitColumnList(std::string_view list);

struct TableColumns {
    std::vector<std::size_t> coordinates; // one or two, 0-based
    std::optional<std::size_t> name;
    bool header = false; // the first row names the columns
    // What the header says of each coordinate column; None without a header.
    std::vector<ColumnRole> roles;
    // Set when the header's names put two columns in another order than
    // they were given, so that latitude or Rechtswert comes first: the
    // names win, and this says so in a German sentence.
    std::string orderNote;
};

// Finds the named columns in the first rows of a table.  A header row is
// recognised when a column is named by its header; with numbers alone,
// when the first row's coordinate cells hold no digit.  Two coordinate
// columns whose header names say latitude and longitude (or Rechtswert and
// Hochwert, ColumnWords.h) are read in that order, whichever was named
// first.  The error is a German message: a name no header has, a name two
// headers have (with both numbers), a number beyond the widest row.
std::variant<TableColumns, std::string> chooseColumns(const std::vector<TableRow>& rows,
                                                      const std::vector<std::string>& coordinates,
                                                      const std::string& name);

// The coordinate text of a row: its coordinate cells, first first, with a
// blank between; a missing cell counts as empty.
std::string coordinateText(const TableRow& row, const std::vector<std::size_t>& columns);

} // namespace zelv
