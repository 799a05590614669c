#pragma once
// The texts the soak types, pastes and writes: numbers and garbage for the
// fields, clipboard texts around the notations' examples, and settings files
// as a user or another program might leave them.  Every choice comes from
// the soak's Random, so a seed gives the same texts.

#include "SoakHarness.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelv::soak {

// `count` decimal digits.
QString digits(Random& random, int count);

// What a user might type into a numeric field: numbers with either
// separator, signs, exponents, blanks, letters, and very long numbers.
QString typedText(Random& random);

// The examples of the clipboard notations: the files of the clipboard
// reader's fuzz corpus in `corpus`, so that a notation added there is pasted
// here too.  Files that are valid UTF-8 are read as such, the others as
// Windows-1252.  Three built-in examples when the directory has none.
QStringList notationExamples(const QString& corpus);

// A text for the clipboard: a notation's example as it is or slightly
// changed, a number, garbage, a long text, a text with NUL bytes, or the
// location text as "kopieren" would have put it there.
QString clipboardText(Random& random, const QStringList& examples, const QString& locationText);

// A changed copy of a settings file: values replaced by numbers and
// non-numbers, lines dropped, doubled, commented out or added, binary junk,
// another section, CR LF line ends, byte order marks, a cut-off end.
QByteArray editedSettings(Random& random, QByteArray content);

} // namespace zelv::soak
