// The real main window with its settings store: what a start shows from the
// settings file, and what closing writes back.

#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "F_HauptU.h"
#include "GTestQtPrinters.h"
#include "IniFile.h"
#include "ProgramDirectory.h"
#include "RadioGroup.h"
#include "WindowTestDoubles.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <sys/inotify.h>
#include <unistd.h>

namespace zelv {
namespace {

using window_fakes::copyNad;
using window_fakes::RecordingClipboard;
using window_fakes::RecordingPresenter;

const QString iniName = QStringLiteral("ZELV_Derarar.INI");
const QString section = QStringLiteral("TF_Haupt");

// Counts the replacements of one file in a directory: every save writes a
// new file and renames it over the old one.  The kernel queues the events,
// so the count is exact whenever it is read.
class FileReplacements {
public:
    FileReplacements(const QString& directory, const QString& name)
        : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(QFile::encodeName(name))
    {
        EXPECT_GE(fd_, 0);
        EXPECT_GE(inotify_add_watch(fd_, QFile::encodeName(directory).constData(), IN_CREATE | IN_MOVED_TO), 0);
    }
    ~FileReplacements() { ::close(fd_); }
    FileReplacements(const FileReplacements&) = delete;
    FileReplacements& operator=(const FileReplacements&) = delete;

    int count()
    {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (const char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->len > 0 && name_ == event->name)
                    ++count_;
                p += sizeof(inotify_event) + event->len;
            }
        }
        return count_;
    }

private:
    int fd_;
    QByteArray name_;
    int count_ = 0;
};

class StartupSettings : public ::testing::Test {
protected:
    StartupSettings() { copyNad(programDirectory() + QStringLiteral("/nad")); }

    QString base() const { return QFileInfo(root.path()).canonicalFilePath(); }
    QString programDirectory() const { return base() + QStringLiteral("/program"); }
    QString settingsDirectory() const { return base() + QStringLiteral("/config"); }
    QString settingsFile() const { return settingsDirectory() + u'/' + iniName; }

