#include "WindowInvariants.h"

#include "Angles.h"
#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "EngineText.h"
#include "F_HauptU.h"
#include "GridFailureText.h"
#include "GridWorkflows.h"
#include "IniFile.h"
#include "Placemnt.h"
#include "Refusals.h"
#include "RadioGroup.h"
#include "StaleMark.h"

#include <QLineEdit>
#include <QMetaProperty>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace zelv::soak {

namespace {

const QString designText = QStringLiteral("liegt bei");

std::string name(const QObject& object)
{
    return object.objectName().isEmpty() ? std::string(object.metaObject()->className())
                                         : object.objectName().toStdString();
}

std::string number(Extended value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.21Lg", value);
    return buffer;
}

bool withinBounds(Extended value, const TCurrencyEdit& field)
{
    return applyBounds(value, field.MinValue(), field.MaxValue()) == value;
}

// Plain patterns ("#", "0", "," and "."), whose text is a number as it stands.
bool isPlainPattern(const QString& pattern)
{
    static const QRegularExpression plain(QStringLiteral("^[#0,.]*$"));
    return plain.match(pattern).hasMatch();
}

int decimalsOf(const QString& pattern)
{
    const qsizetype point = pattern.indexOf(u'.');
    return point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
}

// The edit text of a field that is not being edited: the stored value in
// the edit pattern, or empty for a stored zero.  A value that only rounds to
// zero gives "0", so "0" and the empty text both stand for zero.
bool isCanonicalEditText(const QString& text, Extended value, const TCurrencyEdit& field, Separators separators)
{
    if (text.isEmpty())
        return value == 0 && field.ZeroEmpty();
    return text == fromEngineText(formatPattern(value, editPattern(field.DecimalPlaces()), separators));
}

void checkNumericField(const TCurrencyEdit& field, Separators separators, Faults& faults)
{
    const std::string who = name(field);
    const QString shownText = field.ShownText();
    Extended shown = 0;
    const bool shownIsNumber = isPlainPattern(field.DisplayFormat()) && readNumber(shownText, separators, shown);
    if (shownIsNumber && !withinBounds(shown, field))
        faults.push_back(who + ": the stored value (shown " + printable(shownText) + ") lies outside "
                         + number(field.MinValue()) + ".." + number(field.MaxValue()));
    if (isBeingEdited(field))
        return;

    const QString text = field.Text();
    Extended value = 0;
    if (!readNumber(text, separators, value)) {
        faults.push_back(who + ": left with an edit text that is no number: " + printable(text));
        return;
    }
    if (!withinBounds(value, field))
        faults.push_back(who + ": left with " + printable(text) + ", outside " + number(field.MinValue()) + ".."
                         + number(field.MaxValue()));
    if (!isCanonicalEditText(text, value, field, separators))
        faults.push_back(who + ": left with the edit text " + printable(text) + ", not the form "
                         + printable(fromEngineText(formatPattern(value, editPattern(field.DecimalPlaces()),
                                                                  separators))));
    if (shownIsNumber) {
        // Each text rounds the stored value to its own last digit.
        const Extended tolerance = std::pow(10.0L, -decimalsOf(field.DisplayFormat())) / 2
                                 + std::pow(10.0L, -static_cast<int>(field.DecimalPlaces())) / 2
                                 + std::fabs(value) * 1e-15L;
        if (std::fabs(shown - value) > tolerance)
            faults.push_back(who + ": the shown text " + printable(shownText) + " disagrees with the edit text "
                             + printable(text));
    }
}

void checkUnitForm(TF_Haupt& window, Faults& faults)
{
    // Every index but 0 means metres.
    const bool kilometres = window.RG_Eingabe_km_m->ItemIndex() == 0;
    const unsigned decimals = kilometres ? 3 : 0;
    const QString format = kilometres ? QStringLiteral("#0.000") : QStringLiteral("#######");
    for (const TCurrencyEdit* field : {window.CE_TMERC_BezugsRechts, window.CE_TMERC_Rechts, window.CE_TMERC_Hoch}) {
        if (field->DecimalPlaces() != decimals || field->DisplayFormat() != format)
            faults.push_back(name(*field) + ": " + std::to_string(field->DecimalPlaces()) + " decimals and format "
                             + printable(field->DisplayFormat()) + " under the unit "
                             + std::to_string(window.RG_Eingabe_km_m->ItemIndex()));
    }
}

void checkLocationText(TF_Haupt& window, Faults& faults)
{
    if (isBeingEdited(*window.CE_Laenge) || isBeingEdited(*window.CE_Breite))
        return;
    const Separators separators = window.separators();
    Extended longitude = 0;
    Extended latitude = 0;
    if (!readNumber(window.CE_Laenge->Text(), separators, longitude)
        || !readNumber(window.CE_Breite->Text(), separators, latitude))
        return; // reported by the field check
    const QString expected = fromEngineText(locationText(latitude, longitude, separators));
    const QString shown = window.E_ZELV->text();
    if (shown != designText && shown != expected)
        faults.push_back("the location text is " + printable(shown) + ", the decimal fields give "
                         + printable(expected));
}

// Whether `position` and the grid's values are one conversion apart, in
// either direction, to the rounding of the fields that hold them.
bool belongTogether(const Position& position, const std::optional<Position>& fromGrid,
                    const std::optional<std::array<Extended, 2>>& toGrid, const std::array<Extended, 2>& values,
                    Extended gridRounding)
{
    // Six decimals of a degree, and what a write clamps into the ranges.
    const Extended degreeRounding = 0.5e-6L + 1e-9L;
    if (fromGrid) {
        const Extended longitude = std::clamp<Extended>(fromGrid->longitude, -180, 180);
        const Extended latitude = std::clamp<Extended>(fromGrid->latitude, -90, 90);
        if (std::fabs(longitude - position.longitude) <= degreeRounding
            && std::fabs(latitude - position.latitude) <= degreeRounding)
            return true;
    }
    return toGrid && std::fabs((*toGrid)[0] - values[0]) <= gridRounding
        && std::fabs((*toGrid)[1] - values[1]) <= gridRounding;
}

template <class Conversion>
auto orNothing(Conversion conversion) -> std::optional<decltype(conversion())>
{
    try {
        return conversion();
    } catch (const Exception&) {
        return std::nullopt;
    }
}

} // namespace

