#pragma once
// One INI file, edited the way the classic profile functions edit it: a
// known key keeps its line and gets a new value, a new key goes to the end
// of its section, a missing section is appended to the file, and every other
// byte (comments, unknown lines, other sections, line endings) stays as it
// was.  The whole file is read into memory, edited there and written back in
// one atomic replacement, so a crash or a full disk never leaves half a file.
//
// Syntax, as read here:
// - lines end in "\n" or "\r\n"; the last line may lack an ending;
// - a line whose first non-blank character is "[" and that holds a "]" opens
//   the section named by the trimmed text between them;
// - a line whose first non-blank character is ";" is a comment;
// - any other line with a "=" is a key line: trimmed key before the first
//   "=", trimmed value after it;
// - everything else is kept and otherwise ignored, NUL bytes included.
// Section and key names match ignoring case.  When a section or a key occurs
// more than once, the first one counts, for reading and for writing alike.
//
// Encoding: the file is a byte stream; names and values are UTF-8.  Bytes
// that are no valid UTF-8 never stop anything: in an unrelated line they are
// kept as they are, in a value they decode to U+FFFD.  A UTF-8 byte order
// mark at the start is kept and skipped when parsing.  Blanks are the
// characters up to and including the space (tabs and other control
// characters too).

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace zelv {

class IniFile {
public:
    // A bigger file is no settings file; it is not read and not replaced.
    static constexpr qint64 maximumFileSize = 16 * 1024 * 1024;
    // The classic reader's buffer holds this many characters of a value.
    static constexpr int maximumValueLength = 2047;

    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    // Reads the whole file.  A missing file reads as an empty one.  False
    // when the file exists but cannot be read completely (no permission, a
    // directory, larger than maximumFileSize); the content is empty then.
    bool load();

    // The value of `key` in `section` as the classic reader returns it:
    // trimmed of blanks, one pair of enclosing quotes removed when it starts
    // and ends with the same quote character (both " or both '), then cut to
    // maximumValueLength characters.  nullopt when section or key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // Sets `key` in `section` to `value`, written as given (the caller adds
    // quotes that the reader is to strip).  Only the memory copy changes.
    // The file can carry names and values without line breaks (no CR, no
    // LF: a value ending in CR would end its line in CR LF), a section
    // name without "]" and a key without "=" and not starting with "[" or
    // ";", both without blanks at either end; other ones do not read back.
    void setValue(QStringView section, QStringView key, QStringView value);

    // Replaces the file by the edited content in one atomic step, creating
    // its directory first if needed.  False when anything fails; the file on
    // disk is then exactly as it was.
    bool save();

    // The file's bytes as they would be saved.
    QByteArray content() const;
    void setContent(const QByteArray& bytes);

private:
    struct Line {
        QByteArray text; // without its line ending
        QByteArray ending; // "\n", "\r\n" or empty for the last line
    };

    int findSection(QStringView section) const;
    int sectionEnd(int header) const;
    int findKey(int header, int end, QStringView key) const;
    QByteArray newLineEnding() const;

    QString path_;
    std::vector<Line> lines_;
};

} // namespace zelv
