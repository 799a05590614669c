#include "F_HauptU.h"

#include "Angles.h"
#include "ApplicationTitle.h"
#include "Clipboard.h"
#include "CoordinateTranslator.h"
#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "EngineText.h"
#include "Exception.h"
#include "GaussKruegerText.h"
#include "GridWorkflows.h"
#include "MapLink.h"
#include "Messtischblatt.h"
#include "Placemnt.h"
#include "RadioGroup.h"
#include "ReadOnlyEdit.h"
#include "StaleMark.h"
#include "ButtonShortcut.h"
#include "F_HauptLayout.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

// The pictures live in a static library, whose resources are linked in only
// when someone asks for them by name.
static void initPictures()
{
    Q_INIT_RESOURCE(Pictures);
}

namespace zelv {

using namespace layout;

namespace {

QString titleFor(const QString& executablePath)
{
    return fromEngineText(applicationTitle(toEngineText(QFileInfo(executablePath).fileName())));
}

// The platform's own sans face at the layout's point sizes: 8 for the
// default, 12 for "large".
QFont layoutFont(int pointSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

// The user guide, docs/Anleitung.md as one page: beside the program in the
// build tree, else in the documentation folder that the package installs
// two levels above the program's own directory (lib/zelv-derarar, see
// packaging/Install.cmake).
QString userGuideAddress(const QString& programDirectory)
{
    const QString beside = programDirectory + QStringLiteral("zelv-derarar.html");
    const QString installed =
        QDir::cleanPath(programDirectory + QStringLiteral("../../share/doc/zelv-derarar/zelv-derarar.html"));
    return QUrl::fromLocalFile(QFileInfo::exists(beside) ? beside : installed).toString(QUrl::FullyEncoded);
}


} // namespace

QString TF_Haupt::programDirectoryOf(const QString& executablePath)
{
    const QFileInfo executable(executablePath);
    QString real = executable.canonicalFilePath();
    if (real.isEmpty()) {
        // No such file: resolve what exists of its directory.
        const QString directory = QFileInfo(executable.absolutePath()).canonicalFilePath();
        real = (directory.isEmpty() ? executable.absolutePath() : directory) + u'/' + executable.fileName();
    }
    QString directory = QFileInfo(real).absolutePath();
    if (!directory.endsWith(u'/'))
        directory += u'/';
    return directory;
}

TF_Haupt::TF_Haupt(const MainWindowContext& context, QWidget* parent)
    : QWidget(parent),
      exceptionHandler_(context.errorPresenter, titleFor(context.executablePath)),
      clipboard_(context.clipboard),
      separators_(context.separators),
      executablePath_(context.executablePath),
      settingsDirectory_(context.settingsDirectory),
      openUrl_(context.openUrl),
      chooseListFile_(context.chooseListFile),
      showListDialog_(context.showListDialog)
{
    initPictures();
    setObjectName(QStringLiteral("F_Haupt"));
    setWindowTitle(QStringLiteral("ZELV-Derarar"));
    // A fixed dialog frame: close button only, no minimise or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientWidth, clientHeight);
    setFont(layoutFont(8, false));

    createControls();
    display_ = std::make_unique<PositionDisplay>(
        PositionDisplay::Lines{
            .locationText = E_ZELV,
            .mapLink = ElURLLabel1,
            .datumLine = Label_Lagedatum,
            .approximationNote = Label_TMERC_Umrechnung,
            .tk25 = E_TK25,
            .sheetCentreNote = Label_Blattmitte,
            .utmValues = {ElSE_Zone, CE_Rechts, CE_Hoch},
            .tmValues = {CE_TMERC_Rechts, CE_TMERC_Hoch},
        },
        separators_);
    fitCaptions();
    wireEvents();
    chainTabOrder();
    CE_Laenge_Grad->setFocus();

    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(clientWidth / 2, clientHeight / 2));
    }