void checkGridMarks(TF_Haupt& window, TCoordinateTranslator& oracle, Faults& faults)
{
    if (isBeingEdited(*window.CE_Laenge) || isBeingEdited(*window.CE_Breite))
        return;
    const Separators separators = window.separators();
    Position shown;
    if (!readNumber(window.CE_Laenge->Text(), separators, shown.longitude)
        || !readNumber(window.CE_Breite->Text(), separators, shown.latitude))
        return; // reported by the field check

    const struct {
        const char* name;
        Grid grid;
        std::vector<QLineEdit*> fields;
        TCurrencyEdit* easting;
        TCurrencyEdit* northing;
    } grids[] = {
        {"UTM", Grid::Utm, {window.ElSE_Zone, window.CE_Rechts, window.CE_Hoch}, window.CE_Rechts, window.CE_Hoch},
        {"TMERC", Grid::TransverseMercator, {window.CE_TMERC_Rechts, window.CE_TMERC_Hoch}, window.CE_TMERC_Rechts,
         window.CE_TMERC_Hoch},
    };
    for (const auto& g : grids) {
        const std::string who = std::string(g.name) + " values";
        int marked = 0;
        for (const QLineEdit* field : g.fields) {
            const bool mark = hasStaleMark(*field);
            const QPalette& palette = field->palette();
            const bool greyed =
                palette.color(QPalette::Active, QPalette::Text) == palette.color(QPalette::Disabled, QPalette::Text);
            if (mark != greyed)
                faults.push_back(name(*field) + (mark ? ": described as stale but not greyed"
                                                      : ": greyed but not described as stale"));
            marked += mark;
        }
        if (marked != 0 && marked != static_cast<int>(g.fields.size()))
            faults.push_back(who + ": only some fields carry the stale mark");

        const std::optional<Position> belongsTo = window.gridProvenance().positionOf(g.grid);
        const bool stale = belongsTo
            && (std::fabs(belongsTo->longitude - shown.longitude) > 1e-9L
                || std::fabs(belongsTo->latitude - shown.latitude) > 1e-9L);
        if ((marked != 0) != stale)
            faults.push_back(who + (stale ? ": belong to an earlier position but are not marked"
                                          : ": marked stale but belong to the shown position or to none"));
        if (!belongsTo || isBeingEdited(*g.easting) || isBeingEdited(*g.northing))
            continue;

        std::array<Extended, 2> values{};
        if (!readNumber(g.easting->Text(), separators, values[0])
            || !readNumber(g.northing->Text(), separators, values[1]))
            continue;
        // Whether the values and position `p` are one conversion apart; with
        // `onlyFromGrid`, whether the values convert to `p` itself.
        const auto together = [&](const Position& p, bool onlyFromGrid) {
            std::optional<std::array<Extended, 2>> toGrid;
            std::optional<Position> fromGrid;
            Extended gridRounding = 0.5L;
            if (g.grid == Grid::Utm) {
                const int zone = window.ElSE_Zone->Value();
                const auto forward = orNothing([&] { return utmForward(oracle, p.longitude, p.latitude); });
                const auto inverse = orNothing([&] { return utmInverse(oracle, zone, values[0], values[1]); });
                if (forward && forward->zone == zone)
                    toGrid = std::array<Extended, 2>{Extended(forward->easting), Extended(forward->northing)};
                if (inverse)
                    fromGrid = Position{inverse->Longitude, inverse->Latitude};
            } else {
                const TmGrid tm = window.tmGrid();
                const auto forward = orNothing([&] { return tmForward(oracle, tm, p.longitude, p.latitude); });
                const auto inverse = orNothing([&] { return tmInverse(oracle, tm, values[0], values[1]); });
                if (forward)
                    toGrid = std::array<Extended, 2>{forward->easting, forward->northing};
                if (inverse)
                    fromGrid = Position{inverse->Longitude, inverse->Latitude};
                // A whole metre either way: the unit switch scales values
                // that were rounded in the other unit.
                gridRounding = tm.unit == GridUnit::Kilometres ? 0.0011L : 1.1L;
            }
            // A value of many digits fills the field before its last
            // decimals ("5000000003598973,95" km): half its last place shown.
            for (const TCurrencyEdit* field : {g.easting, g.northing}) {
                const QString text = field->Text();
                const qsizetype point = text.indexOf(QLatin1Char(separators.decimal));
                const qsizetype places = point < 0 ? 0 : text.size() - point - 1;
                gridRounding = std::max(gridRounding, 0.5L * std::pow(10.0L, -static_cast<Extended>(places)));
            }
            if (onlyFromGrid)
                toGrid.reset();
            return belongTogether(p, fromGrid, toGrid, values, gridRounding);
        };
        // A grid that produced the shown position is not behind it.
        if (stale && together(shown, true))
            faults.push_back(who + " " + printable(g.easting->Text()) + " / " + printable(g.northing->Text())
                             + " convert to the shown position, but are marked stale");
        const Position p = *belongsTo;
        if (!together(p, false))
            faults.push_back(who + " " + printable(g.easting->Text()) + " / " + printable(g.northing->Text())
                             + " are said to belong to " + number(p.longitude) + " / " + number(p.latitude)
                             + ", which is no conversion of them");
    }
}

