#include "SoakTexts.h"

#include "EngineText.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>

#include <iterator>

namespace zelv::soak {

namespace {

QString garbageText(Random& random, int length)
{
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(static_cast<char16_t>(random.below(random.chance(90) ? 0x100 : 0x3000)));
    return text;
}

} // namespace

QString digits(Random& random, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(static_cast<char16_t>(u'0' + random.below(10)));
    return text;
}

QString typedText(Random& random)
{
    static const std::vector<QString> fixed = {
        QStringLiteral("0012"), QStringLiteral("200"), QStringLiteral("-181"), QStringLiteral("60"),
        QStringLiteral("59,95"), QStringLiteral("59.95"), QStringLiteral("+"), QStringLiteral("-"),
        QStringLiteral(","), QStringLiteral("."), QStringLiteral("1e"), QStringLiteral("1e99999"),
        QStringLiteral("-0"), QStringLiteral("1.234.567"), QStringLiteral("1,234,567"), QStringLiteral(" 12"),
        QStringLiteral("12 "), QStringLiteral("10,769430"), QStringLiteral("50.414840"), QStringLiteral("6525"),
        QStringLiteral("6525000"), QStringLiteral("1e4932"), QStringLiteral("-1E-5"), QStringLiteral("e5"),
    };
    static const QString pool = QStringLiteral("0123456789,.-+eE abcxyzäöüß°'\"");
    switch (random.below(8)) {
    case 0:
        return random.pick(fixed);
    case 1:
        return digits(random, random.between(1, 6));
    case 2:
        return digits(random, random.between(0, 4)) + (random.chance(50) ? u',' : u'.')
             + digits(random, random.between(0, 8));
    case 3:
        return u'-' + digits(random, random.between(1, 3)) + (random.chance(50) ? u',' : u'.')
             + digits(random, random.between(0, 7));
    case 4:
        return digits(random, random.between(20, 80));
    case 5:
        return digits(random, random.between(1, 3)) + (random.chance(50) ? u'e' : u'E')
             + (random.chance(30) ? QStringLiteral("-") : QString()) + digits(random, random.between(0, 5));
    default: {
        QString text;
        const int length = random.between(1, 10);
        for (int i = 0; i < length; ++i)
            text += pool.at(static_cast<qsizetype>(random.below(static_cast<std::uint64_t>(pool.size()))));
        return text;
    }
    }
}

QStringList notationExamples(const QString& corpus)
{
    QStringList examples;
    QDirIterator files(corpus, QDir::Files);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8(bytes);
        examples << (utf8.hasError() ? fromEngineText(bytes.toStdString()) : decoded);
    }
    examples.sort();
    if (examples.isEmpty()) {
        examples << QStringLiteral("13.405 Ost, 52.52 Nord") << QStringLiteral("JO62QM")
                 << QString::fromUtf8("52\u00B031'N 13\u00B024'O");
    }
    return examples;
}

QString clipboardText(Random& random, const QStringList& examples, const QString& locationText)
{
    const QString example = examples.at(static_cast<qsizetype>(random.below(static_cast<std::uint64_t>(examples.size()))));
    switch (random.below(9)) {
    case 0:
    case 1:
        return example;
    case 2: {
        QString changed = example;
        const int edits = random.between(1, 3);
        static const QString replacements = QStringLiteral("0123456789,.-+ NSOWEnord°'\"");
        for (int i = 0; i < edits && !changed.isEmpty(); ++i) {
            const auto at = static_cast<qsizetype>(random.below(static_cast<std::uint64_t>(changed.size())));
            switch (random.below(3)) {
            case 0: changed.remove(at, 1); break;
            case 1: changed.insert(at, digits(random, random.between(1, 400))); break;
            default:
                changed[at] = replacements.at(
                    static_cast<qsizetype>(random.below(static_cast<std::uint64_t>(replacements.size()))));
            }
        }
        return changed;
    }
    case 3:
        return typedText(random);
    case 4:
        return garbageText(random, random.between(0, 200));
    case 5:
        return garbageText(random, random.between(5000, 60000));
    case 6: {
        QString withNul = example;
        withNul.insert(static_cast<qsizetype>(random.below(static_cast<std::uint64_t>(example.size()) + 1)), QChar(u'\0'));
        return random.chance(50) ? withNul : QString(QChar(u'\0')) + example;
    }
    case 7:
        return locationText; // what "kopieren" would have put there
    default:
        return example.repeated(random.between(2, 2000));
    }
}

QByteArray editedSettings(Random& random, QByteArray content)
{
    static const char* const values[] = {
        "", "abc", "99", "-3", "5", "0x1F", "$10", "x7", "6,525", "6.525", "1e400", "-1e400", "1e-400", "nan",
        "inf", "-0", "  7  ", "\"9\"", "'9'", "12345678901234567890123", "2147483648", "-2147483649", "1.5",
        "+8", "0X", "--1", "\t3", "6525000", "-1",
    };
    QList<QByteArray> lines = content.split('\n');
    const int edits = random.between(1, 4);
    for (int i = 0; i < edits; ++i) {
        const auto at = static_cast<qsizetype>(random.below(static_cast<std::uint64_t>(lines.size())));
        switch (random.below(8)) {
        case 0:
        case 1: { // a value replaced
            const qsizetype equals = lines[at].indexOf('=');
            if (equals >= 0)
                lines[at] = lines[at].left(equals + 1) + values[random.below(std::size(values))];
            break;
        }
        case 2:
            lines.removeAt(at);
            break;
        case 3:
            lines.insert(at, lines.value(at));
            break;
        case 4: {
            QByteArray junk;
            const int length = random.between(0, 60);
            for (int j = 0; j < length; ++j)
                junk += static_cast<char>(random.below(256));
            lines.insert(at, junk);
            break;
        }
        case 5:
            lines.insert(at, QByteArray("FormVersion=") + values[random.below(std::size(values))]);
            break;
        case 6:
            lines.append("[TF_Haupt]");
            lines.append(QByteArray("RG_Eingabe_km_m_ItemIndex=") + values[random.below(std::size(values))]);
            break;
        default:
            lines.insert(at, "; " + lines.value(at));
            break;
        }
    }
    QByteArray edited = lines.join(random.chance(20) ? "\r\n" : "\n");
    if (random.chance(10))
        edited.prepend("\xEF\xBB\xBF");
    if (random.chance(5))
        edited.truncate(static_cast<qsizetype>(random.below(static_cast<std::uint64_t>(edited.size()) + 1)));
    return edited;
}

} // namespace zelv::soak
