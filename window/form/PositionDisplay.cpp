#include "PositionDisplay.h"

#include "DhdnDatum.h"
#include "ElURLLabel.h"
#include "Exception.h"
#include "EngineText.h"
#include "Angles.h"
#include "MapLink.h"
#include "Messtischblatt.h"
#include "MesstischblattIndex.h"
#include "StaleMark.h"
#include "WarningLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <cmath>

namespace zelv {

namespace {

const char* const approximationNote = "Näherung EPSG 1777";
const char* const approximationToolTip =
    "Außerhalb des BeTA2007-Gitters mit der Sieben-Parameter-Transformation EPSG 1777 umgerechnet: "
    "etwa 3 m Genauigkeit in Westdeutschland laut EPSG, außerhalb Deutschlands ohne amtliche Angabe.";
const char* const tk25ToolTip =
    "Blatt und Quadrant der Topographischen Karte 1:25 000 (Messtischblatt) mit dem Namen des Blatts, "
    "z.B. 3446/3 Berlin; Quadranten: 1 Nordwest, 2 Nordost, 3 Südwest, 4 Südost. Die Namen stammen aus dem "
    "Blattverzeichnis der Preußischen Landesaufnahme.";
const char* const tk25WithoutNameToolTip =
    "Das Blattverzeichnis der Preußischen Landesaufnahme nennt für Blatt %1 keinen Namen (Bayerns Blätter "
    "fehlen darin ganz); die Nummer gilt trotzdem.";
const char* const noTk25ToolTip =
    "Kein Messtischblatt: TK25-Blätter gibt es von 46° bis 55°54' N und von 5°40' bis 24° O "
    "(im alten deutschen Netz DHDN).";

// The datum line of a Bessel position: how far it lies from its WGS 84 place
// by the shift the datum box would apply, in whole metres; unknown where
// there is none (or no library data to find it).
QString besselDatumLine(const DhdnConverter* dhdn, const GeographicPoint& bessel)
{
    std::optional<double> offset;
    if (dhdn) {
        try {
            offset = besselOffsetMetres(*dhdn, bessel);
        } catch (const GridConversionError&) {
        }
    }
    if (!offset)
        return QStringLiteral("Lage auf Bessel (DHDN), Abstand zu WGS 84 unbekannt (keine Umrechnung für "
                              "diesen Ort)");
    return QStringLiteral("Lage auf Bessel (DHDN), hier %1 m neben WGS 84 – für Ortsangaben „nach ETRS89“ "
                          "anhaken")
        .arg(std::llround(*offset));
}

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
    lines_.sheetCentreNote->clear();
    lines_.locationText->setText(text);
    lines_.mapLink->setURL(QUrl(QString::fromLatin1(mapAddressAt(latitude, longitude))));
}

void PositionDisplay::showSheetCentreNote(const QString& note)
{
    lines_.sheetCentreNote->setText(note);
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
    const GeographicPoint point{static_cast<double>(longitude), static_cast<double>(latitude)};
    lines_.datumLine->setWarning(datum_ == PositionDatum::Bessel ? besselDatumLine(dhdn_, point) : QString());
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
    if (!sheet) {
        lines_.tk25->clear();
        lines_.tk25->setToolTip(QString::fromUtf8(noTk25ToolTip));
        return;
    }
    const QString shown = fromEngineText(tk25TextWithNames(*sheet));
    lines_.tk25->setText(shown);
    lines_.tk25->setCursorPosition(0);
    QString toolTip;
    if (tk25SheetNames(sheet->row, sheet->column).empty())
        toolTip = QString::fromUtf8(tk25WithoutNameToolTip).arg(fromEngineText(tk25NumberText(sheet->row, sheet->column)));
    else if (lines_.tk25->fontMetrics().horizontalAdvance(shown) > lines_.tk25->contentsRect().width() - 8)
        // Too long for the field: the whole of it, then what the field means.
        toolTip = shown + QStringLiteral("\n\n") + QString::fromUtf8(tk25ToolTip);
    else
        toolTip = QString::fromUtf8(tk25ToolTip);
    lines_.tk25->setToolTip(toolTip);
}

} // namespace zelv