namespace {

QMetaProperty findProperty(const QObject& component, const QString& propertyName)
{
    const QMetaObject* meta = component.metaObject();
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        if (QString::fromLatin1(meta->property(i).name()).compare(propertyName, Qt::CaseInsensitive) == 0)
            return meta->property(i);
    }
    return {};
}

bool sameValue(const StoredValue& a, Extended b, Extended rounding = 0)
{
    if (a.integer)
        return a.value == b;
    return std::fabs(a.value - b) <= std::fabs(a.value) * 1e-15L + rounding;
}

} // namespace

bool readNumber(const QString& text, Separators separators, Extended& value)
{
    const std::optional<Extended> number =
        tryTextToFloat(normalizeNumberText(toEngineText(text), separators), separators);
    if (number)
        value = *number;
    return number.has_value();
}

bool exitCheckRefuses(const TCurrencyEdit& field)
{
    Extended value = 0;
    if (!readNumber(field.Text(), field.separators(), value))
        return true;
    return field.CheckOnExit() && !withinBounds(value, field);
}

bool isBeingEdited(const QWidget& control)
{
    return control.window()->focusWidget() == &control;
}

void checkWindow(TF_Haupt& window, Faults& faults)
{
    const Separators separators = window.separators();
    for (const TCurrencyEdit* field : window.findChildren<TCurrencyEdit*>())
        checkNumericField(*field, separators, faults);

    for (const TElSpinEdit* spin : window.findChildren<TElSpinEdit*>()) {
        if (spin->Value() < spin->MinValue() || spin->Value() > spin->MaxValue())
            faults.push_back(name(*spin) + ": value " + std::to_string(spin->Value()) + " outside its bounds");
        if (!isBeingEdited(*spin) && spin->text() != QString::number(spin->Value()))
            faults.push_back(name(*spin) + ": left with the text " + printable(spin->text()) + " for the value "
                             + std::to_string(spin->Value()));
    }

    for (const TRadioGroup* group : window.findChildren<TRadioGroup*>()) {
        const int index = group->ItemIndex();
        if (index < -1 || index >= group->count())
            faults.push_back(name(*group) + ": ItemIndex " + std::to_string(index) + " out of range");
        for (int i = 0; i < group->count(); ++i) {
            if (group->button(i)->isChecked() != (i == index))
                faults.push_back(name(*group) + ": button " + std::to_string(i) + " marked wrongly for ItemIndex "
                                 + std::to_string(index));
        }
    }

    checkUnitForm(window, faults);
    checkLocationText(window, faults);
}

