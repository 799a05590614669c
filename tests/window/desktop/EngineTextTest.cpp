// The window's edge to the engine converts most texts directly, as Latin-1,
// and only the rest through UTF-8 and the engine's converter.  Both ways
// must agree on every character.

#include "EngineText.h"
#include "GTestQtPrinters.h"
#include "Windows1252.h"

#include <QString>
#include <gtest/gtest.h>

#include <string>

namespace zelv {
namespace {

using namespace std::string_literals;

QString throughUtf8(const std::string& windows1252)
{
    return QString::fromStdString(fromWindows1252(windows1252));
}

std::string throughUtf8(const QString& text)
{
    return toWindows1252(text.toStdString());
}

TEST(EngineText, EveryByteAsTheConverterHasIt)
{
    for (int code = 0; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        EXPECT_EQ(fromEngineText(byte), throughUtf8(byte)) << code;
    }
}

TEST(EngineText, EveryUtf16CodeAsTheConverterHasIt)
{
    // Lone surrogates included: they become the unrepresentable character.
    for (int code = 0; code < 0x10000; ++code) {
        const QString text(QChar(static_cast<char16_t>(code)));
        ASSERT_EQ(toEngineText(text), throughUtf8(text)) << code;
    }
}

TEST(EngineText, MixedTexts)
{
    const struct {
        QString text;
        std::string windows1252;
    } cases[] = {
        {QStringLiteral("10,769431"), "10,769431"},
        {QString::fromUtf8("liegt bei 50.41484\u00B0N 10.76943\u00B0O;"), "liegt bei 50.41484\xB0N 10.76943\xB0O;"},
        {QString::fromUtf8("5 \u20AC"), "5 \x80"},                  // a code only Windows-1252 has
        {QString::fromUtf8("52\u00B031\u2032N"), "52\xB0" "31'N"},  // after Latin-1 characters
        {QString::fromUtf8("1\U0001F600"), "1?"},                    // a surrogate pair
        {QStringLiteral("a\0b"), "a\0b"s},
        {QString(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toEngineText(c.text), c.windows1252) << c.text.toStdString();
        EXPECT_EQ(fromEngineText(toEngineText(c.text)), throughUtf8(c.windows1252)) << c.text.toStdString();
        EXPECT_TRUE(isSameText(throughUtf8(c.windows1252), c.windows1252)) << c.text.toStdString();
        EXPECT_FALSE(isSameText(throughUtf8(c.windows1252) + u'0', c.windows1252)) << c.text.toStdString();
    }
    EXPECT_FALSE(fromEngineText(std::string_view()).isNull());
    EXPECT_TRUE(isSameText(QString(), std::string_view()));
    EXPECT_TRUE(isSameText(QStringLiteral(""), std::string_view()));
}

TEST(EngineText, TrimBlanksKeepsWhatWindows1252Lacks)
{
    // Cut on the UTF-16 text itself: characters outside Windows-1252 stay.
    EXPECT_EQ(trimBlanks(QString::fromUtf16(u"\t \u0142\U0001F600 \u0663\r\n")),
              QString::fromUtf16(u"\u0142\U0001F600 \u0663"));
    EXPECT_EQ(trimBlanks(QStringLiteral(" \x01 ")), QString());
    EXPECT_EQ(trimBlanks(QString()), QString());
}

} // namespace
} // namespace zelv
