#pragma once
// Tables as spreadsheets save them: rows of cells between ";", tabs or ",",
// with RFC 4180 quoting (a cell in quotes may hold the delimiter, line
// breaks and doubled quotes).  A quote inside an unquoted cell is an
// ordinary character, since coordinates use it for seconds (50°24'53.4"N).
// Rows end in LF or CR LF; a last row need not end at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelv {

using TableRow = std::vector<std::string>;

// No delimiter found: every row is one cell.
inline constexpr char noDelimiter = '\0';

std::vector<TableRow> readTableRows(std::string_view text, char delimiter);

// The delimiter of the first rows: of ";", tab and ",", the one that splits
// most of them into the same number of cells, at least two; on a tie the
// first of the three, since ";" and tabs are rarer inside a cell than ",".
char detectDelimiter(std::string_view text);

// Columns as the user names them: header names or numbers (1 = first),
// several separated by ",".
std::vector<std::string> splitColumnList(std::string_view list);

struct TableColumns {
    std::vector<std::size_t> coordinates; // one or two, 0-based
    std::optional<std::size_t> name;
    bool header = false; // the first row names the columns
};

// Finds the named columns.  A header row is recognised when a column is
// named by its header; with numbers alone, when the first row's coordinate
// cells hold no digit.  The error is a German message.
std::variant<TableColumns, std::string> chooseColumns(const std::vector<TableRow>& rows,
                                                      const std::vector<std::string>& coordinates,
                                                      const std::string& name);

// The coordinate text of a row: its coordinate cells, first first, with a
// blank between; a missing cell counts as empty.
std::string coordinateText(const TableRow& row, const std::vector<std::size_t>& columns);

} // namespace zelv
