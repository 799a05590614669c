#include "Windows1252.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace zelv