    // The settings store comes after the controls it binds and before
    // FormCreate, which restores through it.
    FormStorage1 = new TFormStorage(this, exceptionHandler_, separators_, executablePath_, settingsDirectory_);
    FormStorage1->setObjectName(QStringLiteral("FormStorage1"));
    FormStorage1->setOptions({});
    FormStorage1->setStoredProps({
        QStringLiteral("CE_TMERC_Laenge_Grad.Value"),
        QStringLiteral("CE_TMERC_Laenge_Minuten.Value"),
        QStringLiteral("CE_TMERC_BezugsRechts.Value"),
        QStringLiteral("ElSE_Zone.Value"),
        QStringLiteral("RG_Eingabe_km_m.ItemIndex"),
        QStringLiteral("CB_TMERC_ETRS89.Checked"),
    });
    FormStorage1->loaded();

    FormCreate();
}

TF_Haupt::~TF_Haupt()
{
    // The store's destroy hook goes first, while every control still exists.
    FormStorage1->ownerDestroying();
    FormDestroy();
}

void TF_Haupt::createControls()
{
    const QFont large = layoutFont(12, false);
    const QFont largeBold = layoutFont(12, true);

    // Created in Tab order, so that the focus chain starts right as well.
    CE_Laenge_Grad = numericField("CE_Laenge_Grad", 200, 40, 49, 0, ",0", -180, 180, true);
    CE_Laenge_Minuten = numericField("CE_Laenge_Minuten", 260, 40, 29, 0, "0", 0, 59, false);
    CE_Laenge_Minuten->setMaxLength(2);
    CE_Laenge_Sekunden = numericField("CE_Laenge_Sekunden", 296, 40, 41, 1, ",0.0", 0, 59.9L, true);
    CE_Breite_Grad = numericField("CE_Breite_Grad", 200, 72, 49, 0, ",0", -90, 90, true);
    CE_Breite_Minuten = numericField("CE_Breite_Minuten", 260, 72, 29, 0, ",0", 0, 59, true);
    CE_Breite_Sekunden = numericField("CE_Breite_Sekunden", 296, 72, 41, 1, ",0.0", 0, 59.9L, true);
    CE_Laenge = numericField("CE_Laenge", 200, 136, 145, 6, ",0.000000", -180, 180, true);
    CE_Breite = numericField("CE_Breite", 200, 168, 145, 6, ",0.000000", -90, 90, true);
    CE_Laenge->setHintsDecimalMark(true);
    CE_Breite->setHintsDecimalMark(true);
    longitude_ = {CE_Laenge, CE_Laenge_Grad, CE_Laenge_Minuten, CE_Laenge_Sekunden, {}};
    latitude_ = {CE_Breite, CE_Breite_Grad, CE_Breite_Minuten, CE_Breite_Sekunden, {}};

    BitBtn_LL_UTM = pictureButton("BitBtn_LL_UTM", 360, 40, 75, 25, QString(), QStringLiteral("arrow-right"));
    BitBtn_UTM_LL = pictureButton("BitBtn_UTM_LL", 360, 72, 75, 25, QString(), QStringLiteral("arrow-left"));

    ElSE_Zone = new TElSpinEdit(this);
    ElSE_Zone->setObjectName(QStringLiteral("ElSE_Zone"));
    ElSE_Zone->setGeometry(528, 40, 97, 28);
    ElSE_Zone->setFont(large);
    ElSE_Zone->setMinValue(1);
    ElSE_Zone->setMaxValue(60);
    ElSE_Zone->setValue(1);

    CE_Rechts = numericField("CE_Rechts", 528, 72, 97, 0, "########", 0, 0, true);
    CE_Hoch = numericField("CE_Hoch", 528, 104, 97, 0, "########", 0, 0, true);

    E_ZELV = new TReadOnlyEdit(QStringLiteral("liegt bei"), this);
    E_ZELV->setObjectName(QStringLiteral("E_ZELV"));
    E_ZELV->setGeometry(8, 352, 337, 28);
    E_ZELV->setFont(largeBold);
    // Out of the Tab chain, yet a click still puts the caret in for selecting.
    E_ZELV->setFocusPolicy(Qt::ClickFocus);

    // Alt+K presses it.
    BitBtn_kopieren = pictureButton("BitBtn_kopieren", 352, 352, 75, 30, QStringLiteral("&kopieren"),
                                    QStringLiteral("copy-to-clipboard"));

    // A line about the position, fixed in size, as the text comes and goes.
    const auto noteLine = [this](const char* name, int left, int top, int width, int height) {
        auto* line = new QLabel(this);
        line->setObjectName(QString::fromLatin1(name));
        line->setGeometry(left, top, width, height);
        line->setFixedSize(width, height);
        line->setWordWrap(true);
        line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return line;
    };
    // Right of the "ZELV" caption, above the location text it speaks of:
    // a warning line, with its icon.
    Label_Lagedatum = new TWarningLine(this);
    Label_Lagedatum->setObjectName(QStringLiteral("Label_Lagedatum"));
    Label_Lagedatum->setGeometry(64, 314, 281, 36);
    Label_Lagedatum->setFixedSize(281, 36);
    Label_Lagedatum->setWordWrap(true);
    Label_Lagedatum->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // In the free space between the decimal fields and the links, in their column.
    E_TK25 = new TReadOnlyEdit(QString(), this);
    E_TK25->setObjectName(QStringLiteral("E_TK25"));
    E_TK25->setGeometry(200, 208, 145, 28);
    E_TK25->setFont(large);
    E_TK25->setFocusPolicy(Qt::ClickFocus);

    // In the free space right of the copy button, on the location text's row.
    Label_Blattmitte = noteLine("Label_Blattmitte", 432, 342, 212, 44);

    CE_TMERC_Laenge_Grad = numericField("CE_TMERC_Laenge_Grad", 528, 176, 49, 0, ",0", -180, 180, true);
    CE_TMERC_Laenge_Minuten = numericField("CE_TMERC_Laenge_Minuten", 588, 176, 29, 0, "0", 0, 59, false);
    CE_TMERC_Laenge_Minuten->setMaxLength(2);
    // The whole degrees of an angle: "-0" there carries the sign of an angle
    // between -1 and 0 degrees, the reference meridian's included.
    for (TCurrencyEdit* degrees : {CE_Laenge_Grad, CE_Breite_Grad, CE_TMERC_Laenge_Grad})
        degrees->setKeepsSignOfZero(true);

    RG_Eingabe_km_m = new TRadioGroup({QStringLiteral("km"), QStringLiteral("m")}, 2, this);
    RG_Eingabe_km_m->setObjectName(QStringLiteral("RG_Eingabe_km_m"));
    RG_Eingabe_km_m->setGeometry(528, 200, 97, 33);
    RG_Eingabe_km_m->setItemIndex(0); // before the wiring: the layout's choice is no click

    // In the free space right of the km/m choice; unticked, the conversions
    // stay on Bessel.
    CB_TMERC_ETRS89 = new QCheckBox(QStringLiteral("nach ETRS89\n(BeTA2007)"), this);
    CB_TMERC_ETRS89->setObjectName(QStringLiteral("CB_TMERC_ETRS89"));
    CB_TMERC_ETRS89->setGeometry(632, 200, 126, 33);
    // One short line under it, above the reference easting's example.
    Label_TMERC_Umrechnung = new QLabel(this);
    Label_TMERC_Umrechnung->setObjectName(QStringLiteral("Label_TMERC_Umrechnung"));
    Label_TMERC_Umrechnung->setGeometry(632, 233, 126, 14);
    Label_TMERC_Umrechnung->setFixedSize(126, 14);
    // Italic, so that it does not read as one text with the example below it;
    // every other property of the font still follows the window's.
    QFont italic;
    italic.setItalic(true);
    Label_TMERC_Umrechnung->setFont(italic);
    // No accessible name of their own: a screen reader reads their text.

    // In kilometres to begin with; the unit switch changes decimals and format.
    CE_TMERC_BezugsRechts = numericField("CE_TMERC_BezugsRechts", 528, 240, 97, 3, "#0.000", 0, 0, true);
    CE_TMERC_Rechts = numericField("CE_TMERC_Rechts", 528, 280, 97, 3, "#0.000", 0, 0, true);
    CE_TMERC_Hoch = numericField("CE_TMERC_Hoch", 528, 312, 97, 3, "#0.000", 0, 0, true);

    // Above the way back, as the UTM pair stands.
    BitBtn_LL_TMERC = pictureButton("BitBtn_LL_TMERC", 360, 152, 75, 25, QString(), QStringLiteral("arrow-right"));
    BitBtn_TMERC_LL = pictureButton("BitBtn_TMERC_LL", 360, 184, 75, 25, QString(), QStringLiteral("arrow-left"));
    BitBtn_Koordinaten_aus_Zwischenablage =
        pictureButton("BitBtn_Koordinaten_aus_Zwischenablage", 8, 276, 337, 30,
                      QStringLiteral("Koordinaten aus Zwischenablage &holen und konvertieren"),
                      QStringLiteral("paste-from-clipboard"));

    label(8, 8, QStringLiteral("Grad / Minuten / Sekunden"), &largeBold);
    label(8, 48, QStringLiteral("Länge (in Grad, z.B. 10° 46' 9,9''):"));
    label(7, 80, QStringLiteral("Breite (in Grad, z.B. 50° 24' 53,4''):"));
    label(252, 40, QStringLiteral("°"), &large);
    label(252, 72, QStringLiteral("°"), &large);
    label(292, 40, QStringLiteral("'"), &large);
    label(292, 72, QStringLiteral("'"), &large);
    label(340, 40, QStringLiteral("''"), &large);
    label(340, 72, QStringLiteral("''"), &large);
    label(8, 112, QStringLiteral("Dezimal"), &largeBold);
    label(8, 144, QStringLiteral("Länge (in Dezimalgrad, z.B. 10,769430):"));
    label(7, 176, QStringLiteral("Breite (in Dezimalgrad, z.B. 50,414840):"));
    label(8, 320, QStringLiteral("ZELV"), &largeBold);
    label(448, 8, QStringLiteral("UTM"), &largeBold);
    label(448, 48, QStringLiteral("Zone:"));
    label(448, 80, QStringLiteral("Rechts:"));
    label(448, 288, QStringLiteral("Rechts:"));
    label(448, 112, QStringLiteral("Hoch:"));
    label(448, 320, QStringLiteral("Hoch:"));
    label(448, 144, QStringLiteral("TMERC (für Quarnel-Landkarten)"), &largeBold);
    label(448, 184, QStringLiteral("Bezugslänge:"));
    label(580, 176, QStringLiteral("°"), &large);
    label(620, 176, QStringLiteral("'"), &large);
    label(448, 216, QStringLiteral("Eingabe:"));
    label(448, 248, QStringLiteral("Bezugs R-Wert:"));
    label(632, 248, QStringLiteral("(z.B. 6525 oder 6525000):"));
    label(648, 356, QStringLiteral("ZELV-Derarar"));
    label(8, 216, QStringLiteral("Messtischblatt (TK25):"));

    // The web map the program first pointed to is gone; its caption stays.
    // The location text moves it to the position (showLocationText).
    ElURLLabel1 = link("ElURLLabel1", 8, 256, QStringLiteral("multimap"), QString::fromLatin1(mapHomeAddress));
    ElURLLabel2 = link("ElURLLabel2", 56, 256, QStringLiteral("https://whgazetteer.org/"),
                       QStringLiteral("https://whgazetteer.org/"));
    // In the free space right of the links, above the clipboard button; no
    // control moves for it.  The space beside the copy button belongs to the
    // sheet-centre note.
    BitBtn_Liste_umrechnen = new QPushButton(QStringLiteral("Liste umrechnen …"), this);
    BitBtn_Liste_umrechnen->setObjectName(QStringLiteral("BitBtn_Liste_umrechnen"));
    BitBtn_Liste_umrechnen->setGeometry(200, 248, 145, 25);
    BitBtn_Liste_umrechnen->setAccessibleName(QStringLiteral("Liste umrechnen"));
    BitBtn_Liste_umrechnen->setToolTip(
        QStringLiteral("Eine Ortsliste (CSV, TXT, TSV) umrechnen: als Tabelle, für Google Earth oder GPS"));
    ElURLLabel3 = link("ElURLLabel3", 648, 368, QStringLiteral("Anleitung"),
                       userGuideAddress(programDirectoryOf(executablePath_)));

    describeControls();
}

