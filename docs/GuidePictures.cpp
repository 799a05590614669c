// The user guide's pictures, taken from the real window at build time:
//
//   zelv_guide_pictures PROGRAM FOLDER
//
// builds the main window as the program at PROGRAM would (its nad/ beside
// it, German separators, settings in a folder of its own), fills it for
// each task the guide shows by the window's own handlers and buttons, and
// writes what it shows as a PNG into FOLDER, with a red frame around the
// controls the task uses.  The offscreen platform draws it, so no display
// is needed and the pictures change whenever the window does.
//
// A scene that ends in an error box fails the run (exit status 1), so a
// conversion that stops working shows up in the build, not as a silently
// empty picture.

#include "Clipboard.h"
#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "ErrorPresenter.h"
#include "F_HauptU.h"
#include "ListConversionDialog.h"
#include "RadioGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using zelv::TF_Haupt;

class SceneClipboard final : public zelv::Clipboard {
public:
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }

private:
    QString text_;
};

// Keeps every message a scene raises; the message box itself is pictured
// only where a scene asks for it.
class CollectingPresenter final : public zelv::ErrorPresenter {
public:
    void showError(const QString& caption, const QString& text) override { shown.push_back({caption, text}); }
    // A question fails the run as a message does; no scene asks one.
    bool askYesNo(const QString& caption, const QString& question) override
    {
        shown.push_back({caption, question});
        return false;
    }

    struct Message {
        QString caption;
        QString text;
    };
    std::vector<Message> shown;
};

using Groups = std::vector<std::vector<QWidget*>>;

struct Scene {
    const char* file;
    // Fills the window, as a user would, for the task.
    std::function<void(TF_Haupt&, SceneClipboard&)> fill;
    // The controls the task uses, framed in the picture, one frame around
    // each group.
    std::function<Groups(TF_Haupt&)> marked;
    // The scene ends in a message, which is pictured instead of the window.
    bool message = false;
};

// A position typed into the decimal fields, and the fields leaving as Tab
// would leave them.
void typePosition(TF_Haupt& window, long double latitude, long double longitude)
{
    window.CE_Laenge->setValue(longitude);
    window.CE_LaengeExit();
    window.CE_Breite->setValue(latitude);
    window.CE_BreiteExit();
}

// An old German map's Gauß-Krüger grid, zone 4 (meridian 12°), in km.
void gaussKruegerZone4(TF_Haupt& window, bool etrs89)
{
    window.RG_Eingabe_km_m->setItemIndex(0);
    window.CE_TMERC_Laenge_Grad->setValue(12);
    window.CE_TMERC_Laenge_Minuten->setValue(0);
    window.CE_TMERC_BezugsRechts->setValue(4500);
    window.CB_TMERC_ETRS89->setChecked(etrs89);
}

// The window's caption with this text, to frame it with its field.
QWidget* caption(TF_Haupt& window, const char* text)
{
    const QString wanted = QString::fromUtf8(text);
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->text() == wanted)
            return label;
    std::fprintf(stderr, "zelv_guide_pictures: no caption %s\n", text);
    std::exit(1);
}

QPixmap framed(QPixmap picture, const Groups& groups)
{
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xd0, 0x10, 0x10), 3));
    for (const auto& group : groups) {
        QRect area;
        for (const QWidget* control : group)
            area = area.united(control->geometry());
        painter.drawRoundedRect(QRectF(area.adjusted(-4, -4, 4, 4)), 5, 5);
    }
    painter.end();
    return picture;
}

// The error box as the program shows it (MessageBoxPresenter), drawn
// instead of run.
QPixmap messageBox(const CollectingPresenter::Message& message)
{
    QMessageBox box(QMessageBox::Critical, message.caption, message.text, QMessageBox::Ok);
    box.show();
    QApplication::processEvents();
    QPixmap picture = box.grab();
    box.hide();
    return picture;
}

// The offscreen platform says of every dialog shown that it passes no size
// hints on, having no window manager to pass them to; every other message
// goes where it always goes.
QtMessageHandler defaultMessageHandler = nullptr;

void quietAboutSizeHints(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    defaultMessageHandler(type, context, message);
}

