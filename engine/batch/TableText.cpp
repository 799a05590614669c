#include "TableText.h"

#include "BatchConversion.h"
#include "Windows1252.h"

#include <utility>

namespace zelv {

TableText decodeTableText(std::string bytes)
{
    if (std::string_view(bytes).starts_with(utf8ByteOrderMark) && isValidUtf8(bytes)) {
        bytes.erase(0, utf8ByteOrderMark.size());
        return {std::move(bytes), TableEncoding::Utf8WithByteOrderMark};
    }
    if (isValidUtf8(bytes))
        return {std::move(bytes), TableEncoding::Utf8};
    return {fromWindows1252(bytes), TableEncoding::Windows1252};
}

std::string_view encodingName(TableEncoding encoding)
{
    switch (encoding) {
    case TableEncoding::Utf8:
        return "UTF-8";
    case TableEncoding::Utf8WithByteOrderMark:
        return "UTF-8 mit Byte-Order-Mark";
    case TableEncoding::Windows1252:
        return "Windows-1252";
    }
    return {};
}

} // namespace zelv
