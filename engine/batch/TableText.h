#pragma once
// The encodings of table files as spreadsheets save them: UTF-8 with or
// without a byte-order mark, or Windows-1252 (German Excel's "CSV
// (Trennzeichen-getrennt)"), which TableRowReader (TableReader.h) tells
// apart.

#include <string_view>

namespace zelv {

enum class TableEncoding { Utf8, Utf8WithByteOrderMark, Windows1252 };

// The encoding in the words of a message: "UTF-8", "UTF-8 mit Byte-Order-Mark", "Windows-1252".
std::string_view encodingName(TableEncoding encoding);

} // namespace zelv
