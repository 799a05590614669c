#include "Windows1252.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zelv {
namespace {

using namespace std::string_literals;

struct EncodingCase {
    const char* what;
    std::string utf8;
    std::string windows1252;
};

TEST(ToWindows1252, TableOfTexts)
{
    const EncodingCase cases[] = {
        {"plain ASCII", "52N 13O", "52N 13O"},
        {"umlaut", "S\u00FCd", "S\xFC" "d"},
        {"degree sign", "52\u00B031'N", "52\xB0" "31'N"},
        {"sharp s and euro keep their codes", "Stra\u00DFe \u20AC", "Stra\xDF" "e \x80"},
        {"curly quote keeps its code", "\u2019", "\x92"},
        {"prime", "52\u00B031\u2032N", "52\xB0" "31'N"},
        {"double prime", "12\u2033", "12''"},
        {"modifier apostrophe", "31\u02BCN", "31'N"},
        {"ring above", "52\u02DA31'N", "52\xB0" "31'N"},
        {"minus sign", "\u221233.9", "-33.9"},
        {"thin and narrow no-break spaces group digits", "4\u2009412\u202F345\u2007", "4\xA0" "412\xA0" "345\xA0"},
        {"invisible format characters dropped", "\uFEFF51.15\u200B\u200E; 14.98\u200F\u2060", "51.15; 14.98"},
        {"letter outside the code page", "\u0142\u00F3d\u017A", "?\xF3" "d?"},
        {"emoji", "1\U0001F600" "2", "1?2"},
        {"line breaks and tabs kept", "52\u00B031'N\r\n\t13\u00B024'O\n", "52\xB0" "31'N\r\n\t13\xB0" "24'O\n"},
        {"control characters kept", "a\0b\x01\x1F\x7F"s, "a\0b\x01\x1F\x7F"s},
        {"the five undefined codes as C1 controls", "\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},
        {"other C1 controls are lacking", "\u0080\u009F", "??"},
        {"empty", "", ""},
        // Invalid UTF-8: each offending byte stands alone, the rest is read on.
        {"lone continuation byte", "1\x80" "2", "1?2"},
        {"lead byte at the end", "1\xC3", "1?"},
        {"cut three-byte sequence", "\xE2\x80" "A", "??A"},
        {"lead byte before ASCII", "\xC3" "A", "?A"},
        {"overlong NUL", "\xC0\x80", "??"},
        {"overlong prime is no minute sign", "\xF0\x82\x80\xB2", "????"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"bytes never valid", "\xFE\xFF", "??"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toWindows1252(c.utf8), c.windows1252) << c.what;
}

TEST(FromWindows1252, TableOfTexts)
{
    const EncodingCase cases[] = {
        {"umlaut", "S\u00FCd", "S\xFC" "d"},
        {"degree sign", "\u00B0", "\xB0"},
        {"euro and curly quote", "\u20AC\u2019", "\x80\x92"},
        {"undefined codes", "\u0081\u009D", "\x81\x9D"},
        {"NUL and line breaks", "\0\r\n"s, "\0\r\n"s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fromWindows1252(c.windows1252), c.utf8) << c.what;
}

TEST(Windows1252, EveryByteComesBack)
{
    std::string all;
    for (int code = 0; code < 256; ++code)
        all += static_cast<char>(code);
    // Long enough to take several rounds through the converter's buffer.
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += all;
    const std::string utf8 = fromWindows1252(text);
    EXPECT_GT(utf8.size(), text.size());
    EXPECT_EQ(toWindows1252(utf8), text);
}

std::string utf8Of(char32_t code)
{
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// glibc's converter as the oracle for the code page's table: one text at a
// time, nothing where it cannot convert.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> operator()(std::string in)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* i = in.data();
        std::size_t inLeft = in.size();
        char* o = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd_, &i, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return std::string(buffer, static_cast<std::size_t>(o - buffer));
    }

private:
    iconv_t cd_;
};

TEST(Windows1252, AgreesWithTheSystemConverterOnEveryCharacter)
{
    Iconv toCodePage("WINDOWS-1252", "UTF-8");
    Iconv fromCodePage("UTF-8", "WINDOWS-1252");
    if (!toCodePage.usable() || !fromCodePage.usable())
        GTEST_SKIP() << "the system's iconv lacks Windows-1252";
    // The characters mapped on purpose where the code page lacks them.
    const std::set<char32_t> ownMappings{0x2032, 0x02BC, 0x2033, 0x02DA, 0x2212, 0x2007, 0x2009, 0x202F,
                                         0xFEFF, 0x200B, 0x200E, 0x200F, 0x2060, 0x81,   0x8D,   0x8F,
                                         0x90,   0x9D};
    // Every character of the code page lies in the first plane; two beyond.
    std::vector<char32_t> codes;
    for (char32_t code = 0; code < 0x10000; ++code)
        if (code < 0xD800 || code > 0xDFFF)
            codes.push_back(code);
    codes.insert(codes.end(), {0x10000, 0x1F600, 0x10FFFF});
    for (const char32_t code : codes) {
        if (ownMappings.count(code))
            continue;
        const std::optional<std::string> expected = toCodePage(utf8Of(code));
        ASSERT_EQ(toWindows1252(utf8Of(code)), expected.value_or("?")) << "U+" << std::hex << static_cast<unsigned>(code);
    }
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        if (const std::optional<std::string> expected = fromCodePage(text)) {
            ASSERT_EQ(fromWindows1252(text), *expected) << "byte " << byte;
        }
    }
}

} // namespace
} // namespace zelv
