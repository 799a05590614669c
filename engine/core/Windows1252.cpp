#include "Windows1252.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace zelv {

namespace {

// A byte of 0x80 or above among eight.
constexpr std::uint64_t asciiMask = 0x8080808080808080ull;

// The code points of Windows-1252's bytes 0x80..0x9F; 0 where the code page
// leaves the byte undefined.  The other bytes are their own code points.
constexpr char32_t highControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Length of the UTF-8 sequence at p and its code point; 0 for an invalid one.
// Overlong forms, surrogates and codes beyond U+10FFFF are invalid: an
// overlong prime must not turn into a minute sign.
std::size_t decodeUtf8(std::string_view s, std::size_t p, char32_t& code)
{
    // By first byte: the sequence's length, 0 where no sequence starts.
    static constexpr std::array<unsigned char, 256> lengths = [] {
        std::array<unsigned char, 256> l{};
        for (int b = 0; b < 256; ++b)
            l[static_cast<std::size_t>(b)] = b < 0x80 ? 1 : b < 0xC0 ? 0 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF8 ? 4 : 0;
        return l;
    }();
    const auto b0 = static_cast<unsigned char>(s[p]);
    const std::size_t len = lengths[b0];
    if (len == 0 || p + len > s.size())
        return 0;
    static constexpr unsigned char payload[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    code = b0 & payload[len];
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
    return code >= 0x80 && code <= 0x9F && highControls[code - 0x80] == 0;
}

// The byte of a code point in Windows-1252, with the typographic marks of
// coordinates mapped to the code page's own; -1 for a character that is
// dropped, and unrepresentableChar for one the code page lacks.
int byteOf(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF) || isUndefinedInWindows1252(code))
        return static_cast<int>(code);
    // The characters of 0x80..0x9F by code point, looked up by halving.
    static constexpr std::array<std::pair<char32_t, unsigned char>, 27> byCode = [] {
        std::array<std::pair<char32_t, unsigned char>, 27> pairs{};
        std::size_t n = 0;
        for (int i = 0; i < 32; ++i)
            if (highControls[i] != 0)
                pairs[n++] = {highControls[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }();
    const auto found = std::lower_bound(byCode.begin(), byCode.end(), std::pair<char32_t, unsigned char>{code, 0});
    if (found != byCode.end() && found->first == code)
        return found->second;
    switch (code) {
    case U'\u2032': // prime: minutes
    case U'\u02BC': // modifier letter apostrophe
        return '\'';
    case U'\u02DA': // ring above, used for the degree sign
        return 0xB0;
    case U'\u2212': // minus sign of typeset numbers
        return '-';
    case U'\u2007': // figure space
    case U'\u2009': // thin space
    case U'\u202F': // narrow no-break space: digit groups in typeset numbers
        return 0xA0;
    case U'\uFEFF': // byte order mark, zero width no-break space
    case U'\u200B': // zero width space
    case U'\u200E': // left-to-right mark
    case U'\u200F': // right-to-left mark
    case U'\u2060': // word joiner
        // Invisible format characters, which web pages put around and
        // inside coordinates: they are no character of the text.
        return -1;
    default:
        return static_cast<unsigned char>(unrepresentableChar);
    }
}

// A code point below U+10000 in UTF-8.
void appendCodePointOf(char32_t code, std::string& out)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

void appendWindows1252(std::string_view utf8, std::string& out)
{
    // The bytes of the characters of two bytes in UTF-8, U+0080..U+07FF (none
    // of them is dropped).
    static const std::array<char, 0x800> twoBytes = [] {
        std::array<char, 0x800> bytes{};
        for (char32_t code = 0x80; code < 0x800; ++code)
            bytes[code] = static_cast<char>(byteOf(code));
        return bytes;
    }();
    // No character takes more bytes in the code page than in UTF-8.
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    char* o = out.data() + start;
    std::size_t p = 0;
    while (p < utf8.size()) {
        // Runs of ASCII, most of every text, eight bytes at a time.
        for (std::uint64_t eight = 0; p + 8 <= utf8.size(); p += 8, o += 8) {
            std::memcpy(&eight, utf8.data() + p, 8);
            std::memcpy(o, &eight, 8);
            if (const std::uint64_t high = eight & asciiMask; high != 0) {
                // The ASCII bytes before the first other one stay copied.
                const int ascii = (std::endian::native == std::endian::little ? std::countr_zero(high)
                                                                               : std::countl_zero(high))
                                  / 8;
                p += static_cast<std::size_t>(ascii);
                o += ascii;
                break;
            }
        }
        if (p == utf8.size())
            break;
        const auto b = static_cast<unsigned char>(utf8[p]);
        // Only a first byte (11xxxxxx) followed by a continuation byte
        // (10xxxxxx) may start a character of more than one byte; asked so,
        // broken input takes the short way below.  One comparison of both
        // top bit pairs, for in broken input each alone is a toss-up.
        const unsigned next = p + 1 < utf8.size() ? static_cast<unsigned char>(utf8[p + 1]) : 0u;
        if ((((b & 0xC0u) << 8) | (next & 0xC0u)) == 0xC080u) {
            if (b >= 0xC2 && b < 0xE0) {
                *o++ = twoBytes[((b & 0x1Fu) << 6) | (next & 0x3Fu)];
                p += 2;
                continue;
            }
            char32_t code = 0;
            if (const std::size_t len = decodeUtf8(utf8, p, code)) {
                if (code == U'\u2033') { // double prime: seconds
                    *o++ = '\'';
                    *o++ = '\'';
                } else if (const int byte = byteOf(code); byte >= 0) {
                    *o++ = static_cast<char>(byte);
                }
                p += len;
                continue;
            }
        }
        // An ASCII byte; or one of broken input, which stands alone, and
        // the rest is read on.
        *o++ = b < 0x80 ? static_cast<char>(b) : unrepresentableChar;
        ++p;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

std::string toWindows1252(std::string_view utf8)
{
    std::string out;
    appendWindows1252(utf8, out);
    return out;
}

bool isValidUtf8(std::string_view bytes)
{
    char32_t code = 0;
    for (std::size_t p = 0; p < bytes.size();) {
        const std::size_t len = decodeUtf8(bytes, p, code);
        if (len == 0)
            return false;
        p += len;
    }
    return true;
}

std::string fromWindows1252(std::string_view windows1252)
{
    std::string out;
    out.reserve(windows1252.size() + windows1252.size() / 4);
    for (const char c : windows1252) {
        const auto b = static_cast<unsigned char>(c);
        // The undefined codes 0x81..0x9D become the C1 control of that number.
        const char32_t code = b >= 0x80 && b <= 0x9F && !isUndefinedInWindows1252(b) ? highControls[b - 0x80] : b;
        appendCodePointOf(code, out);
    }
    return out;
}

} // namespace zelv