const std::vector<Scene>& scenes()
{
    static const std::vector<Scene> all = {
        // The whole window with one position in every notation, the datum
        // box unticked as on a first start: the guide's first picture, and
        // the README's.
        {"fenster.png",
         [](TF_Haupt& w, SceneClipboard&) {
             typePosition(w, 50.41484L, 10.76943L);
             w.BitBtn_LL_UTM->click();
             gaussKruegerZone4(w, false);
             w.BitBtn_LL_TMERC->click();
         },
         [](TF_Haupt&) { return Groups{}; }},
        {"eingabe.png",
         [](TF_Haupt& w, SceneClipboard&) { typePosition(w, 50.41484L, 10.76943L); },
         [](TF_Haupt& w) {
             return Groups{{w.CE_Laenge_Grad, w.CE_Breite_Sekunden}, {w.CE_Laenge, w.CE_Breite},
                           {w.E_ZELV, w.BitBtn_kopieren}};
         }},
        {"zwischenablage.png",
         [](TF_Haupt& w, SceneClipboard& clipboard) {
             clipboard.setText(QStringLiteral("52°31'12.0\"N 13°24'18.0\"E"));
             w.BitBtn_Koordinaten_aus_Zwischenablage->click();
         },
         [](TF_Haupt& w) {
             return Groups{{w.BitBtn_Koordinaten_aus_Zwischenablage}, {w.E_ZELV}};
         }},
        {"utm.png",
         [](TF_Haupt& w, SceneClipboard&) {
             typePosition(w, 50.41484L, 10.76943L);
             w.BitBtn_LL_UTM->click();
         },
         [](TF_Haupt& w) { return Groups{{w.BitBtn_LL_UTM, w.BitBtn_UTM_LL}, {w.ElSE_Zone, w.CE_Hoch}}; }},
        {"gauss-krueger.png",
         [](TF_Haupt& w, SceneClipboard&) {
             gaussKruegerZone4(w, true);
             w.CE_TMERC_Rechts->setValue(4412.345L);
             w.CE_TMERC_Hoch->setValue(5598.765L);
             w.BitBtn_TMERC_LL->click();
         },
         [](TF_Haupt& w) {
             return Groups{{w.BitBtn_LL_TMERC, w.BitBtn_TMERC_LL},
                           {w.CE_TMERC_Laenge_Grad, w.CB_TMERC_ETRS89, w.CE_TMERC_Hoch}};
         }},
        // The Messtischblatt of the position typed in.
        {"messtischblatt.png",
         [](TF_Haupt& w, SceneClipboard&) { typePosition(w, 52.52L, 13.405L); },
         [](TF_Haupt& w) {
             return Groups{{caption(w, "Messtischblatt (TK25):"), w.E_TK25}, {w.CE_Laenge, w.CE_Breite}};
         }},
        // A sheet number pasted: the centre of its quadrant, the sheet's name
        // and the line that says it is a sheet's centre.
        {"blattmitte.png",
         [](TF_Haupt& w, SceneClipboard& clipboard) {
             clipboard.setText(QStringLiteral("MTB 4868/3"));
             w.BitBtn_Koordinaten_aus_Zwischenablage->click();
         },
         [](TF_Haupt& w) {
             return Groups{{caption(w, "Messtischblatt (TK25):"), w.E_TK25}, {w.E_ZELV, w.Label_Blattmitte}};
         }},
        // A map's values converted with the datum box unticked: the position
        // stays on Bessel, and the line above the location text says how far
        // it lies from WGS 84.
        {"bessel.png",
         [](TF_Haupt& w, SceneClipboard&) {
             gaussKruegerZone4(w, false);
             w.CE_TMERC_Rechts->setValue(4412.345L);
             w.CE_TMERC_Hoch->setValue(5598.765L);
             w.BitBtn_TMERC_LL->click();
         },
         [](TF_Haupt& w) { return Groups{{w.CB_TMERC_ETRS89}, {w.Label_Lagedatum}}; }},
        // UTM values of one position, then another position typed in: the
        // UTM values are greyed, as they belong to the first.
        {"veraltet.png",
         [](TF_Haupt& w, SceneClipboard&) {
             typePosition(w, 50.41484L, 10.76943L);
             w.BitBtn_LL_UTM->click();
             typePosition(w, 52.52L, 13.405L);
         },
         [](TF_Haupt& w) { return Groups{{w.CE_Laenge, w.CE_Breite}, {w.ElSE_Zone, w.CE_Hoch}}; }},
        {"meldung.png",
         [](TF_Haupt& w, SceneClipboard& clipboard) {
             clipboard.setText(QStringLiteral("Kirche St. Marien, am Markt"));
             w.BitBtn_Koordinaten_aus_Zwischenablage->click();
         },
         [](TF_Haupt&) { return Groups{}; }, true},
    };
    return all;
}

