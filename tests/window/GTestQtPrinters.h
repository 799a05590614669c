#pragma once
// How GoogleTest prints Qt's strings in failure messages.  Without this it
// falls back to dumping QString's QChars byte by byte.  Each widget test
// that compares Qt's strings includes it.

#include <QString>
#include <QStringView>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(QStringView text, std::ostream* os)
{
    *os << '"' << text.toString().toStdString() << '"';
}

inline void PrintTo(QChar c, std::ostream* os)
{
    *os << '\'' << QString(c).toStdString() << '\'';
}
