#include "PositionDisplay.h"

#include "ElURLLabel.h"
#include "EngineText.h"
#include "Angles.h"
#include "MapLink.h"
#include "Messtischblatt.h"
#include "StaleMark.h"

#include <QLabel>
#include <QLineEdit>
#include <QUrl>

namespace zelv {

namespace {

const char* const besselPositionNote =
    "Lage auf Bessel (DHDN), bis gut 200 m neben WGS 84 – für Karten und Ortsangaben „nach ETRS89“ anhaken";
const char* const approximationNote = "Näherung EPSG 1777";
const char* const approximationToolTip =
    "Außerhalb des BeTA2007-Gitters mit der Sieben-Parameter-Transformation EPSG 1777 umgerechnet: "
    "etwa 3 m Genauigkeit in Westdeutschland laut EPSG, außerhalb Deutschlands ohne amtliche Angabe.";
const char* const tk25ToolTip =
    "Blatt und Quadrant der Topographischen Karte 1:25 000 (Messtischblatt), z.B. 3446/3; Quadranten: "
    "1 Nordwest, 2 Nordost, 3 Südwest, 4 Südost";
const char* const noTk25ToolTip =
    "Kein Messtischblatt: TK25-Blätter gibt es von 46° bis 55°54' N und von 5°50' bis 24° O "
    "(im alten deutschen Netz DHDN).";

QString noteIf(bool shown, const char* note)
{
    return shown ? QString::fromUtf8(note) : QString();
}

} // namespace

PositionDisplay::PositionDisplay(const Lines& lines, Separators separators)
    : lines_(lines), separators_(separators)
{
    lines_.tk25->setToolTip(QString::fromUtf8(noTk25ToolTip));
    lines_.approximationNote->setToolTip(QString::fromUtf8(approximationToolTip));
}

void PositionDisplay::show(Extended latitude, Extended longitude, std::optional<PositionDatum> datum)
{
    const QString text = fromEngineText(locationText(latitude, longitude, separators_));
    const bool moved = lines_.locationText->text() != text;
    if (moved || datum) {
        datum_ = datum.value_or(PositionDatum::Wgs84);
        showLines(latitude, longitude);
    }
    // QLineEdit lays the text out anew even when it is the same, and the map
    // address, made from the same five decimals, changes only with the text.
    if (!moved)
        return;
    lines_.locationText->setText(text);
    lines_.mapLink->setURL(QUrl(QString::fromLatin1(mapAddressAt(latitude, longitude))));
}

void PositionDisplay::showApproximationNote(bool approximated)
{
    lines_.approximationNote->setText(noteIf(approximated, approximationNote));
}

void PositionDisplay::showGridMarks(const GridProvenance& provenance)
{
    const bool utmStale = provenance.isStale(Grid::Utm);
    for (QWidget* field : lines_.utmValues)
        setStaleMark(*field, utmStale);
    const bool tmStale = provenance.isStale(Grid::TransverseMercator);
    for (QWidget* field : lines_.tmValues)
        setStaleMark(*field, tmStale);
}

void PositionDisplay::showLines(Extended latitude, Extended longitude)
{
    lines_.datumLine->setText(noteIf(datum_ == PositionDatum::Bessel, besselPositionNote));
    showApproximationNote(datum_ == PositionDatum::Epsg1777);
    showTk25(latitude, longitude);
}

void PositionDisplay::showTk25(Extended latitude, Extended longitude)
{
    // The sheet rule needs DHDN: a Bessel position is on it already, every
    // other one is taken there.  Without the projection library's data only
    // the Bessel position has a sheet.
    const GeographicPoint point{static_cast<double>(longitude), static_cast<double>(latitude)};
    std::optional<Tk25Sheet> sheet;
    if (datum_ == PositionDatum::Bessel)
        sheet = tk25SheetAt(point);
    else if (dhdn_)
        sheet = tk25SheetOfWgs84(*dhdn_, point.Longitude, point.Latitude);
    lines_.tk25->setText(sheet ? fromEngineText(tk25Text(*sheet)) : QString());
    lines_.tk25->setToolTip(QString::fromUtf8(sheet ? tk25ToolTip : noTk25ToolTip));
}

} // namespace zelv