// "Liste umrechnen" on a short list of places: the dialog as it opens, with
// its guesses, and its summary after the run.
bool drawListDialog(const QString& program, const QDir& folder)
{
    const QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("orte.csv"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("Ort;Kreis;Koordinaten\n"
               "Allenstein;Allenstein;53°46′42″ N, 20°28′45″ O\n"
               "Insterburg;Insterburg;54° 38′ N, 21° 49′ O\n"
               "Nirgendwo;;unbekannt\n"
               "Breslau;Breslau;\"51°06′36″ N, 17°01′57″ E\"\n"
               "Stargard;Saatzig;53.3364, 15.0500\n");
    file.close();
    zelv::ListDialogContext context;
    context.dataDirectory =
        QFile::encodeName(QFileInfo(program).absolutePath() + QStringLiteral("/nad")).toStdString();
    zelv::ListConversionDialog dialog(input, context);
    dialog.resize(560, 460);
    dialog.show();
    if (!dialog.isPreviewReady()) { // the start of the list is read in the background
        QEventLoop ready;
        QObject::connect(&dialog, &zelv::ListConversionDialog::previewReady, &ready, &QEventLoop::quit);
        ready.exec();
    }
    if (!dialog.grab().save(folder.filePath(QStringLiteral("liste.png")), "PNG"))
        return false;
    QEventLoop loop;
    QObject::connect(&dialog, &zelv::ListConversionDialog::conversionEnded, &loop, &QEventLoop::quit);
    dialog.startConversion();
    loop.exec();
    return dialog.grab().save(folder.filePath(QStringLiteral("liste-fertig.png")), "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawn the same on every machine, with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultMessageHandler = qInstallMessageHandler(quietAboutSizeHints);
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: zelv_guide_pictures PROGRAM FOLDER\n");
        return 2;
    }
    const QString program = arguments.at(1);
    const QDir folder(arguments.at(2));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "zelv_guide_pictures: cannot make %s\n", qPrintable(folder.path()));
        return 1;
    }

    for (const Scene& scene : scenes()) {
        CollectingPresenter presenter;
        SceneClipboard clipboard;
        const QTemporaryDir settings;
        TF_Haupt window(zelv::MainWindowContext{
            .errorPresenter = presenter,
            .clipboard = clipboard,
            .separators = zelv::germanSeparators,
            .executablePath = program,
            .settingsDirectory = settings.path(),
        });
        scene.fill(window, clipboard);

        QPixmap picture;
        if (scene.message) {
            if (presenter.shown.size() != 1) {
                std::fprintf(stderr, "zelv_guide_pictures: %s: %zu messages instead of one\n", scene.file,
                             presenter.shown.size());
                return 1;
            }
            picture = messageBox(presenter.shown.front());
        } else {
            for (const auto& shown : presenter.shown)
                std::fprintf(stderr, "zelv_guide_pictures: %s: %s\n", scene.file, qPrintable(shown.text));
            if (!presenter.shown.empty())
                return 1;
            picture = framed(window.grab(), scene.marked(window));
        }
        const QString path = folder.filePath(QString::fromLatin1(scene.file));
        if (!picture.save(path, "PNG")) {
            std::fprintf(stderr, "zelv_guide_pictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    if (!drawListDialog(program, folder)) {
        std::fprintf(stderr, "zelv_guide_pictures: cannot draw the list dialog\n");
        return 1;
    }
    return 0;
}