void checkMessages(const std::vector<SoakPresenter::Shown>& shown, const QString& applicationTitle,
                   Faults& faults)
{
    // The messages the window is designed to show, with their captions.  A
    // feature that adds a message adds its row.
    static const struct {
        QRegularExpression text;
        bool titled; // under the application title, else under "Fehler"
    } known[] = {
        {QRegularExpression(QStringLiteral("^Wert muß zwischen -?\\d+([.,]\\d+)? und -?\\d+([.,]\\d+)? liegen\\."
                                           "( Bitte (das Dezimalkomma|den Dezimalpunkt) verwenden, z\\.B\\. 10[.,]769430\\.)?$")),
         true},
        {QRegularExpression(QStringLiteral("^'.*' ist kein gültiger Gleitkommawert\\.$"),
                            QRegularExpression::DotMatchesEverythingOption),
         true},
        {QRegularExpression(QStringLiteral("^Initialization file \"proj_def.dat\" in path \".*\" not found!$")), true},
        // The centre of a sheet number where no datum shift reaches it.
        {QRegularExpression(QStringLiteral("^Außerhalb von .* gibt es keine Umrechnung aus dem DHDN\\.$")), true},
        {QRegularExpression(QStringLiteral("^Die Mitte von Messtischblatt .* lässt sich ohne den Ordner „nad“ .*$")),
         true},
    };
    // And every text of a grid conversion that finds no result, under the title.
    static const std::vector<QString> gridFailures = [] {
        std::vector<QString> texts;
        for (const GridConversion conversion : {GridConversion::UtmForward, GridConversion::UtmInverse,
                                                GridConversion::TmForward, GridConversion::TmInverse})
            for (const GridFailure kind : {GridFailure::DefinitionRejected, GridFailure::PointNotProjectable,
                                           GridFailure::ValueNotRoundable, GridFailure::ServiceEmpty,
                                           GridFailure::OutsideDatumGrid})
                texts.push_back(fromEngineText(gridFailureText(conversion, kind)));
        // The offer to take typed values in the other unit.
        for (const GridUnit unit : {GridUnit::Kilometres, GridUnit::Metres})
            texts.push_back(fromEngineText(unitFixQuestion(unit)));
        return texts;
    }();
    // And every refusal of the clipboard reader, as its catalogue words it,
    // with any text where it quotes a part of the clipboard.
    static const std::vector<QRegularExpression> refusals = [] {
        std::vector<QRegularExpression> patterns;
        const std::string placeholder = "QUOTEDPART";
        for (int k = 0; k <= static_cast<int>(lastRefusalKind); ++k) {
            Refusal r;
            r.kind = static_cast<RefusalKind>(k);
            r.text = r.first = r.second = r.third = placeholder;
            r.count = r.count2 = 12345;
            if (r.kind == RefusalKind::NumberNotConvertible)
                continue; // shown under the title, matched above
            QString pattern = QRegularExpression::escape(QString::fromStdString(refusalMessage(r)));
            pattern.replace(QStringLiteral("QUOTEDPART"), QStringLiteral(".*"));
            pattern.replace(QStringLiteral("12345"), QStringLiteral("\\d+"));
            patterns.emplace_back(QStringLiteral("^") + pattern + QStringLiteral("$"),
                                  QRegularExpression::DotMatchesEverythingOption);
        }
        return patterns;
    }();
    for (const SoakPresenter::Shown& message : shown) {
        bool matched = std::find(gridFailures.begin(), gridFailures.end(), message.text) != gridFailures.end();
        if (matched && message.caption != applicationTitle)
            faults.push_back("the message " + printable(message.text) + " came under the caption "
                             + printable(message.caption) + " instead of " + printable(applicationTitle));
        for (const QRegularExpression& refusal : refusals)
            if (refusal.match(message.text).hasMatch()) {
                matched = true;
                if (message.caption != QStringLiteral("Fehler"))
                    faults.push_back("the reader's refusal " + printable(message.text) + " came under the caption "
                                     + printable(message.caption) + " instead of \"Fehler\"");
            }
        for (const auto& k : known) {
            if (k.text.match(message.text).hasMatch()) {
                matched = true;
                const QString caption = k.titled ? applicationTitle : QStringLiteral("Fehler");
                if (message.caption != caption)
                    faults.push_back("the message " + printable(message.text) + " came under the caption "
                                     + printable(message.caption) + " instead of " + printable(caption));
            }
        }
        if (!matched)
            faults.push_back("a message the window is not designed to show: " + printable(message.text, 200)
                             + " (caption " + printable(message.caption) + ")");
    }
}

