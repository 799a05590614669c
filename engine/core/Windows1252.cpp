#include "Windows1252.h"

#include "Exception.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace zelv {

namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle openConverter(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Exception(std::string("iconv cannot convert from ") + from + " to " + to);
    return IconvHandle(cd);
}

// Length of the UTF-8 sequence at p and its code point; 0 for an invalid one.
// Overlong forms, surrogates and codes beyond U+10FFFF are invalid: an
// overlong prime must not turn into a minute sign.
std::size_t decodeUtf8(std::string_view s, std::size_t p, char32_t& code)
{
    const auto b0 = static_cast<unsigned char>(s[p]);
    std::size_t len = b0 < 0x80 ? 1 : (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || p + len > s.size())
        return 0;
    code = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[p + i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (b & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[len] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return len;
}

// The five codes that Windows-1252 leaves undefined; fromWindows1252 hands
// them out as the C1 controls of the same number, so they come back.
bool isUndefinedInWindows1252(char32_t code)
{
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

// Runs iconv over the whole input; at each character it cannot take, asks
// `replace` what to write instead and how many input bytes to skip.
template <class Replace>
std::string convert(iconv_t cd, std::string_view input, Replace replace)
{
    std::string out;
    out.reserve(input.size() * 2);
    std::size_t pos = 0;
    char buffer[1024];
    while (pos < input.size()) {
        char* in = const_cast<char*>(input.data() + pos);
        std::size_t inLeft = input.size() - pos;
        char* o = buffer;
        std::size_t oLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        const int err = errno;
        out.append(buffer, static_cast<std::size_t>(o - buffer));
        pos = input.size() - inLeft;
        if (r != static_cast<std::size_t>(-1))
            continue;
        if (err == E2BIG)
            continue;
        // EILSEQ or EINVAL: a character the target lacks, or broken input.
        pos += replace(input, pos, out);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

// A text of bytes below 0x80 reads the same in UTF-8 and in Windows-1252;
// number texts always are, and they pass here on every field read.
bool isAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Windows-1252 agrees with Latin-1, whose codes are the code points, except
// in 0x80..0x9F.
bool isLatin1Alike(std::string_view s)
{
    return std::none_of(s.begin(), s.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x80 && b <= 0x9F;
    });
}

// The code point of a byte, U+0000..U+00FF, in UTF-8.
void appendCodePointOf(unsigned char b, std::string& out)
{
    if (b < 0x80) {
        out += static_cast<char>(b);
        return;
    }
    out += static_cast<char>(0xC0 | (b >> 6));
    out += static_cast<char>(0x80 | (b & 0x3F));
}

// Latin-1 to UTF-8 by the code points, without iconv: the location text with
// its degree signs takes this way, line after line in a batch.
std::string latin1ToUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (const char c : s)
        appendCodePointOf(static_cast<unsigned char>(c), out);
    return out;
}

} // namespace

std::string toWindows1252(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    static thread_local IconvHandle cd = openConverter("WINDOWS-1252", "UTF-8");
    return convert(cd.get(), utf8, [](std::string_view s, std::size_t p, std::string& out) -> std::size_t {
        char32_t code = 0;
        const std::size_t len = decodeUtf8(s, p, code);
        if (len == 0) {
            out += unrepresentableChar;
            return 1;
        }
        switch (code) {
        case U'\u2032': // prime: minutes
        case U'\u02BC': // modifier letter apostrophe
            out += '\'';
            break;
        case U'\u2033': // double prime: seconds
            out += "''";
            break;
        case U'\u02DA': // ring above, used for the degree sign
            out += '\xB0';
            break;
        case U'\u2212': // minus sign of typeset numbers
            out += '-';
            break;
        case U'\u2007': // figure space
        case U'\u2009': // thin space
        case U'\u202F': // narrow no-break space: digit groups in typeset numbers
            out += '\xA0';
            break;
        case U'\uFEFF': // byte order mark, zero width no-break space
        case U'\u200B': // zero width space
        case U'\u200E': // left-to-right mark
        case U'\u200F': // right-to-left mark
        case U'\u2060': // word joiner
            // Invisible format characters, which web pages put around and
            // inside coordinates: they are no character of the text.
            break;
        default:
            out += isUndefinedInWindows1252(code) ? static_cast<char>(code) : unrepresentableChar;
        }
        return len;
    });
}

std::string fromWindows1252(std::string_view windows1252)
{
    if (isAscii(windows1252))
        return std::string(windows1252);
    if (isLatin1Alike(windows1252))
        return latin1ToUtf8(windows1252);
    static thread_local IconvHandle cd = openConverter("UTF-8", "WINDOWS-1252");
    return convert(cd.get(), windows1252, [](std::string_view s, std::size_t p, std::string& out) -> std::size_t {
        // One of the undefined codes 0x81..0x9D: the C1 control of that number.
        appendCodePointOf(static_cast<unsigned char>(s[p]), out);
        return 1;
    });
}

} // namespace zelv
