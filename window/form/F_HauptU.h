#pragma once
// The one window of the program: every control under its own name, the
// wiring of their events, and the frame around them (creating the projection
// service at start, freeing it at the end, copying the location text).
// F_HauptBuild.cpp builds the controls (positions, fonts, captions,
// accessible names, Tab order); F_HauptU.cpp holds the handlers;
// PositionDisplay shows what the window says about the shown position.

#include "ElURLLabel.h"
#include "ErrorPresenter.h"
#include "WarningLine.h"
#include "GridProvenance.h"
#include "NumberText.h"
#include "PositionDisplay.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelv {

class Clipboard;
class TCoordinateTranslator;
class DhdnConverter;
struct GaussKruegerPosition;
struct Tk25SheetReference;
struct GeographicPoint;
struct TmGrid;
enum class GridConversion;
class TCurrencyEdit;
class ListConversionDialog;
class TElSpinEdit;
class TFormStorage;
class TRadioGroup;
enum class GridUnit;

// What the window takes from its surroundings; tests hand in their own.
struct MainWindowContext {
    // Shows every error that escapes a handler, under the application title.
    ErrorPresenter& errorPresenter;
    // Where "kopieren" and the links' "Copy URL" put their text.
    Clipboard& clipboard;
    // The locale's separators for every numeric field.
    Separators separators;
    // The executable's path as the system reports it; the program directory
    // and the application title follow from it.  It need not exist: a test
    // names a file in a directory of its own.
    QString executablePath;
    // Where the settings store keeps its file.
    QString settingsDirectory;
    // Opens the links' addresses; the default is the desktop's browser.
    UrlOpener openUrl = openWithDesktop;
    // Chooses the list for "Liste umrechnen …" (empty: none); the default
    // is the desktop's open dialog for .csv, .txt and .tsv.
    std::function<QString(QWidget* parent)> chooseListFile = {};
    // Set up before the list dialog is shown, so that a test can answer it.
    std::function<void(ListConversionDialog& dialog)> showListDialog = {};
};

class TF_Haupt : public QWidget {
    Q_OBJECT

public:
    // Builds the controls, then runs FormCreate.  Never throws: a failed
    // start is shown through the presenter and the window works without
    // the projection service.
    explicit TF_Haupt(const MainWindowContext& context, QWidget* parent = nullptr);
    // Runs FormDestroy.
    ~TF_Haupt() override;

    // The executable's directory with symlinks resolved, ending in "/".  A
    // path that does not exist is taken as it stands, made absolute.
    static QString programDirectoryOf(const QString& executablePath);

    // Degrees, minutes, seconds of longitude and latitude.
    TCurrencyEdit* CE_Laenge_Grad;
    TCurrencyEdit* CE_Laenge_Minuten;
    TCurrencyEdit* CE_Laenge_Sekunden;
    TCurrencyEdit* CE_Breite_Grad;
    TCurrencyEdit* CE_Breite_Minuten;
    TCurrencyEdit* CE_Breite_Sekunden;
    // Decimal degrees.
    TCurrencyEdit* CE_Laenge;
    TCurrencyEdit* CE_Breite;
    // Conversions to and from UTM.
    QPushButton* BitBtn_LL_UTM;
    QPushButton* BitBtn_UTM_LL;
    TElSpinEdit* ElSE_Zone;
    TCurrencyEdit* CE_Rechts;
    TCurrencyEdit* CE_Hoch;
    // The location text and its copy button.
    QLineEdit* E_ZELV;
    QPushButton* BitBtn_kopieren;
    // Beside the location text: says that the shown position lies on Bessel
    // (DHDN), as a TMERC conversion without the datum shift gives it, and how
    // far from its WGS 84 place; empty otherwise.
    TWarningLine* Label_Lagedatum;
    // The Messtischblatt (TK25) sheet and quadrant of the shown position
    // with the sheet's name, "3446/3 Berlin"; empty outside the sheets.
    // Read-only.
    QLineEdit* E_TK25;
    // Beside the copy button, after a sheet number was pasted: says that the
    // position is the centre of that sheet or quadrant, not a place; empty
    // once the position changes otherwise.
    QLabel* Label_Blattmitte;
    // Transverse Mercator input.
    TCurrencyEdit* CE_TMERC_Laenge_Grad;
    TCurrencyEdit* CE_TMERC_Laenge_Minuten;
    TRadioGroup* RG_Eingabe_km_m;
    // Latitude/longitude of the grid in ETRS89 through BeTA2007 rather than
    // on Bessel; disabled when nad/ lacks the grid.
    QCheckBox* CB_TMERC_ETRS89;
    // Under the datum choice: names EPSG 1777 while the shown values came
    // from that approximation; empty otherwise.
    QLabel* Label_TMERC_Umrechnung;
    TCurrencyEdit* CE_TMERC_BezugsRechts;
    TCurrencyEdit* CE_TMERC_Rechts;
    TCurrencyEdit* CE_TMERC_Hoch;
    QPushButton* BitBtn_LL_TMERC;
    QPushButton* BitBtn_TMERC_LL;
    QPushButton* BitBtn_Koordinaten_aus_Zwischenablage;
    // "Liste umrechnen …": a table file converted in a dialog of its own.
    QPushButton* BitBtn_Liste_umrechnen;
    // Links: the web map, the gazetteer, the project's page.
    TElURLLabel* ElURLLabel1;
    TElURLLabel* ElURLLabel2;
    TElURLLabel* ElURLLabel3;
    // The plain labels are children named "Label1".."Label28" in the order
    // of createControls(); Label27 is the project line, Label28 the
    // Messtischblatt's caption.

