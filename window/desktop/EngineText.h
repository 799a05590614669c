#pragma once
// The window's edge to the engine: Qt's Unicode texts on one side, the
// engine's Windows-1252 texts on the other, and the user's separators.

#include "NumberText.h"

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

namespace zelv {

QString fromEngineText(std::string_view windows1252);
std::string toEngineText(const QString& text);
// Whether `text` is fromEngineText(windows1252), without building it.
bool isSameText(const QString& text, std::string_view windows1252);

// The text without blanks (codes up to 0x20) at either end: the engine's
// trimBlanks on Qt's text.
QString trimBlanks(const QString& text);

// The separators of a locale, as the engine takes them.  The window asks for
// QLocale::system() in one place and hands the result on.
Separators separatorsOf(const QLocale& locale);

} // namespace zelv
