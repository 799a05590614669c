#pragma once
// What the command line and the list dialog both decide before a table is
// converted: which columns hold the coordinates and the place's name when
// nobody said, and where and how the result is written.

#include "BatchConversion.h"
#include "TableConversion.h"
#include "TableReader.h"

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelv {

struct GuessedColumns {
    std::vector<std::size_t> coordinates; // one or two, first first; empty when no column reads
    std::optional<std::size_t> name;
    bool byHeader = false; // the header's names said it (ColumnWords.h)
};

// Guesses from the first rows of a table (a few dozen are enough): first by
// the header's names, latitude and longitude or Rechtswert and Hochwert in
// two columns, whatever their order; else by the values, the column where
// most rows read as coordinates, or two neighbouring columns that read
// together in more rows than any single one.  The name column is the first
// other column of words rather than numbers.
GuessedColumns guessColumns(const std::vector<TableRow>& rows, BatchConverter& converter);

// The columns as --column names them: the header's names where the first row
// is a header and each name is found once, else the numbers; "Breite,Länge", "4".
std::string columnOption(const std::vector<TableRow>& rows, const std::vector<std::size_t>& columns);

enum class TableOutput { Csv, GermanCsv, Kml, Gpx };

// The result's file name beside the input's: "orte.csv" gives
// "orte-umgerechnet.csv", ".kml" or ".gpx" (the last suffix replaced).
std::string defaultOutputName(std::string_view inputName, TableOutput output);

// The converter's format for an output; map files take the plain CSV row.
BatchFormat converterFormatOf(TableOutput output);

// The writer of an output.  A table for German spreadsheets begins with
// the UTF-8 byte-order mark, by which Excel knows the encoding, and so does
// a plain one when the input had the mark.  `title` names a KML document.
std::unique_ptr<TableSink> makeTableSink(std::ostream& out, TableOutput output, std::string_view title,
                                         bool inputHadByteOrderMark, TmDatum gaussKruegerDatum);

} // namespace zelv