    // Keeps the reference meridian, the reference easting, the zone, the
    // km/m choice and the datum choice between runs; owned by the window.
    TFormStorage* FormStorage1;

    // The service from FormCreate to FormDestroy; null when the start failed.
    TCoordinateTranslator* CoordinateTranslator() const { return coordinateTranslator_.get(); }
    const QString& ProgramDirectory() const { return programDirectory_; }
    const QString& SettingsDirectory() const { return settingsDirectory_; }
    Separators separators() const { return separators_; }
    ExceptionHandler& exceptionHandler() { return exceptionHandler_; }
    // Which position each grid's values belong to; the window marks a grid
    // whose values belong to another position than the shown one.
    const GridProvenance& gridProvenance() const { return gridProvenance_; }
    // Which datum the shown position is on.
    PositionDatum positionDatum() const { return display_->datum(); }
    // The Transverse Mercator grid as its fields and the datum choice give it.
    TmGrid tmGrid() const;

    // The create, close and destroy handlers.  FormClose saves the settings
    // and throws when they cannot be written; closeEvent shows that and
    // closes all the same.
    void FormCreate();
    void FormClose();
    void FormDestroy();

    // Exit handlers of the angle fields: decimal degrees and degrees,
    // minutes, seconds follow each other, then the location text.  The six
    // degree/minute/second handlers act only when one of their axis's three
    // fields reads differently from when they last agreed with the decimal
    // field; leaving a field unchanged changes nothing.
    void CE_LaengeExit();
    void CE_BreiteExit();
    void CE_Laenge_GradExit();
    void CE_Laenge_MinutenExit();
    void CE_Laenge_SekundenExit();
    void CE_Breite_GradExit();
    void CE_Breite_MinutenExit();
    void CE_Breite_SekundenExit();

    // The grid conversions and the km/m switch.
    void BitBtn_LL_UTMClick();
    void BitBtn_UTM_LLClick();
    void BitBtn_LL_TMERCClick();
    void BitBtn_TMERC_LLClick();
    void RG_Eingabe_km_mClick();
    // A click on "nach ETRS89 (BeTA2007)": a position shown from the TMERC
    // values as they stand is converted again with the new choice.
    void CB_TMERC_ETRS89Click();

    // The clipboard: coordinates in, location text out.
    void BitBtn_Koordinaten_aus_ZwischenablageClick();
    // Asks for a list and opens the list dialog on it.
    void BitBtn_Liste_umrechnenClick();
    void BitBtn_kopierenClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void describeControls();
    void wireEvents();
    void chainTabOrder();
    TCurrencyEdit* numericField(const char* name, int left, int top, int width, unsigned decimalPlaces,
                                const char* displayFormat, long double minValue, long double maxValue,
                                bool formatOnEditing);
    QPushButton* pictureButton(const char* name, int left, int top, int width, int height,
                               const QString& caption, const QString& picture);
    void label(int left, int top, const QString& caption, const QFont* font = nullptr);
    void fitCaptions();
    TElURLLabel* link(const char* name, int left, int top, const QString& caption, const QString& url);

