#include "EngineText.h"

#include "Windows1252.h"

namespace zelv {

QString fromEngineText(std::string_view windows1252)
{
    return QString::fromStdString(fromWindows1252(windows1252));
}

std::string toEngineText(const QString& text)
{
    return toWindows1252(text.toStdString());
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