    void writeSettings(const QByteArray& content)
    {
        ASSERT_TRUE(QDir().mkpath(settingsDirectory()));
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray settingsContent() const
    {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    // The seven values of the section, "FormVersion" first, blank-separated;
    // "-" for a missing key.
    QString storedValues() const
    {
        IniFile file(settingsFile());
        if (!file.load())
            return QStringLiteral("<unreadable>");
        QStringList values;
        for (const char* key : {"FormVersion", "CE_TMERC_Laenge_Grad_Value", "CE_TMERC_Laenge_Minuten_Value",
                                "CE_TMERC_BezugsRechts_Value", "ElSE_Zone_Value", "RG_Eingabe_km_m_ItemIndex",
                                "CB_TMERC_ETRS89_checked"})
            values << file.value(section, QString::fromLatin1(key)).value_or(QStringLiteral("-"));
        return values.join(u' ');
    }

    // Created and shown, as the program does it: FormCreate in the
    // constructor, the show hook before the window is mapped.
    TF_Haupt& start(Separators separators = germanSeparators, const QString& settings = QString())
    {
        window = std::make_unique<TF_Haupt>(MainWindowContext{
            .errorPresenter = presenter,
            .clipboard = clipboard,
            .separators = separators,
            .executablePath = programDirectory() + QStringLiteral("/ZELV_Derarar"),
            .settingsDirectory = settings.isEmpty() ? settingsDirectory() : settings,
        });
        window->show();
        return *window;
    }

    QTemporaryDir root;
    RecordingPresenter presenter;
    RecordingClipboard clipboard;
    std::unique_ptr<TF_Haupt> window;
};

std::string str(const QString& text) { return text.toStdString(); }

// What the Transverse Mercator group shows; the two grid fields are not
// stored, stay 0 and follow the unit like the reference easting.
struct TmercGroup {
    long double grad;
    long double minuten;
    long double easting;
    unsigned decimals;
    const char* format;
    const char* shown;
    int zone;
    int index; // and the button marked, none for -1
    bool etrs89 = false;
};

void expectGroup(TF_Haupt& w, const TmercGroup& expected)
{
    EXPECT_EQ(w.CE_TMERC_Laenge_Grad->Value(), expected.grad);
    EXPECT_EQ(w.CE_TMERC_Laenge_Minuten->Value(), expected.minuten);
    EXPECT_EQ(w.CE_TMERC_BezugsRechts->Value(), expected.easting);
    EXPECT_EQ(str(w.CE_TMERC_BezugsRechts->ShownText()), expected.shown);
    for (TCurrencyEdit* field : {w.CE_TMERC_BezugsRechts, w.CE_TMERC_Rechts, w.CE_TMERC_Hoch}) {
        EXPECT_EQ(field->DecimalPlaces(), expected.decimals) << str(field->objectName());
        EXPECT_EQ(str(field->DisplayFormat()), expected.format) << str(field->objectName());
    }
    EXPECT_EQ(w.CE_TMERC_Rechts->Value(), 0);
    EXPECT_EQ(w.CE_TMERC_Hoch->Value(), 0);
    EXPECT_EQ(w.ElSE_Zone->Value(), expected.zone);
    EXPECT_EQ(w.RG_Eingabe_km_m->ItemIndex(), expected.index);
    EXPECT_EQ(w.RG_Eingabe_km_m->button(0)->isChecked(), expected.index == 0);
    EXPECT_EQ(w.RG_Eingabe_km_m->button(1)->isChecked(), expected.index == 1);
    EXPECT_EQ(w.CB_TMERC_ETRS89->isChecked(), expected.etrs89);
}

const TmercGroup layout{0, 0, 0, 3, "#0.000", "0,000", 1, 0};

TEST_F(StartupSettings, FirstStartShowsTheLayoutAndClosingWritesTheSevenLines)
{
    TF_Haupt& w = start();
    expectGroup(w, layout);
    EXPECT_FALSE(QFile::exists(settingsFile()));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(settingsContent().toStdString(), "[TF_Haupt]\n"
                                               "FormVersion=0\n"
                                               "CE_TMERC_Laenge_Grad_Value=0\n"
                                               "CE_TMERC_Laenge_Minuten_Value=0\n"
                                               "CE_TMERC_BezugsRechts_Value=0\n"
                                               "ElSE_Zone_Value=1\n"
                                               "RG_Eingabe_km_m_ItemIndex=0\n"
                                               "CB_TMERC_ETRS89_checked=0\n");
    EXPECT_TRUE(presenter.shown.empty());
}

struct StoredStart {
    const char* name;
    const char* file; // the section's lines after its header
    bool pointLocale;
    TmercGroup shown;
    const char* saved; // the seven values after closing, as storedValues()
};

class StoredStartUp : public StartupSettings, public ::testing::WithParamInterface<StoredStart> {};

TEST_P(StoredStartUp, ShowsExactlyTheStoredValuesAndClosingKeepsThem)
{
    const StoredStart& c = GetParam();
    writeSettings(QByteArray("[TF_Haupt]\n") + c.file);
    TF_Haupt& w = start(c.pointLocale ? pointSeparators : germanSeparators);
    expectGroup(w, c.shown);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(str(storedValues()), c.saved);
    EXPECT_TRUE(presenter.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredStartUp,
    ::testing::Values(
        StoredStart{"metres",
                    "FormVersion=0\nCE_TMERC_Laenge_Grad_Value=9\nCE_TMERC_Laenge_Minuten_Value=20\n"
                    "CE_TMERC_BezugsRechts_Value=6525000\nElSE_Zone_Value=33\nRG_Eingabe_km_m_ItemIndex=1\n",
                    false, {9, 20, 6525000, 0, "#######", "6525000", 33, 1}, "0 9 20 6525000 33 1 0"},
        StoredStart{"kilometres",
                    "FormVersion=0\nCE_TMERC_Laenge_Grad_Value=-12\nCE_TMERC_Laenge_Minuten_Value=59\n"
                    "CE_TMERC_BezugsRechts_Value=6525\nElSE_Zone_Value=60\nRG_Eingabe_km_m_ItemIndex=0\n",
                    false, {-12, 59, 6525, 3, "#0.000", "6525,000", 60, 0}, "0 -12 59 6525 60 0 0"},
        StoredStart{"zoneNoNumber", "ElSE_Zone_Value=abc\n", false, layout, "0 0 0 0 1 0 0"},
        StoredStart{"zoneAboveRange", "ElSE_Zone_Value=99\n", false, {0, 0, 0, 3, "#0.000", "0,000", 60, 0},
                    "0 0 0 0 60 0 0"},
        // Every index but 0 means metres.
        StoredStart{"indexAboveRange", "CE_TMERC_BezugsRechts_Value=6525000\nRG_Eingabe_km_m_ItemIndex=5\n", false,
                    {0, 0, 6525000, 0, "#######", "6525000", 1, 1}, "0 0 0 6525000 1 1 0"},
        StoredStart{"indexBelowRange", "CE_TMERC_BezugsRechts_Value=6525000\nRG_Eingabe_km_m_ItemIndex=-3\n", false,
                    {0, 0, 6525000, 0, "#######", "6525000", 1, -1}, "0 0 0 6525000 1 -1 0"},
        StoredStart{"commaUnderGerman", "CE_TMERC_BezugsRechts_Value=6,525\n", false,
                    {0, 0, 6.525L, 3, "#0.000", "6,525", 1, 0}, "0 0 0 6.525 1 0 0"},
        StoredStart{"commaUnderPointLocale", "CE_TMERC_BezugsRechts_Value=6,525\n", true,
                    {0, 0, 0, 3, "#0.000", "0.000", 1, 0}, "0 0 0 0 1 0 0"},
        StoredStart{"pointUnderGerman", "CE_TMERC_BezugsRechts_Value=6.525\n", false,
                    {0, 0, 6.525L, 3, "#0.000", "6,525", 1, 0}, "0 0 0 6.525 1 0 0"},
        StoredStart{"pointUnderPointLocale", "CE_TMERC_BezugsRechts_Value=6.525\n", true,
                    {0, 0, 6.525L, 3, "#0.000", "6.525", 1, 0}, "0 0 0 6.525 1 0 0"},
        // An older version restores nothing; closing rewrites the section.
        StoredStart{"olderVersion",
                    "FormVersion=-1\nCE_TMERC_Laenge_Grad_Value=9\nCE_TMERC_Laenge_Minuten_Value=20\n"
                    "CE_TMERC_BezugsRechts_Value=6525000\nElSE_Zone_Value=33\nRG_Eingabe_km_m_ItemIndex=1\n"
                    "CB_TMERC_ETRS89_checked=1\n",
                    false, layout, "0 0 0 0 1 0 0"},
        // The datum choice: a file without its key (all of the above) starts
        // unticked; what is no integer reads as 0.
        StoredStart{"etrs89Ticked", "CB_TMERC_ETRS89_checked=1\n", false,
                    {0, 0, 0, 3, "#0.000", "0,000", 1, 0, true}, "0 0 0 0 1 0 1"},
        StoredStart{"etrs89NoNumber", "CB_TMERC_ETRS89_checked=ja\n", false, layout, "0 0 0 0 1 0 0"}),
    [](const ::testing::TestParamInfo<StoredStart>& info) { return std::string(info.param.name); });

TEST_F(StartupSettings, HandAddedLinesSurviveEveryClose)
{
    const QByteArray handMade = "; my settings\n"
                                "[TF_Haupt]\n"
                                "Notiz = nicht anfassen\n"
                                "RG_Eingabe_km_m_ItemIndex=1\n"
                                "\n"
                                "[Andere]\n"
                                "x=y\n";
    writeSettings(handMade);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        TF_Haupt& w = start();
        w.CE_TMERC_Laenge_Grad->setValue(9 + run);
        EXPECT_TRUE(w.close());
        window.reset();
        const QByteArray saved = settingsContent();
        EXPECT_TRUE(saved.startsWith("; my settings\n[TF_Haupt]\nNotiz = nicht anfassen\n")) << saved.toStdString();
        EXPECT_TRUE(saved.endsWith("\n[Andere]\nx=y\n")) << saved.toStdString();
        EXPECT_EQ(str(storedValues()), str(QStringLiteral("0 %1 0 0 1 1 0").arg(9 + run)));
        IniFile file(settingsFile());
        ASSERT_TRUE(file.load());
        EXPECT_EQ(file.value(section, u"Notiz"), QStringLiteral("nicht anfassen"));
    }
}

TEST_F(StartupSettings, TheDatumChoiceSurvivesARestart)
{
    for (const bool ticked : {true, false}) {
        SCOPED_TRACE(ticked);
        TF_Haupt& w = start();
        if (w.CB_TMERC_ETRS89->isChecked() != ticked)
            w.CB_TMERC_ETRS89->click();
        EXPECT_TRUE(w.close());
        window.reset();
        EXPECT_EQ(str(storedValues()), ticked ? "0 0 0 0 1 0 1" : "0 0 0 0 1 0 0");
        EXPECT_EQ(start().CB_TMERC_ETRS89->isChecked(), ticked);
        window.reset();
    }
    EXPECT_TRUE(presenter.shown.empty());
}

// The close query and the close handler both save; the destroy hook then
// finds the settings saved and writes nothing.
TEST_F(StartupSettings, EveryWayOfClosingSavesTwiceAndDestroyingNothing)
{
    const struct {
        const char* name;
        void (*close)(TF_Haupt&);
    } routes[] = {
        {"close()", [](TF_Haupt& w) { EXPECT_TRUE(w.close()); }},
        // What the window manager's close button, Alt+F4 and the system menu reach.
        {"native window", [](TF_Haupt& w) { EXPECT_TRUE(w.windowHandle()->close()); }},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.name);
        writeSettings("[TF_Haupt]\nCE_TMERC_BezugsRechts_Value=6525000\nRG_Eingabe_km_m_ItemIndex=1\n");
        TF_Haupt& w = start();
        w.CE_TMERC_Laenge_Grad->setValue(9);
        FileReplacements replacements(settingsDirectory(), iniName);
        route.close(w);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(replacements.count(), 2);
        EXPECT_EQ(str(storedValues()), "0 9 0 6525000 1 1 0");
        window.reset();
        EXPECT_EQ(replacements.count(), 2);
        EXPECT_TRUE(presenter.shown.empty());
    }
}

TEST_F(StartupSettings, AnUnwritableSettingsDirectoryIsReportedAndTheWindowCloses)
{
    // A plain file where the directory should be: no save can succeed, for
    // root neither.
    const QString blocked = base() + QStringLiteral("/blocked");
    QFile blocker(blocked);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TF_Haupt& w = start(germanSeparators, blocked);
    EXPECT_TRUE(presenter.shown.empty());
    expectGroup(w, layout);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    // The close query and the close handler; destroying tries once more.
    EXPECT_EQ(presenter.shown.size(), 2u);
    window.reset();
    ASSERT_EQ(presenter.shown.size(), 3u);
    for (const auto& [caption, text] : presenter.shown) {
        EXPECT_EQ(str(caption), "Zelv_derarar");
        EXPECT_EQ(str(text), "nach ZELV_Derarar.INI kann nicht geschrieben werden.");
    }
}

TEST_F(StartupSettings, GarbageFilesKeepTheLayoutValues)
{
    const QByteArray binary = window_fakes::randomBytes(7, 100000);

    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"binary", binary},
        {"linesWithoutEquals", "[TF_Haupt]\nCE_TMERC_BezugsRechts_Value 6525000\nRG_Eingabe_km_m_ItemIndex:1\n"},
        {"hugeValue", "[TF_Haupt]\nCE_TMERC_BezugsRechts_Value=6525" + QByteArray(100000, 'x') + "\n"},
        {"missingSection", "[Other]\nCE_TMERC_BezugsRechts_Value=6525000\nRG_Eingabe_km_m_ItemIndex=1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings(c.content);
        TF_Haupt& w = start();
        expectGroup(w, layout);
        EXPECT_TRUE(w.close());
        window.reset();
        EXPECT_TRUE(presenter.shown.empty());
        // Saved over the garbage, which stays where it was.
        EXPECT_EQ(str(storedValues()), "0 0 0 0 1 0 0");
    }
}