    // The four angle fields of one axis, and the edit texts of its degree,
    // minute and second fields as they stood when these last agreed with the
    // decimal field: written from it, or read into it.  Every field starts
    // empty, so they agree at the start.
    struct AngleAxis {
        TCurrencyEdit* decimal = nullptr;
        TCurrencyEdit* degrees = nullptr;
        TCurrencyEdit* minutes = nullptr;
        TCurrencyEdit* seconds = nullptr;
        std::array<QString, 3> agreedTexts;

        std::array<QString, 3> partTexts() const;
    };

    // One axis from decimal to degrees/minutes/seconds and back, each
    // followed by the location text; and the location text itself, from the
    // two decimal fields.
    // `datum` is given by a conversion that produced the position.
    void showDegreesMinutesSeconds(AngleAxis& axis, std::optional<PositionDatum> datum = std::nullopt);
    void showDecimalDegrees(AngleAxis& axis);
    void showLocationText(std::optional<PositionDatum> datum = std::nullopt);
    // Runs one grid conversion on the projection service.  One that finds no
    // result, or finds no service, writes nothing and shows why under the
    // application title.
    // `otherwise`, when given, runs on a failure first and may answer it
    // itself (returns true), so that no failure text is shown.
    void convertGrid(GridConversion conversion, const std::function<void(TCoordinateTranslator&)>& convert,
                     const std::function<bool(TCoordinateTranslator&)>& otherwise = {});
    // The TMERC values back to latitude/longitude.
    void convertTmercValues(TCoordinateTranslator& service);
    // After a failed TMERC conversion: when the values fit the other unit,
    // asks whether to switch to it with the digits kept, and on "Ja" does so
    // and converts.  False when there is nothing to offer.
    bool offerOtherUnit(TCoordinateTranslator& service);
    // The unit's decimals and format on the three TMERC value fields.
    void showInUnit(GridUnit unit);
    // Gauß-Krüger values into the five TMERC fields, in the unit chosen.
    void showGaussKrueger(const GaussKruegerPosition& position);
    // A pasted sheet number: the centre of the sheet or quadrant, and the note.
    void showSheetCentre(const Tk25SheetReference& sheet);
    // A position into the decimal fields; the angle fields, the location
    // text and the grids' marks follow.  `producedBy` names the grid whose
    // values gave the position, which then belongs to it; a position from
    // anywhere else leaves both grids' values belonging to where they were.
    // `datum` is the datum of the position, as far as the window knows it.
    void showLatitudeLongitude(const GeographicPoint& point, std::optional<Grid> producedBy,
                               PositionDatum datum = PositionDatum::Wgs84);
    // The position the decimal fields show, as they read back.
    Position shownPosition();
    // A grid's values were just written from the shown position.
    void showGridResult(Grid grid);
    // Greys the values of each grid that belongs to another position.
    void showGridMarks();
    // The user's edits of a grid's values or of its set-up make it input.
    void watchGridEdits();
    // The datum choice works only with the grid file in nad/.
    void offerDatumShift();

    ExceptionHandler exceptionHandler_;
    Clipboard& clipboard_;
    Separators separators_;
    QString executablePath_;
    QString settingsDirectory_;
    UrlOpener openUrl_;
    std::function<QString(QWidget*)> chooseListFile_;
    std::function<void(ListConversionDialog&)> showListDialog_;

    QString programDirectory_;
    std::unique_ptr<TCoordinateTranslator> coordinateTranslator_;
    // Takes the shown position into DHDN for the Messtischblatt; null when
    // the start failed.
    std::unique_ptr<DhdnConverter> dhdn_;
    AngleAxis longitude_;
    AngleAxis latitude_;
    // The location text, the datum lines, the Messtischblatt, the stale
    // marks; made right after the controls.
    std::unique_ptr<PositionDisplay> display_;
    int labelCount_ = 0;
    GridProvenance gridProvenance_;
    // The shown position when it came from the TMERC values as they stand,
    // so that the datum choice converts them again; none once the position
    // or the values change otherwise.
    std::optional<Position> tmercPosition_;
};

} // namespace zelv
