#include "F_HauptU.h"

#include "Angles.h"
#include "Clipboard.h"
#include "ClipboardCoordinates.h"
#include "CoordinateTranslator.h"
#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "EngineText.h"
#include "Exception.h"
#include "GridFailureText.h"
#include "GaussKruegerText.h"
#include "GridWorkflows.h"
#include "ListConversionDialog.h"
#include "Messtischblatt.h"
#include "MesstischblattText.h"
#include "Placemnt.h"
#include "RadioGroup.h"
#include "WarningLine.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalBlocker>
#include <optional>
#include <variant>

// The form's handlers: each reads its fields, calls the engine once and
// writes its fields; what the window shows about the position goes through
// PositionDisplay.  The controls are built in F_HauptBuild.cpp.

namespace zelv {

void TF_Haupt::FormCreate()
{
    // A projection service that cannot start is shown, and the window opens
    // without it.
    exceptionHandler_.guard([this] {
        programDirectory_ = programDirectoryOf(executablePath_);
        const QString dataDirectory = programDirectory_ + QStringLiteral("nad");
        offerDatumShift();
        coordinateTranslator_ =
            std::make_unique<TCoordinateTranslator>(QFile::encodeName(dataDirectory).toStdString());
        dhdn_ = std::make_unique<DhdnConverter>(QFile::encodeName(dataDirectory).toStdString());
        display_->setDhdnConverter(dhdn_.get());
    });
    // The restore and the unit switch run all the same.  Without them the
    // show-time restore would move the unit from "km" to a stored "m" and the
    // switch would multiply the just-restored reference easting by 1000,
    // which the next save would keep.
    exceptionHandler_.guard([this] {
        FormStorage1->RestoreSettings();
        RG_Eingabe_km_mClick();
    });
}

void TF_Haupt::closeEvent(QCloseEvent* event)
{
    exceptionHandler_.guard([this] { FormClose(); });
    event->accept();
}

void TF_Haupt::FormClose()
{
    // A failure is shown by the guard around this handler, and the window
    // closes anyway.
    FormStorage1->SaveSettings();
}

void TF_Haupt::FormDestroy()
{
    display_->setDhdnConverter(nullptr);
    dhdn_.reset();
    coordinateTranslator_.reset();
}

void TF_Haupt::BitBtn_kopierenClick()
{
    E_ZELV->selectAll();
    clipboard_.setText(E_ZELV->selectedText());
}

// The handlers of the angle fields, the grid conversions and the clipboard
// reader: each reads its fields, calls the engine and writes its fields.

void TF_Haupt::CE_LaengeExit()
{
    showDegreesMinutesSeconds(longitude_);
}

void TF_Haupt::CE_BreiteExit()
{
    showDegreesMinutesSeconds(latitude_);
}

void TF_Haupt::CE_Laenge_GradExit()
{
    showDecimalDegrees(longitude_);
}

void TF_Haupt::CE_Laenge_MinutenExit()
{
    showDecimalDegrees(longitude_);
}

void TF_Haupt::CE_Laenge_SekundenExit()
{
    showDecimalDegrees(longitude_);
}

void TF_Haupt::CE_Breite_GradExit()
{
    showDecimalDegrees(latitude_);
}

void TF_Haupt::CE_Breite_MinutenExit()
{
    showDecimalDegrees(latitude_);
}

void TF_Haupt::CE_Breite_SekundenExit()
{
    showDecimalDegrees(latitude_);
}

std::array<QString, 3> TF_Haupt::AngleAxis::partTexts() const
{
    return {degrees->Text(), minutes->Text(), seconds->Text()};
}

void TF_Haupt::showDegreesMinutesSeconds(AngleAxis& axis, std::optional<PositionDatum> datum)
{
    // Each part from a fresh read of the field, as it shows its value; a
    // part beyond its field's range is held at the bound by the field.
    axis.degrees->setValue(degreesOf(axis.decimal->Value()));
    axis.minutes->setValue(minutesOf(axis.decimal->Value()));
    axis.seconds->setValue(secondsOf(axis.decimal->Value()));
    axis.agreedTexts = axis.partTexts();
    showLocationText(datum);
}

void TF_Haupt::showDecimalDegrees(AngleAxis& axis)
{
    // Parts that still read as they did when they last agreed with the
    // decimal value say nothing new: they hold it only to a tenth of a
    // second, and reading them back would cut off the rest.  So a field
    // passed through, or edited and put back as it was, changes nothing.
    if (axis.partTexts() == axis.agreedTexts)
        return;
    // A degree field showing "-0" reads back as -0, which keeps the sign of
    // an angle between -1 and 0 degrees.
    const Extended d = axis.degrees->Value();
    const Extended m = axis.minutes->Value();
    const Extended s = axis.seconds->Value();
    axis.decimal->setValue(fromDegreesMinutesSeconds(d, m, s));
    axis.agreedTexts = axis.partTexts();
    showLocationText();
}

void TF_Haupt::showLocationText(std::optional<PositionDatum> datum)
{
    const Extended latitude = CE_Breite->Value();
    const Extended longitude = CE_Laenge->Value();
    // Every change of the position ends here.
    gridProvenance_.shown({longitude, latitude});
    showGridMarks();
    if (!datum && tmercPosition_ && *tmercPosition_ != Position{longitude, latitude})
        tmercPosition_.reset();
    display_->show(latitude, longitude, datum);
}

Position TF_Haupt::shownPosition()
{
    return {CE_Laenge->Value(), CE_Breite->Value()};
}

void TF_Haupt::showGridResult(Grid grid)
{
    gridProvenance_.matchesShown(grid, shownPosition());
    showGridMarks();
}

void TF_Haupt::showGridMarks()
{
    display_->showGridMarks(gridProvenance_);
}

void TF_Haupt::convertGrid(GridConversion conversion, const std::function<void(TCoordinateTranslator&)>& convert,
                           const std::function<bool(TCoordinateTranslator&)>& otherwise)
{
    // A conversion that finds no result has written nothing (each workflow
    // returns all of its result or throws) and says why; the fields stay as
    // they are.  Any other failure goes on to the handler's guard.
    std::optional<GridFailure> failure;
    if (!coordinateTranslator_) {
        failure = GridFailure::ServiceEmpty;
    } else {
        try {
            convert(*coordinateTranslator_);
        } catch (const GridConversionError& e) {
            failure = e.kind();
        }
        if (failure && otherwise && otherwise(*coordinateTranslator_))
            return;
    }
    if (failure)
        exceptionHandler_.presenter().showError(exceptionHandler_.title(),
                                                fromEngineText(gridFailureText(conversion, *failure)));
}

void TF_Haupt::BitBtn_LL_UTMClick()
{
    convertGrid(GridConversion::UtmForward, [this](TCoordinateTranslator& service) {
        const UtmPoint utm = utmForward(service, CE_Laenge->Value(), CE_Breite->Value());
        ElSE_Zone->setValue(utm.zone);
        CE_Rechts->setValue(static_cast<Extended>(utm.easting));
        CE_Hoch->setValue(static_cast<Extended>(utm.northing));
        showGridResult(Grid::Utm);
    });
}

void TF_Haupt::BitBtn_UTM_LLClick()
{
    convertGrid(GridConversion::UtmInverse, [this](TCoordinateTranslator& service) {
        showLatitudeLongitude(utmInverse(service, ElSE_Zone->Value(), CE_Rechts->Value(), CE_Hoch->Value()),
                              Grid::Utm);
    });
}

TmGrid TF_Haupt::tmGrid() const
{
    return {
        .meridianDegreesText = toEngineText(CE_TMERC_Laenge_Grad->Text()),
        .meridianMinutesText = toEngineText(CE_TMERC_Laenge_Minuten->Text()),
        .referenceEasting = CE_TMERC_BezugsRechts->Value(),
        .referenceEastingText = toEngineText(CE_TMERC_BezugsRechts->Text()),
        .unit = gridUnitOfIndex(RG_Eingabe_km_m->ItemIndex()),
        // A disabled box has no grid behind it, whatever the stored tick says.
        .datum = CB_TMERC_ETRS89->isEnabled() && CB_TMERC_ETRS89->isChecked() ? TmDatum::Etrs89Beta2007
                                                                               : TmDatum::Bessel,
    };
}

void TF_Haupt::BitBtn_LL_TMERCClick()
{
    convertGrid(GridConversion::TmForward, [this](TCoordinateTranslator& service) {
        const TmPoint tm = tmForward(service, tmGrid(), CE_Laenge->Value(), CE_Breite->Value());
        CE_TMERC_Rechts->setValue(tm.easting);
        CE_TMERC_Hoch->setValue(tm.northing);
        showGridResult(Grid::TransverseMercator);
        display_->showApproximationNote(tm.shift == DhdnShift::Epsg1777);
    });
}

void TF_Haupt::BitBtn_TMERC_LLClick()
{
    convertGrid(
        GridConversion::TmInverse, [this](TCoordinateTranslator& service) { convertTmercValues(service); },
        [this](TCoordinateTranslator& service) { return offerOtherUnit(service); });
}

void TF_Haupt::convertTmercValues(TCoordinateTranslator& service)
{
    const TmGeographicResult result =
        tmInverseShifted(service, tmGrid(), CE_TMERC_Rechts->Value(), CE_TMERC_Hoch->Value());
    const PositionDatum datum = !result.shift                            ? PositionDatum::Bessel
                                : *result.shift == DhdnShift::Epsg1777 ? PositionDatum::Epsg1777
                                                                       : PositionDatum::Wgs84;
    showLatitudeLongitude(result.point, Grid::TransverseMercator, datum);
}

bool TF_Haupt::offerOtherUnit(TCoordinateTranslator& service)
{
    const std::optional<UnitFix> fix =
        unitThatFits(service, tmGrid(), CE_TMERC_Rechts->Value(), CE_TMERC_Hoch->Value());
    if (!fix)
        return false;
    if (!exceptionHandler_.presenter().askYesNo(exceptionHandler_.title(),
                                                fromEngineText(unitFixQuestion(fix->unit))))
        return true;
    {
        // The unit alone, without the switch's x 1000 (which a click runs).
        const QSignalBlocker quiet(RG_Eingabe_km_m);
        RG_Eingabe_km_m->setItemIndex(fix->unit == GridUnit::Kilometres ? 0 : 1);
    }
    if (!fix->referenceKeepsDigits)
        CE_TMERC_BezugsRechts->setValue(scaledIntoUnit(CE_TMERC_BezugsRechts->Value(), fix->unit));
    showInUnit(fix->unit);
    // Values that now convert; a failure now is told as usual.
    convertGrid(GridConversion::TmInverse, [this](TCoordinateTranslator& s) { convertTmercValues(s); });
    return true;
}

void TF_Haupt::CB_TMERC_ETRS89Click()
{
    if (tmercPosition_ && *tmercPosition_ == shownPosition())
        BitBtn_TMERC_LLClick();
}

void TF_Haupt::showGaussKrueger(const GaussKruegerPosition& position)
{
    const Extended perUnit = gridUnitOfIndex(RG_Eingabe_km_m->ItemIndex()) == GridUnit::Kilometres ? 1000 : 1;
    CE_TMERC_Laenge_Grad->setValue(gaussKruegerMeridian(position.Zone));
    CE_TMERC_Laenge_Minuten->setValue(0);
    CE_TMERC_BezugsRechts->setValue(static_cast<Extended>(gaussKruegerReferenceEasting(position.Zone)) / perUnit);
    CE_TMERC_Rechts->setValue(position.Easting / perUnit);
    CE_TMERC_Hoch->setValue(position.Northing / perUnit);
}

void TF_Haupt::showLatitudeLongitude(const GeographicPoint& point, std::optional<Grid> producedBy,
                                     PositionDatum datum)
{
    CE_Laenge->setValue(point.Longitude);
    CE_Breite->setValue(point.Latitude);
    if (producedBy)
        gridProvenance_.matchesShown(*producedBy, shownPosition());
    tmercPosition_.reset();
    if (producedBy == Grid::TransverseMercator)
        tmercPosition_ = shownPosition();
    // As the exit handlers of the decimal fields, with the datum the
    // conversion gave.
    showDegreesMinutesSeconds(longitude_, datum);
    showDegreesMinutesSeconds(latitude_, datum);
}

void TF_Haupt::RG_Eingabe_km_mClick()
{
    // Values first, so that each is scaled at the decimals it was typed with.
    const GridUnit unit = gridUnitOfIndex(RG_Eingabe_km_m->ItemIndex());
    for (TCurrencyEdit* field : {CE_TMERC_BezugsRechts, CE_TMERC_Rechts, CE_TMERC_Hoch})
        field->setValue(scaledIntoUnit(field->Value(), unit));
    showInUnit(unit);
}

void TF_Haupt::showInUnit(GridUnit unit)
{
    TCurrencyEdit* const fields[] = {CE_TMERC_BezugsRechts, CE_TMERC_Rechts, CE_TMERC_Hoch};
    const GridUnitFormat format = gridUnitFormat(unit);
    for (TCurrencyEdit* field : fields)
        field->setDecimalPlaces(format.decimalPlaces);
    for (TCurrencyEdit* field : fields)
        field->setDisplayFormat(fromEngineText(format.displayFormat));
}

void TF_Haupt::BitBtn_Liste_umrechnenClick()
{
    const QString file = chooseListFile_ ? chooseListFile_(this)
                                         : QFileDialog::getOpenFileName(
                                               this, QStringLiteral("Liste umrechnen"), QString(),
                                               QStringLiteral("Listen (*.csv *.txt *.tsv);;Alle Dateien (*)"));
    if (file.isEmpty())
        return;
    ListDialogContext context;
    context.dataDirectory = QFile::encodeName(programDirectoryOf(executablePath_) + QStringLiteral("nad")).toStdString();
    context.openUrl = openUrl_;
    context.gaussKruegerDatum = tmGrid().datum;
    ListConversionDialog dialog(file, std::move(context), this);
    if (showListDialog_)
        showListDialog_(dialog);
    dialog.exec();
}

void TF_Haupt::BitBtn_Koordinaten_aus_ZwischenablageClick()
{
    const std::optional<Reading> read = KoordinatenAusZwischenablage(clipboard_, exceptionHandler_, separators_);
    if (!read)
        return;
    if (const auto* gaussKrueger = std::get_if<GaussKruegerPosition>(&read->position)) {
        // Into the TMERC fields, then on as the TMERC-to-latitude/longitude button.
        showGaussKrueger(*gaussKrueger);
        // Pasted values, as if typed, until the conversion finds their position.
        gridProvenance_.edited(Grid::TransverseMercator);
        showGridMarks();
        BitBtn_TMERC_LLClick();
        return;
    }
    if (const auto* grid = std::get_if<UtmPosition>(&read->position)) {
        // Into the UTM fields, then on as the UTM-to-latitude/longitude button.
        ElSE_Zone->setValue(grid->Zone);
        CE_Rechts->setValue(grid->Easting);
        CE_Hoch->setValue(grid->Northing);
        // Pasted values, as if typed, until the conversion finds their position.
        gridProvenance_.edited(Grid::Utm);
        showGridMarks();
        BitBtn_UTM_LLClick();
        return;
    }
    if (const auto* sheet = std::get_if<Tk25SheetReference>(&read->position)) {
        showSheetCentre(*sheet);
        return;
    }
    showLatitudeLongitude(std::get<GeographicPoint>(read->position), std::nullopt);
    CE_LaengeExit();
    CE_BreiteExit();
}

void TF_Haupt::showSheetCentre(const Tk25SheetReference& sheet)
{
    // The centre on DHDN taken to WGS 84 as the Messtischblatt field takes
    // a position the other way; without the data directory there is none.
    if (!dhdn_) {
        exceptionHandler_.presenter().showError(
            exceptionHandler_.title(),
            QStringLiteral("Die Mitte von Messtischblatt %1 l\u00E4sst sich ohne den Ordner \u201Enad\u201C "
                           "neben dem Programm nicht umrechnen.")
                .arg(fromEngineText(tk25ReferenceText(sheet))));
        return;
    }
    DhdnPosition centre;
    try {
        centre = tk25CentreOnWgs84(*dhdn_, sheet);
    } catch (const GridConversionError& e) {
        exceptionHandler_.presenter().showError(exceptionHandler_.title(), fromEngineText(e.message()));
        return;
    }
    showLatitudeLongitude(centre.point, std::nullopt);
    display_->showSheetCentreNote(fromEngineText(tk25CentreNote(sheet)));
}

} // namespace zelv
