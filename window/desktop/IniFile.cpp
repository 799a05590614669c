#include "IniFile.h"

#include "TextUtil.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <utility>

namespace zelv {

namespace {

// Blanks are bytes up to 0x20; no byte of a multi-byte UTF-8 character is one.
QByteArrayView trimmed(QByteArrayView text)
{
    const std::string_view bytes = trimBlanks(std::string_view(text.data(), static_cast<std::size_t>(text.size())));
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Where parsing of a line starts: after the blanks, and on the first line
// after a UTF-8 byte order mark.
qsizetype contentStart(QByteArrayView text, bool firstLine)
{
    qsizetype i = 0;
    if (firstLine && text.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

std::optional<QByteArrayView> sectionName(QByteArrayView text, bool firstLine)
{
    const qsizetype start = contentStart(text, firstLine);
    if (start >= text.size() || text[start] != '[')
        return std::nullopt;
    const qsizetype close = text.indexOf(']', start + 1);
    if (close < 0)
        return std::nullopt;
    return trimmed(text.sliced(start + 1, close - start - 1));
}

// Position of the "=" of a key line, -1 for any other line.
qsizetype equalsSign(QByteArrayView text, bool firstLine)
{
    const qsizetype start = contentStart(text, firstLine);
    if (start >= text.size() || text[start] == ';' || text[start] == '[')
        return -1;
    return text.indexOf('=', start);
}

// A name or value as text.  QString::fromUtf8 would drop a byte order mark
// in front, so that a key or value starting with U+FEFF would not read back.
QString decoded(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool sameName(QByteArrayView stored, QStringView wanted)
{
    return decoded(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

bool IniFile::load()
{
    lines_.clear();
    const QFileInfo info(path_);
    if (!info.exists())
        return true;
    if (info.size() > maximumFileSize)
        return false;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // In pieces up to one byte more than allowed: a device that reports no
    // size (a pipe, a growing file) is caught by the same limit, and a small
    // file costs no buffer of the largest size.
    QByteArray bytes;
    while (bytes.size() <= maximumFileSize) {
        const QByteArray piece = file.read(std::min<qint64>(64 * 1024, maximumFileSize + 1 - bytes.size()));
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError || bytes.size() > maximumFileSize)
        return false;
    setContent(bytes);
    return true;
}

void IniFile::setContent(const QByteArray& bytes)
{
    lines_.clear();
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines_.push_back({bytes.sliced(start), {}});
            break;
        }
        qsizetype end = newline;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines_.push_back({bytes.sliced(start, end - start), bytes.sliced(end, newline + 1 - end)});
        start = newline + 1;
    }
}

QByteArray IniFile::content() const
{
    QByteArray bytes;
    for (const Line& line : lines_)
        bytes += line.text + line.ending;
    return bytes;
}

int IniFile::findSection(QStringView section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text, i == 0);
        if (name && sameName(*name, section))
            return static_cast<int>(i);
    }
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i)
        if (sectionName(lines_[i].text, false))
            return static_cast<int>(i);
    return static_cast<int>(lines_.size());
}

int IniFile::findKey(int header, int end, QStringView key) const
{
    for (int i = header + 1; i < end; ++i) {
        const QByteArrayView text = lines_[static_cast<std::size_t>(i)].text;
        const qsizetype equals = equalsSign(text, false);
        if (equals >= 0 && sameName(trimmed(text.first(equals)), key))
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int line = findKey(header, sectionEnd(header), key);
    if (line < 0)
        return std::nullopt;
    const QByteArrayView text = lines_[static_cast<std::size_t>(line)].text;
    QByteArrayView raw = trimmed(text.sliced(equalsSign(text, false) + 1));
    if (raw.size() >= 2 && raw.front() == raw.back() && (raw.front() == '"' || raw.front() == '\''))
        raw = raw.sliced(1, raw.size() - 2);
    // A UTF-8 character has at most 4 bytes, so this cut keeps every
    // character that survives the cut below; it only spares decoding a
    // value of megabytes.
    const qsizetype byteLimit = 4 * qsizetype{maximumValueLength};
    if (raw.size() > byteLimit)
        raw = raw.first(byteLimit);
    return decoded(raw).left(maximumValueLength);
}

QByteArray IniFile::newLineEnding() const
{
    for (const Line& line : lines_)
        if (!line.ending.isEmpty())
            return line.ending;
    return "\n";
}

void IniFile::setValue(QStringView section, QStringView key, QStringView value)
{
    const QByteArray ending = newLineEnding();
    const QByteArray keyLine = key.toUtf8() + '=' + value.toUtf8();
    const int header = findSection(section);
    if (header < 0) {
        if (!lines_.empty() && lines_.back().ending.isEmpty())
            lines_.back().ending = ending;
        lines_.push_back({'[' + section.toUtf8() + ']', ending});
        lines_.push_back({keyLine, ending});
        return;
    }
    const int end = sectionEnd(header);
    const int line = findKey(header, end, key);
    if (line >= 0) {
        // The line keeps its own spelling of the key and its ending.
        Line& known = lines_[static_cast<std::size_t>(line)];
        known.text = known.text.first(equalsSign(known.text, false) + 1) + value.toUtf8();
        return;
    }
    // After the section's last non-blank line, so blank lines that set the
    // next section apart stay in front of it.
    int last = end - 1;
    while (last > header && trimmed(lines_[static_cast<std::size_t>(last)].text).isEmpty())
        --last;
    if (lines_[static_cast<std::size_t>(last)].ending.isEmpty())
        lines_[static_cast<std::size_t>(last)].ending = ending;
    lines_.insert(lines_.begin() + last + 1, Line{keyLine, ending});
}

bool IniFile::save()
{
    const QString directory = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(directory))
        return false;
    // QSaveFile writes a temporary file beside the target and renames it over
    // the target only on commit; it never falls back to writing in place.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = content();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace zelv
