// libFuzzer harness for the settings file's reader and line editor.  The
// input is "section\nkey\nvalue\n" followed by the file's bytes; missing
// parts are empty.  The file is read, the value written under the key and
// read back.  A broken invariant below is a finding:
// - the file's bytes come back unchanged when nothing was written;
// - the value reads back as the classic reader returns it;
// - every other line stays byte for byte: besides the key's own line (whose
//   text up to its "=" stays too) at most a section header and the key line
//   are added, and the last line may gain a line ending.
// Names and values that the file cannot carry (see IniFile::setValue) are
// not written.

#include "IniFile.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using zelv::IniFile;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isBlank(QChar c) { return c.unicode() <= u' '; }

bool hasBlankEnds(const QString& name)
{
    return !name.isEmpty() && (isBlank(name.front()) || isBlank(name.back()));
}

bool canBeSection(const QString& name) { return !hasBlankEnds(name) && !name.contains(u']'); }

bool canBeKey(const QString& name)
{
    return !hasBlankEnds(name) && !name.contains(u'=') && !name.startsWith(u'[') && !name.startsWith(u';');
}

// What the reader gives back for a value written as `value`.
QString asRead(QString value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && isBlank(value[begin]))
        ++begin;
    while (end > begin && isBlank(value[end - 1]))
        --end;
    value = value.sliced(begin, end - begin);
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == u'"' || value.front() == u'\''))
        value = value.sliced(1, value.size() - 2);
    return value.left(IniFile::maximumValueLength);
}

struct Line {
    QByteArray text;
    QByteArray ending;
    bool operator==(const Line&) const = default;
};

std::vector<Line> linesOf(const QByteArray& bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.push_back({bytes.sliced(start), {}});
            break;
        }
        const qsizetype end = newline > start && bytes[newline - 1] == '\r' ? newline - 1 : newline;
        lines.push_back({bytes.sliced(start, end - start), bytes.sliced(end, newline + 1 - end)});
        start = newline + 1;
    }
    return lines;
}

// The lines of `after` that differ from `before`, once the lines both share
// at the start and at the end are set aside.
void requireOnlyTheKeyChanged(const QByteArray& before, const QByteArray& after, const QString& section,
                              const QString& key, const QString& value)
{
    const std::vector<Line> old = linesOf(before);
    const std::vector<Line> now = linesOf(after);
    if (old == now)
        return; // the key's line had that value already
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix
           && old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    const std::vector<Line> removed(old.begin() + prefix, old.end() - suffix);
    std::vector<Line> added(now.begin() + prefix, now.end() - suffix);

    QByteArray ending = "\n";
    for (const Line& line : old)
        if (!line.ending.isEmpty()) {
            ending = line.ending;
            break;
        }
    const QByteArray keyLine = key.toUtf8() + '=' + value.toUtf8();

    require(removed.size() <= 1);
    if (removed.size() == 1) {
        const Line& was = removed.front();
        require(!added.empty());
        const qsizetype equals = was.text.indexOf('=');
        if (added.size() == 1 && equals >= 0 && added.front().ending == was.ending
            && added.front().text == was.text.first(equals + 1) + value.toUtf8())
            return; // the key's own line, with its new value
        // Only the file's last line, which gains a line ending (after a CR
        // of its own that line then ends in CR LF: the same bytes).
        require(was.ending.isEmpty() && prefix + 1 == old.size());
        require(added.front().text + added.front().ending == was.text + ending);
        added.erase(added.begin());
    }
    if (added.size() == 2) {
        require(added.front() == Line{'[' + section.toUtf8() + ']', ending});
        added.erase(added.begin());
    }
    require(added.size() == 1 && added.front() == Line{keyLine, ending});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString parts[3];
    for (QString& part : parts) {
        const qsizetype newline = input.indexOf('\n');
        part = QString::fromUtf8(input.first(newline < 0 ? input.size() : newline));
        input.remove(0, newline < 0 ? input.size() : newline + 1);
    }
    const QString& section = parts[0];
    const QString& key = parts[1];
    const QString& value = parts[2];

    IniFile file(QStringLiteral("fuzz.INI"));
    file.setContent(input);
    require(file.content() == input);
    // Reading never changes anything.
    const auto before = file.value(section, key);
    require(file.content() == input);
    if (before)
        require(before->size() <= IniFile::maximumValueLength);

    if (!canBeSection(section) || !canBeKey(key) || section.contains(u'\r') || key.contains(u'\r')
        || value.contains(u'\r'))
        return 0;
    file.setValue(section, key, value);
    const auto after = file.value(section, key);
    require(after.has_value() && *after == asRead(value));
    requireOnlyTheKeyChanged(input, file.content(), section, key, value);
    return 0;
}
