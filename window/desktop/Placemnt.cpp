#include "Placemnt.h"

#include "EngineText.h"
#include "ErrorPresenter.h"
#include "Exception.h"
#include "IniFile.h"
#include "TextUtil.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMetaProperty>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

namespace zelv {

namespace {

const QString formVersionKey = QStringLiteral("FormVersion");

// How a property's value becomes text, by the property's type.  A Boolean
// is written as the integer 1 or 0 and read as an integer, any other than 0
// being true.
enum class ValueKind { None, Integer, Boolean, Single, Double, Extended };

ValueKind kindOf(const QMetaProperty& property)
{
    const QMetaType type = property.metaType();
    if (type == QMetaType::fromType<int>())
        return ValueKind::Integer;
    if (type == QMetaType::fromType<bool>())
        return ValueKind::Boolean;
    if (type == QMetaType::fromType<long double>())
        return ValueKind::Extended;
    if (type == QMetaType::fromType<double>())
        return ValueKind::Double;
    if (type == QMetaType::fromType<float>())
        return ValueKind::Single;
    return ValueKind::None;
}

int significantDigits(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Single:
        return 7;
    case ValueKind::Double:
        return 15;
    default:
        return 18;
    }
}

// From the most derived class up, so a control's own "Value" wins over a
// Qt base class's "value".
QMetaProperty findProperty(const QObject& component, const QString& name)
{
    const QMetaObject* meta = component.metaObject();
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty property = meta->property(i);
        if (QString::fromLatin1(property.name()).compare(name, Qt::CaseInsensitive) == 0)
            return property;
    }
    return {};
}

// The key names the component as it is called and the property as it is
// declared, however the entry spells them.
QString keyOf(const QObject& component, const QMetaProperty& property)
{
    return component.objectName() + u'_' + QString::fromLatin1(property.name());
}

QString valueText(const QObject& component, const QMetaProperty& property, ValueKind kind,
                  Separators separators)
{
    const QVariant value = property.read(&component);
    switch (kind) {
    case ValueKind::Integer:
        return formatStoredInteger(value.toInt());
    case ValueKind::Boolean:
        return formatStoredInteger(value.toBool() ? 1 : 0);
    case ValueKind::Single:
        return formatStoredFloat(value.value<float>(), significantDigits(kind), FLT_MAX, separators);
    case ValueKind::Double:
        return formatStoredFloat(value.toDouble(), significantDigits(kind), DBL_MAX, separators);
    case ValueKind::Extended:
        return formatStoredFloat(value.value<long double>(), significantDigits(kind), LDBL_MAX, separators);
    case ValueKind::None:
        break;
    }
    return {};
}

void assignText(QObject& component, const QMetaProperty& property, ValueKind kind,
                const QString& text, Separators separators)
{
    if (kind == ValueKind::Integer) {
        property.write(&component, parseStoredInteger(text));
        return;
    }
    if (kind == ValueKind::Boolean) {
        property.write(&component, parseStoredInteger(text) != 0);
        return;
    }
    const std::optional<Extended> parsed = parseStoredFloat(text, separators);
    if (!parsed)
        return;
    const Extended value = *parsed;
    // A value the property's type cannot hold does not parse for it either.
    switch (kind) {
    case ValueKind::Single:
        if (std::fabs(value) <= FLT_MAX)
            property.write(&component, QVariant::fromValue(static_cast<float>(value)));
        break;
    case ValueKind::Double:
        if (std::fabs(value) <= DBL_MAX)
            property.write(&component, QVariant::fromValue(static_cast<double>(value)));
        break;
    case ValueKind::Extended:
        property.write(&component, QVariant::fromValue(value));
        break;
    case ValueKind::Integer:
    case ValueKind::Boolean:
    case ValueKind::None:
        break;
    }
}

} // namespace

QString formatStoredInteger(int value)
{
    return QString::number(value);
}

int parseStoredInteger(const QString& text)
{
    return parseInteger(toEngineText(text), IntegerNotation::DecimalOrHex).value_or(0);
}

