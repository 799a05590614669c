#include "TableText.h"

#include "BatchConversion.h"
#include "Windows1252.h"

#include <utility>

namespace zelv {

bool isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int following = 0;
        unsigned minimum = 0;
        unsigned code = 0;
        if ((lead & 0xE0) == 0xC0) {
            following = 1, minimum = 0x80, code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            following = 2, minimum = 0x800, code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            following = 3, minimum = 0x10000, code = lead & 0x07;
        } else {
            return false;
        }
        if (end - p <= following)
            return false;
        for (int i = 1; i <= following; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and codes beyond Unicode are no UTF-8.
        if (code < minimum || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        p += following + 1;
    }
    return true;
}

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