TCurrencyEdit* TF_Haupt::numericField(const char* name, int left, int top, int width, unsigned decimalPlaces,
                                      const char* displayFormat, long double minValue, long double maxValue,
                                      bool formatOnEditing)
{
    auto* field = new TCurrencyEdit(separators_, this);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(left, top, width, 28);
    field->setFont(layoutFont(12, false));
    field->setDecimalPlaces(decimalPlaces);
    field->setDisplayFormat(QString::fromLatin1(displayFormat));
    field->setMinValue(minValue);
    field->setMaxValue(maxValue);
    field->setFormatOnEditing(formatOnEditing);
    field->setCheckOnExit(true);
    field->setExceptionHandler(&exceptionHandler_);
    return field;
}

QPushButton* TF_Haupt::pictureButton(const char* name, int left, int top, int width, int height,
                                     const QString& caption, const QString& picture)
{
    // Each picture at 16 px and at 32 px, from which Qt takes the sharp one
    // on a display scaled to 200 %.
    QIcon icon;
    const QString stem = QStringLiteral(":/pictures/") + picture;
    for (const int pixels : {16, 32}) {
        const QString size = pixels == 16 ? QString() : QStringLiteral("-%1").arg(pixels);
        icon.addFile(stem + size + QStringLiteral(".png"), QSize(pixels, pixels), QIcon::Normal);
        icon.addFile(stem + QStringLiteral("-disabled") + size + QStringLiteral(".png"), QSize(pixels, pixels),
                     QIcon::Disabled);
    }

    auto* button = new QPushButton(icon, caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, height);
    button->setIconSize(QSize(16, 16));
    // Enter on a focused button presses it, as Space does.
    button->setAutoDefault(true);
    return button;
}