QString formatStoredFloat(Extended value, int significantDigits, Extended largest, Separators separators)
{
    // Next to the type's largest value the digits can round up past it, and
    // that text would not read back; then one more digit, until it does (an
    // extended value reads back exactly from 21).
    std::string text;
    for (int digits = significantDigits;; ++digits) {
        text = formatGeneral(value, digits, separators);
        if (!std::isfinite(value) || digits >= 21)
            break;
        if (const auto back = tryTextToFloat(text, separators); back && std::fabs(*back) <= largest)
            break;
    }
    std::replace(text.begin(), text.end(), separators.decimal, '.');
    return fromEngineText(text);
}

std::optional<Extended> parseStoredFloat(const QString& text, Separators separators)
{
    std::string local = toEngineText(text);
    std::replace(local.begin(), local.end(), '.', separators.decimal);
    return tryTextToFloat(local, separators);
}

QString quoteStoredText(const QString& text)
{
    if (text.size() >= 2 && text.front() == text.back()
        && (text.front() == u'"' || text.front() == u'\''))
        return u'"' + text + u'"';
    return text;
}

// --- TFormPlacement -------------------------------------------------------

TFormPlacement::TFormPlacement(QWidget* owner, ExceptionHandler& errors, Separators separators,
                               QString executablePath, QString settingsDirectory)
    : QObject(owner),
      owner_(owner),
      errors_(errors),
      separators_(separators),
      executablePath_(std::move(executablePath)),
      settingsDirectory_(std::move(settingsDirectory))
{
    Q_ASSERT(owner);
}

TFormPlacement::~TFormPlacement() = default;

QString TFormPlacement::iniFilePath() const
{
    QString name = iniFileName_;
    if (name.isEmpty()) {
        // The extension is what follows the last ".", unless a directory
        // separator or drive colon comes after it.
        name = executablePath_;
        const qsizetype delimiter = std::max({name.lastIndexOf(u'.'), name.lastIndexOf(u'/'),
                                              name.lastIndexOf(u'\\'), name.lastIndexOf(u':')});
        if (delimiter >= 0 && name[delimiter] == u'.')
            name.truncate(delimiter);
        name += QStringLiteral(".INI");
        name = QFileInfo(name).fileName();
    }
    return QDir(settingsDirectory_).filePath(name);
}

QString TFormPlacement::iniFileDisplayName() const
{
    return QFileInfo(iniFilePath()).fileName();
}

QString TFormPlacement::sectionName() const
{
    if (!iniSection_.isEmpty())
        return iniSection_;
    // The window's class as its source names it, without a namespace.
    const QString className = QString::fromLatin1(owner_->metaObject()->className());
    return className.sliced(className.lastIndexOf(u':') + 1);
}

void TFormPlacement::loaded()
{
    if (loaded_)
        return;
    loaded_ = true;
    bindEntries();
    owner_->installEventFilter(this);
}

