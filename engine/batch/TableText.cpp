#include "TableText.h"

namespace zelv {

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
