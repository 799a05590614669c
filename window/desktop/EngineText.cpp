#include "EngineText.h"

#include "TextUtil.h"
#include "Windows1252.h"

#include <algorithm>

namespace zelv {

namespace {

// Windows-1252 agrees with Latin-1 everywhere but at 0x80..0x9F; texts
// without those codes (numbers, the degree sign, umlauts) pass directly,
// without the round trip through UTF-8 and the converter.
bool isLatin1Code(char16_t code)
{
    return code < 0x80 || (code >= 0xA0 && code <= 0xFF);
}

bool isLatin1Text(std::string_view windows1252)
{
    return std::all_of(windows1252.begin(), windows1252.end(),
                       [](char c) { return isLatin1Code(static_cast<unsigned char>(c)); });
}

} // namespace

QString fromEngineText(std::string_view windows1252)
{
    // An empty view may have no data; the text is empty all the same, not null.
    if (isLatin1Text(windows1252))
        return QString::fromLatin1(windows1252.empty() ? "" : windows1252.data(), qsizetype(windows1252.size()));
    return QString::fromStdString(fromWindows1252(windows1252));
}

bool isSameText(const QString& text, std::string_view windows1252)
{
    if (isLatin1Text(windows1252))
        return text == QLatin1String(windows1252.data(), qsizetype(windows1252.size()));
    return text == fromEngineText(windows1252);
}

std::string toEngineText(const QString& text)
{
    std::string bytes(static_cast<std::size_t>(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t code = text[i].unicode();
        if (!isLatin1Code(code))
            return toWindows1252(text.toStdString());
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(code);
    }
    return bytes;
}

QString trimBlanks(const QString& text)
{
    const QStringView view(text);
    const std::u16string_view whole(view.utf16(), static_cast<std::size_t>(view.size()));
    const std::u16string_view trimmed = trimBlanks(whole);
    return text.sliced(trimmed.data() - whole.data(), static_cast<qsizetype>(trimmed.size()));
}

Separators separatorsOf(const QLocale& locale)
{
    // A separator that Windows-1252 lacks (U+202F in some locales) comes
    // back as the no-break space, the nearest one it has.
    auto oneChar = [](const QString& s, char fallback) {
        const std::string t = toEngineText(s);
        return t.size() == 1 && t[0] != unrepresentableChar ? t[0] : fallback;
    };
    Separators separators;
    separators.decimal = oneChar(locale.decimalPoint(), '.');
    separators.group = oneChar(locale.groupSeparator(), '\xA0');
    return separators;
}

} // namespace zelv