bool TFormPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == owner_) {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            if (active_)
                errors_.guard([this] { RestoreSettings(); });
        } else if (event->type() == QEvent::Close) {
            // A close event reaches the filters before the window's own
            // closeEvent: this is the query, the window's handler comes after.
            if (event->isAccepted() && active_ && owner_->testAttribute(Qt::WA_WState_Created))
                errors_.guard([this] { SaveSettings(); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void TFormPlacement::ownerDestroying() noexcept
{
    owner_->removeEventFilter(this);
    if (active_ && !saved_)
        errors_.guard([this] { SaveSettings(); });
}

void TFormPlacement::RestoreSettings()
{
    saved_ = false;
    IniFile file(iniFilePath());
    if (!file.load())
        file.setContent({}); // unreadable reads like missing: nothing changes
    const QString section = sectionName();
    const int storedVersion =
        parseStoredInteger(trimBlanks(file.value(section, formVersionKey).value_or(QString())));
    restored_ = true;
    if (storedVersion >= version_)
        restoreEntries(file, section);
}

void TFormPlacement::SaveSettings()
{
    if (!restored_ && active_)
        return;
    // Everything of one save is applied in memory and written in one
    // replacement: a failure anywhere writes nothing at all.  A file that
    // exists but cannot be read is not replaced, or its other content would
    // be lost.
    IniFile file(iniFilePath());
    if (!file.load())
        throwWriteError();
    const QString section = sectionName();
    file.setValue(section, formVersionKey, formatStoredInteger(version_));
    saveEntries(file, section);
    if (!file.save())
        throwWriteError();
    saved_ = true;
}

void TFormPlacement::throwWriteError() const
{
    throw Exception("nach " + toEngineText(iniFileDisplayName()) + " kann nicht geschrieben werden");
}

// --- TFormStorage ---------------------------------------------------------

TFormStorage::~TFormStorage() = default;

QStringList TFormStorage::StoredProps() const
{
    QStringList list;
    for (const Entry& entry : entries_)
        list << entry.text;
    return list;
}

void TFormStorage::setStoredProps(const QStringList& entries)
{
    entries_.clear();
    for (const QString& text : entries) {
        const qsizetype point = text.indexOf(u'.');
        if (point < 0)
            continue;
        Entry entry{text, trimBlanks(text.first(point)), trimBlanks(text.sliced(point + 1)), {}, nullptr};
        if (entry.componentName.isEmpty() || entry.propertyName.isEmpty())
            continue;
        if (bound_ && !bind(entry))
            continue;
        entries_.push_back(std::move(entry));
    }
}

bool TFormStorage::bind(Entry& entry)
{
    const QList<QObject*> candidates = owner()->findChildren<QObject*>();
    const auto found = std::find_if(candidates.begin(), candidates.end(), [&](const QObject* c) {
        return c->objectName().compare(entry.componentName, Qt::CaseInsensitive) == 0;
    });
    if (found == candidates.end())
        return false;
    entry.component = *found;
    entry.identity = *found;
    connect(*found, &QObject::destroyed, this, &TFormStorage::componentDestroyed,
            Qt::UniqueConnection);
    return true;
}

void TFormStorage::bindEntries()
{
    bound_ = true;
    std::erase_if(entries_, [this](Entry& entry) { return !bind(entry); });
}

void TFormStorage::componentDestroyed(QObject* component)
{
    // A widget reports its end before its guards are cleared, so the entry
    // is found by the plain pointer.
    std::erase_if(entries_, [component](const Entry& entry) { return entry.identity == component; });
}

void TFormStorage::restoreEntries(const IniFile& file, const QString& section)
{
    // A copy: assigning one value may run a handler that destroys a control.
    const std::vector<Entry> entries = entries_;
    for (const Entry& entry : entries) {
        try {
            QObject* component = entry.component;
            if (!component)
                continue;
            const QMetaProperty property = findProperty(*component, entry.propertyName);
            const ValueKind kind = kindOf(property);
            if (kind == ValueKind::None || !property.isWritable())
                continue;
            // A missing key leaves the value as it is, not even re-assigned,
            // so it does not pass through a rounding text.
            const std::optional<QString> stored = file.value(section, keyOf(*component, property));
            if (stored)
                assignText(*component, property, kind, trimBlanks(*stored), separators());
        } catch (const Exception&) {
            // One value that cannot be set keeps what it has; the rest go on.
        }
    }
}

void TFormStorage::saveEntries(IniFile& file, const QString& section)
{
    for (const Entry& entry : entries_) {
        const QObject* component = entry.component;
        if (!component)
            continue;
        const QMetaProperty property = findProperty(*component, entry.propertyName);
        const ValueKind kind = kindOf(property);
        if (kind == ValueKind::None || !property.isReadable())
            continue;
        const QString text = valueText(*component, property, kind, separators());
        file.setValue(section, keyOf(*component, property), quoteStoredText(trimBlanks(text)));
    }
}

} // namespace zelv