void TF_Haupt::label(int left, int top, const QString& caption, const QFont* font)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("Label%1").arg(++labelCount_));
    // Without a font of its own the label follows the window's (fitCaptions).
    if (font)
        label->setFont(*font);
    label->adjustSize();
    label->move(left, top);
}

TElURLLabel* TF_Haupt::link(const char* name, int left, int top, const QString& caption, const QString& url)
{
    auto* link = new TElURLLabel(caption, QUrl(url), this);
    link->setObjectName(QString::fromLatin1(name));
    link->setClipboard(&clipboard_);
    link->setOpener(openUrl_);
    link->adjustSize();
    link->move(left, top);
    return link;
}

void TF_Haupt::wireEvents()
{
    // Every handler runs inside the guard: what it throws is shown and stops there.
    auto guarded = [this](void (TF_Haupt::*handler)()) {
        return [this, handler] { exceptionHandler_.guard([this, handler] { (this->*handler)(); }); };
    };

    connect(BitBtn_Liste_umrechnen, &QPushButton::clicked, this, guarded(&TF_Haupt::BitBtn_Liste_umrechnenClick));
    connect(CE_Laenge, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_LaengeExit));
    connect(CE_Breite, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_BreiteExit));
    connect(CE_Laenge_Grad, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_Laenge_GradExit));
    connect(CE_Laenge_Minuten, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_Laenge_MinutenExit));
    connect(CE_Laenge_Sekunden, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_Laenge_SekundenExit));
    connect(CE_Breite_Grad, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_Breite_GradExit));
    connect(CE_Breite_Minuten, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_Breite_MinutenExit));
    connect(CE_Breite_Sekunden, &TCurrencyEdit::OnExit, this, guarded(&TF_Haupt::CE_Breite_SekundenExit));

    connect(BitBtn_LL_UTM, &QPushButton::clicked, this, guarded(&TF_Haupt::BitBtn_LL_UTMClick));
    connect(BitBtn_UTM_LL, &QPushButton::clicked, this, guarded(&TF_Haupt::BitBtn_UTM_LLClick));
    connect(BitBtn_LL_TMERC, &QPushButton::clicked, this, guarded(&TF_Haupt::BitBtn_LL_TMERCClick));
    connect(BitBtn_TMERC_LL, &QPushButton::clicked, this, guarded(&TF_Haupt::BitBtn_TMERC_LLClick));
    connect(RG_Eingabe_km_m, &TRadioGroup::OnClick, this, guarded(&TF_Haupt::RG_Eingabe_km_mClick));
    connect(BitBtn_kopieren, &QPushButton::clicked, this, guarded(&TF_Haupt::BitBtn_kopierenClick));
    connect(BitBtn_Koordinaten_aus_Zwischenablage, &QPushButton::clicked, this,
            guarded(&TF_Haupt::BitBtn_Koordinaten_aus_ZwischenablageClick));
    watchGridEdits();
    connect(CB_TMERC_ETRS89, &QCheckBox::clicked, this, guarded(&TF_Haupt::CB_TMERC_ETRS89Click));
    // The two buttons that copy and paste whole positions, from anywhere in
    // the window; Strg+V and Strg+C stay the fields' own.
    pressOnShortcut(*BitBtn_Koordinaten_aus_Zwischenablage, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    pressOnShortcut(*BitBtn_kopieren, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
}

void TF_Haupt::watchGridEdits()
{
    // Only the user's edits (textEdited, a click on the box): the program's
    // writes and the settings restore leave the grids as they are.
    const auto editedBy = [this](Grid grid) {
        return [this, grid] {
            gridProvenance_.edited(grid);
            showGridMarks();
        };
    };
    for (QLineEdit* field : {static_cast<QLineEdit*>(CE_Rechts), static_cast<QLineEdit*>(CE_Hoch)})
        connect(field, &QLineEdit::textEdited, this, editedBy(Grid::Utm));
    connect(ElSE_Zone, &TElSpinEdit::UserEdited, this, editedBy(Grid::Utm));
    // A new reference meridian, reference easting or datum makes other
    // values of the same grid: they are the user's to convert, not a result.
    for (TCurrencyEdit* field :
         {CE_TMERC_Rechts, CE_TMERC_Hoch, CE_TMERC_Laenge_Grad, CE_TMERC_Laenge_Minuten, CE_TMERC_BezugsRechts}) {
        connect(field, &QLineEdit::textEdited, this, editedBy(Grid::TransverseMercator));
        // The shown position no longer came from the values as they stand.
        connect(field, &QLineEdit::textEdited, this, [this] { tmercPosition_.reset(); });
    }
    connect(CB_TMERC_ETRS89, &QCheckBox::clicked, this, editedBy(Grid::TransverseMercator));
}

void TF_Haupt::chainTabOrder()
{
    // E_ZELV and E_TK25 are left out: Tab passes them by.  After the TMERC
    // values comes the button that converts them, so that Tab and Space
    // convert what was typed from a map.  The radio group is one stop,
    // at whichever of its buttons is the group's tab stop.
    QWidget* const order[] = {
        CE_Laenge_Grad,        CE_Laenge_Minuten,       CE_Laenge_Sekunden,
        CE_Breite_Grad,        CE_Breite_Minuten,       CE_Breite_Sekunden,
        CE_Laenge,             CE_Breite,               BitBtn_LL_UTM,
        BitBtn_UTM_LL,         ElSE_Zone,               CE_Rechts,
        CE_Hoch,               BitBtn_kopieren,         CE_TMERC_Laenge_Grad,
        CE_TMERC_Laenge_Minuten, RG_Eingabe_km_m->button(0), RG_Eingabe_km_m->button(1),
        CB_TMERC_ETRS89,       CE_TMERC_BezugsRechts,   CE_TMERC_Rechts,
        CE_TMERC_Hoch,         BitBtn_TMERC_LL,         BitBtn_LL_TMERC,
        BitBtn_Koordinaten_aus_Zwischenablage, ElURLLabel1, ElURLLabel2,
        BitBtn_Liste_umrechnen, ElURLLabel3,
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TF_Haupt::offerDatumShift()
{
    const QString directory = programDirectory_ + QStringLiteral("nad");
    const bool available = QFileInfo(directory + u'/' + fromEngineText(beta2007GridFileName)).isFile();
    CB_TMERC_ETRS89->setEnabled(available);
    CB_TMERC_ETRS89->setToolTip(available ? QString::fromUtf8(datumShiftToolTip)
                                          : QStringLiteral("Nicht verfügbar: Die Gitterdatei %1 fehlt im Ordner %2.")
                                                .arg(fromEngineText(beta2007GridFileName), directory));
}

} // namespace zelv