// Without "nad" the start shows its message; the stored values still come
// back exactly, and closing stores them unchanged (not the reference easting
// of a stored "m" multiplied by 1000, as a start without the unit switch
// would).
TEST_F(StartupSettings, AStartWithoutNadKeepsTheStoredValues)
{
    ASSERT_TRUE(QDir(programDirectory() + QStringLiteral("/nad")).removeRecursively());
    const struct {
        const char* index;
        const char* easting;
        TmercGroup shown;
    } cases[] = {
        {"1", "6525000", {9, 20, 6525000, 0, "#######", "6525000", 33, 1, true}},
        {"0", "6525", {9, 20, 6525, 3, "#0.000", "6525,000", 33, 0, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        // The datum choice is kept as well, though without its grid the box is disabled.
        const QByteArray stored = QByteArray("[TF_Haupt]\nFormVersion=0\nCE_TMERC_Laenge_Grad_Value=9\n"
                                             "CE_TMERC_Laenge_Minuten_Value=20\nCE_TMERC_BezugsRechts_Value=")
                                  + c.easting + "\nElSE_Zone_Value=33\nRG_Eingabe_km_m_ItemIndex=" + c.index
                                  + "\nCB_TMERC_ETRS89_checked=1\n";
        writeSettings(stored);
        presenter.shown.clear();
        TF_Haupt& w = start();
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(str(presenter.shown[0].second),
                  str(QStringLiteral("Initialization file \"proj_def.dat\" in path \"%1/nad\" not found!")
                          .arg(programDirectory())));
        EXPECT_EQ(w.CoordinateTranslator(), nullptr);
        EXPECT_FALSE(w.CB_TMERC_ETRS89->isEnabled());
        expectGroup(w, c.shown);
        EXPECT_TRUE(w.close());
        window.reset();
        EXPECT_EQ(settingsContent().toStdString(), stored.toStdString());
        EXPECT_EQ(presenter.shown.size(), 1u);
    }
}

} // namespace
} // namespace zelv
