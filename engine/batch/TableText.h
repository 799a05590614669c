#pragma once
// The text of a table file as spreadsheets save it: UTF-8 with or without a
// byte-order mark, or Windows-1252 (German Excel's "CSV (Trennzeichen-
// getrennt)").  A file that is not valid UTF-8 is taken as Windows-1252,
// since that code page gives every byte a character.

#include <string>
#include <string_view>

namespace zelv {

enum class TableEncoding { Utf8, Utf8WithByteOrderMark, Windows1252 };

struct TableText {
    std::string utf8; // without the byte-order mark
    TableEncoding encoding;
};

TableText decodeTableText(std::string bytes);

// The encoding in the words of a message: "UTF-8", "UTF-8 mit Byte-Order-Mark", "Windows-1252".
std::string_view encodingName(TableEncoding encoding);

} // namespace zelv