std::vector<StoredValue> storedValues(TF_Haupt& window)
{
    std::vector<StoredValue> values;
    for (const QString& entry : window.FormStorage1->StoredProps()) {
        const qsizetype point = entry.indexOf(u'.');
        const QString componentName = entry.first(point).trimmed();
        QObject* component = nullptr;
        for (QObject* candidate : window.findChildren<QObject*>()) {
            if (candidate->objectName().compare(componentName, Qt::CaseInsensitive) == 0) {
                component = candidate;
                break;
            }
        }
        if (!component)
            continue;
        const QMetaProperty property = findProperty(*component, entry.sliced(point + 1).trimmed());
        const QString key = component->objectName() + u'_' + QString::fromLatin1(property.name());
        const QMetaType type = property.metaType();
        const QVariant value = property.read(component);
        const QVariant decimals = component->property("DecimalPlaces");
        const Extended rounding = decimals.isValid() ? std::pow(10.0L, -decimals.toInt()) / 2 : 0;
        if (type == QMetaType::fromType<int>() || type == QMetaType::fromType<bool>())
            values.push_back({key, true, static_cast<Extended>(value.toInt())});
        else if (type == QMetaType::fromType<long double>())
            values.push_back({key, false, value.value<long double>(), rounding});
        else if (type == QMetaType::fromType<double>() || type == QMetaType::fromType<float>())
            values.push_back({key, false, static_cast<Extended>(value.toDouble()), rounding});
    }
    return values;
}

void checkSettingsFile(const QString& path, const QString& section, const std::vector<StoredValue>& expected,
                       Faults& faults)
{
    IniFile file(path);
    if (!file.load()) {
        faults.push_back("the settings file cannot be read after closing: " + path.toStdString());
        return;
    }
    const std::optional<QString> version = file.value(section, u"FormVersion");
    if (!version || version->toInt() != 0)
        faults.push_back("after closing, FormVersion is " + (version ? printable(*version) : std::string("missing")));
    for (const StoredValue& stored : expected) {
        const std::optional<QString> text = file.value(section, stored.key);
        if (!text) {
            faults.push_back("after closing, the key " + stored.key.toStdString() + " is missing");
            continue;
        }
        Extended value = 0;
        bool ok = false;
        if (stored.integer) {
            value = text->toInt(&ok);
        } else {
            // The file always writes a point.
            const std::optional<Extended> number = tryTextToFloat(toEngineText(*text), pointSeparators);
            ok = number.has_value();
            value = number.value_or(0);
        }
        if (!ok || !sameValue(stored, value))
            faults.push_back("after closing, " + stored.key.toStdString() + "=" + printable(*text)
                             + " but the window had " + number(stored.value));
    }
}

void checkStartShows(TF_Haupt& window, const std::vector<StoredValue>& expected, Faults& faults)
{
    const std::vector<StoredValue> shown = storedValues(window);
    for (const StoredValue& stored : expected) {
        const auto found = std::find_if(shown.begin(), shown.end(),
                                        [&](const StoredValue& s) { return s.key == stored.key; });
        if (found == shown.end()) {
            faults.push_back("after the start, " + stored.key.toStdString() + " is no longer stored");
            continue;
        }
        if (!sameValue(stored, found->value, found->rounding))
            faults.push_back("the start shows " + stored.key.toStdString() + " = " + number(found->value)
                             + " instead of the stored " + number(stored.value));
    }
}

} // namespace zelv::soak
