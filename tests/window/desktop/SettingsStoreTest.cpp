#include "SettingsTestForm.h"

#include "Exception.h"
#include "GTestQtPrinters.h"
#include "IniFile.h"
#include "Placemnt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace settings_test;
using zelv::Extended;
using zelv::germanSeparators;
using zelv::pointSeparators;
using zelv::Separators;

namespace {

const QString fileName = "ZELV_Derarar.INI";

class SettingsStore : public testing::Test {
protected:
    QString filePath() const { return QDir(dir.path()).filePath(fileName); }

    QByteArray fileContent() const
    {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    void writeFile(const QByteArray& content) const
    {
        QFile file(filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    std::unique_ptr<TF_Haupt> makeForm(Separators separators = germanSeparators)
    {
        return std::make_unique<TF_Haupt>(errors, dir.path(), separators);
    }

    QTemporaryDir dir;
    RecordingPresenter presenter;
    zelv::ExceptionHandler errors{presenter, "Zelv_derarar"};
};

// --- the file and its first save ------------------------------------------

TEST_F(SettingsStore, FirstSaveWritesExactlyTheSixLinesFormVersionFirst)
{
    auto form = makeForm();
    EXPECT_EQ(form->storage->iniFilePath(), filePath());
    form->storage->RestoreSettings(); // no file: layout values stay
    EXPECT_EQ(form->zone->Value(), 1);
    EXPECT_FALSE(QFile::exists(filePath()));

    form->grad->setValue(9);
    form->minuten->setValue(20);
    form->bezugsRechts->setValue(6.525L);
    form->zone->setValue(33);
    form->storage->SaveSettings();
    EXPECT_EQ(fileContent(), "[TF_Haupt]\n"
                             "FormVersion=0\n"
                             "CE_TMERC_Laenge_Grad_Value=9\n"
                             "CE_TMERC_Laenge_Minuten_Value=20\n"
                             "CE_TMERC_BezugsRechts_Value=6.525\n"
                             "ElSE_Zone_Value=33\n"
                             "RG_Eingabe_km_m_ItemIndex=0\n");
    EXPECT_TRUE(form->storage->isSaved());
}

TEST_F(SettingsStore, FileIsNamedAfterTheExecutable)
{
    struct Case {
        QString executable;
        QString expected;
    };
    const Case cases[] = {
        {"/opt/zelv/ZELV_Derarar", "ZELV_Derarar.INI"},
        {"/opt/zelv/maptool.exe", "maptool.INI"},
        {"/opt/zelv/MapTool.Beta.exe", "MapTool.Beta.INI"},
        {"/opt/zelv.d/maptool", "maptool.INI"}, // a point in a directory is no extension
    };
    QWidget owner;
    for (const Case& c : cases) {
        zelv::TFormStorage store(&owner, errors, germanSeparators, c.executable, dir.path());
        EXPECT_EQ(store.iniFileDisplayName(), c.expected) << c.executable.toStdString();
        EXPECT_EQ(store.iniFilePath(), QDir(dir.path()).filePath(c.expected));
    }
    zelv::TFormStorage named(&owner, errors, germanSeparators, "/x/ZELV_Derarar", dir.path());
    named.setIniFileName("other.ini");
    EXPECT_EQ(named.iniFilePath(), QDir(dir.path()).filePath("other.ini"));
    // A plain QWidget owner names its section after its class; IniSection wins.
    EXPECT_EQ(named.sectionName(), "QWidget");
    named.setIniSection("Mine");
    EXPECT_EQ(named.sectionName(), "Mine");
}

// --- value texts -------------------------------------------------------------

struct FloatRoundTrip {
    Extended value;
    const char* text;
};

class SettingsFloatText : public SettingsStore,
                          public testing::WithParamInterface<std::tuple<FloatRoundTrip, Separators>> {};

TEST_P(SettingsFloatText, WritesAPointAndReadsTheSameValueBack)
{
    const auto [row, separators] = GetParam();
    auto form = makeForm(separators);
    form->storage->RestoreSettings();
    form->bezugsRechts->setValue(row.value);
    form->storage->SaveSettings();
    zelv::IniFile file(filePath());
    ASSERT_TRUE(file.load());
    EXPECT_EQ(file.value(u"TF_Haupt", u"CE_TMERC_BezugsRechts_Value"), row.text);

    auto next = makeForm(separators);
    next->storage->RestoreSettings();
    EXPECT_EQ(next->bezugsRechts->Value(), zelv::textToFloat(row.text, pointSeparators));
    EXPECT_NEAR(static_cast<double>(next->bezugsRechts->Value() / row.value), 1.0, 1e-17);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsFloatText,
    testing::Combine(testing::Values(FloatRoundTrip{6525, "6525"}, FloatRoundTrip{6.525L, "6.525"},
                                     FloatRoundTrip{-0.5L, "-0.5"}, FloatRoundTrip{6525000, "6525000"},
                                     FloatRoundTrip{9, "9"},
                                     // 18 significant digits of an extended value
                                     FloatRoundTrip{2.0L / 3, "0.666666666666666667"},
                                     FloatRoundTrip{-123456789.123456789L, "-123456789.123456789"},
                                     // the general form's exponent reads back too
                                     FloatRoundTrip{1.5e20L, "1.5E+20"},
                                     FloatRoundTrip{2.5e-7L, "2.5E-07"}),
                     testing::Values(germanSeparators, pointSeparators)));

// Digits by type: the kind comes from the property's declared type.
class KindProbe : public QObject {
    Q_OBJECT
    Q_PROPERTY(long double Extended MEMBER extended)
    Q_PROPERTY(double Double MEMBER dbl)
    Q_PROPERTY(float Single MEMBER single)
    Q_PROPERTY(int Integer MEMBER integer)
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_PROPERTY(bool Flag MEMBER flag)
public:
    explicit KindProbe(QObject* parent) : QObject(parent) { setObjectName("Probe"); }
    long double extended = 0;
    double dbl = 0;
    float single = 0;
    int integer = 0;
    QString caption;
    bool flag = false;
};

// A store over the probe's properties, bound as the window's store is.
class SettingsProbe : public SettingsStore {
protected:
    void bind(const QStringList& entries)
    {
        store.setStoredProps(entries);
        store.loaded();
    }

    QWidget owner;
    KindProbe* probe = new KindProbe(&owner);
    zelv::TFormStorage store{&owner, errors, germanSeparators, "/x/ZELV_Derarar", dir.path()};
};

TEST_F(SettingsProbe, DigitsFollowThePropertysFloatingType)
{
    bind({"Probe.Extended", "Probe.Double", "Probe.Single", "Probe.Integer", "Probe.Caption", "Probe.Flag"});
    store.RestoreSettings();
    probe->extended = 2.0L / 3;
    probe->dbl = 2.0 / 3;
    probe->single = 2.0f / 3;
    probe->integer = -7;
    probe->caption = "'quoted'";
    probe->flag = true;
    store.SaveSettings();
    // A Boolean as the integer 1; kinds other than integer, Boolean and
    // floating are neither written nor read.
    EXPECT_EQ(fileContent(), "[QWidget]\n"
                             "FormVersion=0\n"
                             "Probe_Extended=0.666666666666666667\n"
                             "Probe_Double=0.666666666666667\n"
                             "Probe_Single=0.6666667\n"
                             "Probe_Integer=-7\n"
                             "Probe_Flag=1\n");

    probe->extended = probe->dbl = probe->single = probe->integer = 0;
    probe->flag = false;
    store.RestoreSettings();
    EXPECT_EQ(probe->extended, zelv::textToFloat("0,666666666666666667", germanSeparators));
    EXPECT_EQ(probe->dbl, 0.666666666666667);
    EXPECT_EQ(probe->single, 0.6666667f);
    EXPECT_EQ(probe->integer, -7);
    EXPECT_TRUE(probe->flag);
}

TEST_F(SettingsStore, BooleanTextsAreReadAsIntegers)
{
    // Not 0 is true; what is no integer reads as 0, as for the integer kind.
    const std::pair<const char*, bool> cases[] = {
        {"1", true}, {"0", false}, {"-1", true}, {"$10", true}, {" 0 ", false}, {"abc", false}, {"", false},
        {"true", false},
    };
    QWidget owner;
    auto* probe = new KindProbe(&owner);
    zelv::TFormStorage store(&owner, errors, germanSeparators, "/x/ZELV_Derarar", dir.path());
    store.setStoredProps({"Probe.Flag"});
    store.loaded();
    for (const auto& [text, expected] : cases) {
        writeFile(QByteArray("[QWidget]\nProbe_Flag=") + text + "\n");
        probe->flag = !expected;
        store.RestoreSettings();
        EXPECT_EQ(probe->flag, expected) << text;
    }
}

TEST_F(SettingsProbe, FloatingValuesTheTypeCannotHoldAreNotAssigned)
{
    bind({"Probe.Double", "Probe.Single", "Probe.Extended"});
    writeFile("[QWidget]\nProbe_Double=1E+400\nProbe_Single=1E+40\nProbe_Extended=1E+400\n");
    probe->dbl = 1;
    probe->single = 1;
    store.RestoreSettings();
    EXPECT_EQ(probe->dbl, 1);
    EXPECT_EQ(probe->single, 1);
    EXPECT_EQ(probe->extended, zelv::textToFloat("1e400", pointSeparators));
}

TEST_F(SettingsProbe, TheLargestValueOfEachTypeReadsBack)
{
    // Rounded to the type's digits, each of these came out beyond the
    // largest value and was then ignored on reading.
    bind({"Probe.Extended", "Probe.Double", "Probe.Single"});
    store.RestoreSettings();
    probe->extended = -LDBL_MAX;
    probe->dbl = DBL_MAX;
    probe->single = FLT_MAX;
    store.SaveSettings();
    EXPECT_EQ(fileContent(), "[QWidget]\n"
                             "FormVersion=0\n"
                             "Probe_Extended=-1.189731495357231765E+4932\n"
                             "Probe_Double=1.7976931348623157E+308\n"
                             "Probe_Single=3.402823E+38\n");

    probe->extended = probe->dbl = probe->single = 0;
    store.RestoreSettings();
    EXPECT_EQ(probe->extended, zelv::textToFloat("-1.189731495357231765E+4932", pointSeparators));
    EXPECT_EQ(probe->dbl, DBL_MAX);
    EXPECT_EQ(probe->single, 3.402823E+38f);
}

struct FloatRead {
    const char* text;
    Separators separators;
    std::optional<Extended> expected; // nullopt: the value stays 42
};

class SettingsFloatRead : public SettingsStore, public testing::WithParamInterface<FloatRead> {};

TEST_P(SettingsFloatRead, ParsesWithTheLocaleOrLeavesTheValue)
{
    writeFile(QByteArray("[TF_Haupt]\nCE_TMERC_BezugsRechts_Value=") + GetParam().text
              + "\nElSE_Zone_Value=7\n");
    auto form = makeForm(GetParam().separators);
    form->bezugsRechts->setValue(42);
    form->storage->RestoreSettings();
    EXPECT_EQ(form->bezugsRechts->Value(), GetParam().expected.value_or(42));
    EXPECT_EQ(form->zone->Value(), 7); // the next entry is read all the same
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingsFloatRead,
    testing::Values(FloatRead{"6,525", germanSeparators, 6.525L}, // the locale's own form
                    FloatRead{"6,525", pointSeparators, std::nullopt},
                    FloatRead{"6.525", germanSeparators, 6.525L},
                    FloatRead{"6.525", pointSeparators, 6.525L},
                    FloatRead{" \t-0.5 ", germanSeparators, -0.5L},
                    FloatRead{"\"1.5E+3\"", germanSeparators, 1500},
                    FloatRead{"1e", pointSeparators, 1},
                    FloatRead{"1.000.000", germanSeparators, std::nullopt}, // no group separators
                    FloatRead{"1,000", pointSeparators, std::nullopt},
                    FloatRead{"abc", germanSeparators, std::nullopt},
                    FloatRead{"", germanSeparators, std::nullopt},
                    FloatRead{"INF", pointSeparators, std::nullopt}));

// The forms themselves are the engine's parseInteger (TextUtilTest); here
// the stored text's reading of them: what is no integer reads as 0.
TEST(SettingsIntegerText, ParsesSignDecimalAndHexadecimalForms)
{
    const std::pair<const char*, int> cases[] = {
        {"33", 33}, {"-$A", -10}, {"0x1F", 31}, {"-2147483648", -2147483647 - 1},
        {"", 0},    {"abc", 0},   {"$", 0},     {"2147483648", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(zelv::parseStoredInteger(text), expected) << text;
    EXPECT_EQ(zelv::parseStoredInteger(QString::fromUtf16(u"\u0663")), 0); // no other digits
    EXPECT_EQ(zelv::formatStoredInteger(-2147483647 - 1), "-2147483648");
}

TEST_F(SettingsStore, IntegerTextsAreAssignedAndClampedByTheControl)
{
    const std::pair<const char*, int> cases[] = {
        {"$1F", 31}, {"0x1F", 31}, {" 7 ", 7}, {"'8'", 8}, {"abc", 1}, {"", 1}, {"99", 60}, {"-$A", 1},
    };
    for (const auto& [text, expected] : cases) {
        writeFile(QByteArray("[TF_Haupt]\nElSE_Zone_Value=") + text + "\n");
        auto form = makeForm();
        form->zone->setValue(20);
        form->storage->RestoreSettings();
        EXPECT_EQ(form->zone->Value(), expected) << text;
    }
}

TEST(SettingsQuoting, TextsInQuotesGetOneMorePairThatTheReaderStrips)
{
    const std::pair<QString, QString> cases[] = {
        {"'abc'", "\"'abc'\""},     {"\"abc\"", "\"\"abc\"\""}, {"''", "\"''\""},
        {"'abc\"", "'abc\""},       {"abc", "abc"},             {"\"", "\""},
        {"6.525", "6.525"},         {"", ""},
    };
    for (const auto& [text, written] : cases) {
        EXPECT_EQ(zelv::quoteStoredText(text), written) << text.toStdString();
        zelv::IniFile file("unused.INI");
        file.setValue(u"S", u"K", zelv::quoteStoredText(text));
        EXPECT_EQ(file.value(u"S", u"K"), text) << text.toStdString();
    }
}

// --- versions, hand edits, garbage -------------------------------------------

TEST_F(SettingsStore, StoredVersionBelowTheStoresRestoresNothing)
{
    struct Case {
        const char* formVersion;
        int version;
        bool restores;
    };
    const Case cases[] = {
        {"-1", 0, false}, {"0", 0, true}, {"abc", 0, true}, {"5", 0, true}, {"0", 1, false}, {"$1", 1, true},
    };
    for (const Case& c : cases) {
        writeFile(QByteArray("[TF_Haupt]\nFormVersion=") + c.formVersion
                  + "\nCE_TMERC_Laenge_Grad_Value=9\nElSE_Zone_Value=33\n");
        auto form = makeForm();
        form->storage->setVersion(c.version);
        form->storage->RestoreSettings();
        EXPECT_EQ(form->grad->Value(), c.restores ? 9 : 0) << c.formVersion;
        EXPECT_EQ(form->zone->Value(), c.restores ? 33 : 1) << c.formVersion;
        EXPECT_TRUE(form->storage->isRestored());
    }

    // The next save rewrites the section with the store's version.
    writeFile("[TF_Haupt]\nFormVersion=-1\nCE_TMERC_Laenge_Grad_Value=9\n");
    auto form = makeForm();
    form->storage->RestoreSettings();
    form->storage->SaveSettings();
    EXPECT_EQ(fileContent(), "[TF_Haupt]\n"
                             "FormVersion=0\n"
                             "CE_TMERC_Laenge_Grad_Value=0\n"
                             "CE_TMERC_Laenge_Minuten_Value=0\n"
                             "CE_TMERC_BezugsRechts_Value=0\n"
                             "ElSE_Zone_Value=1\n"
                             "RG_Eingabe_km_m_ItemIndex=0\n");
}

TEST_F(SettingsStore, HandEditsCommentsAndOtherSectionsSurviveASave)
{
    writeFile("; written by hand\r\n"
              "[Other]\r\n"
              "CE_TMERC_BezugsRechts_Value=1\r\n"
              "\r\n"
              "[tf_haupt]\r\n"
              "formversion = 0\r\n"
              "HandKey = keep me\r\n"
              "  ce_tmerc_bezugsrechts_value=7\r\n"
              "\r\n"
              "[Tail]\r\n"
              "x=y");
    auto form = makeForm();
    form->storage->RestoreSettings();
    EXPECT_EQ(form->bezugsRechts->Value(), 7);
    form->bezugsRechts->setValue(8);
    form->storage->SaveSettings();
    EXPECT_EQ(fileContent(), "; written by hand\r\n"
                             "[Other]\r\n"
                             "CE_TMERC_BezugsRechts_Value=1\r\n"
                             "\r\n"
                             "[tf_haupt]\r\n"
                             "formversion =0\r\n"
                             "HandKey = keep me\r\n"
                             "  ce_tmerc_bezugsrechts_value=8\r\n"
                             "CE_TMERC_Laenge_Grad_Value=0\r\n"
                             "CE_TMERC_Laenge_Minuten_Value=0\r\n"
                             "ElSE_Zone_Value=1\r\n"
                             "RG_Eingabe_km_m_ItemIndex=0\r\n"
                             "\r\n"
                             "[Tail]\r\n"
                             "x=y");
    // A second save changes nothing more.
    const QByteArray once = fileContent();
    form->storage->SaveSettings();
    EXPECT_EQ(fileContent(), once);
}

TEST_F(SettingsStore, GarbageFilesGiveWhatCanBeReadAndNothingElse)
{
    const QByteArray binary = zelv::window_fakes::randomBytes(11, 3000000);

    struct Case {
        const char* name;
        QByteArray content;
        Extended bezugsRechts; // starts at 42
        int zone; // starts at 20
    };
    const Case cases[] = {
        {"binaryAroundTheSection",
         binary + "\n[TF_Haupt]\nCE_TMERC_BezugsRechts_Value=6525\n" + binary.first(1000).replace('\n', 'n'),
         6525, 20},
        {"linesWithoutEquals", "[TF_Haupt]\nCE_TMERC_BezugsRechts_Value 6525\nElSE_Zone_Value:7\n", 42, 20},
        {"hugeValues",
         "[TF_Haupt]\nCE_TMERC_BezugsRechts_Value=" + QByteArray(100000, 'x') + "\nElSE_Zone_Value="
             + QByteArray(100000, '7') + "\nCE_TMERC_Laenge_Grad_Value=9\n",
         42, 1},
        {"missingSection", "[Other]\nCE_TMERC_BezugsRechts_Value=6525\nElSE_Zone_Value=7\n", 42, 20},
        {"invalidUtf8", "[TF_Haupt]\nCE_TMERC_BezugsRechts_Value=65\xFF" "25\nElSE_Zone_Value=\xC3(\n", 42, 1},
        {"nulBytes", QByteArray("[TF_Haupt]\nElSE_Zone_Value=7\0\n", 30) + QByteArray(5000, '\0'), 42, 7},
        {"emptyFile", "", 42, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(c.content);
        auto form = makeForm();
        form->bezugsRechts->setValue(42);
        form->zone->setValue(20);
        form->storage->RestoreSettings();
        EXPECT_EQ(form->bezugsRechts->Value(), c.bezugsRechts);
        EXPECT_EQ(form->zone->Value(), c.zone);
        if (QByteArrayView(c.name) == "hugeValues") {
            EXPECT_EQ(form->grad->Value(), 9);
        }

        // Saving over garbage works and reads back.
        ASSERT_NO_THROW(form->storage->SaveSettings());
        zelv::IniFile file(filePath());
        ASSERT_TRUE(file.load());
        EXPECT_EQ(file.value(u"TF_Haupt", u"ElSE_Zone_Value"), QString::number(c.zone));
    }
}

TEST_F(SettingsStore, AFileTooLargeToReadIsNeitherReadNorReplaced)
{
    {
        QFile huge(filePath());
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        huge.write("[TF_Haupt]\nElSE_Zone_Value=7\n");
        ASSERT_TRUE(huge.resize(zelv::IniFile::maximumFileSize + 1));
    }
    auto form = makeForm();
    form->storage->RestoreSettings();
    EXPECT_EQ(form->zone->Value(), 1);
    EXPECT_THROW(form->storage->SaveSettings(), zelv::Exception);
    EXPECT_EQ(QFileInfo(filePath()).size(), zelv::IniFile::maximumFileSize + 1);
    EXPECT_TRUE(fileContent().startsWith("[TF_Haupt]\nElSE_Zone_Value=7\n"));
}

// --- failures -----------------------------------------------------------------

TEST_F(SettingsStore, UnwritableDirectoryNamesTheFileInTheError)
{
    // A plain file where the settings directory should be: fails for root too.
    const QString blocked = QDir(dir.path()).filePath("blocked");
    QFile blocker(blocked);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TF_Haupt form(errors, blocked);
    form.storage->RestoreSettings();
    try {
        form.storage->SaveSettings();
        FAIL() << "no error";
    } catch (const zelv::Exception& e) {
        EXPECT_EQ(e.message(), "nach ZELV_Derarar.INI kann nicht geschrieben werden");
    }
    EXPECT_FALSE(form.storage->isSaved());
}

// --- the save's guard and the hooks ------------------------------------------

TEST_F(SettingsStore, NothingIsSavedBeforeItWasRestoredWhileActive)
{
    auto form = makeForm();
    form->storage->SaveSettings();
    EXPECT_FALSE(QFile::exists(filePath()));
    EXPECT_FALSE(form->storage->isSaved());

    form->storage->setActive(false);
    form->storage->SaveSettings();
    EXPECT_TRUE(QFile::exists(filePath()));
}

TEST_F(SettingsStore, ShowRestoresBeforeTheWindowsOwnShowHandler)
{
    writeFile("[TF_Haupt]\nCE_TMERC_Laenge_Grad_Value=9\n");
    auto form = makeForm();
    Extended seenInShowEvent = -1;
    form->onShow = [&] { seenInShowEvent = form->grad->Value(); };
    form->show();
    EXPECT_EQ(seenInShowEvent, 9);
    EXPECT_TRUE(form->storage->isRestored());

    // Another show restores again; an inactive store does not.
    form->hide();
    form->grad->setValue(1);
    form->show();
    EXPECT_EQ(form->grad->Value(), 9);
    form->hide();
    form->grad->setValue(1);
    form->storage->setActive(false);
    form->show();
    EXPECT_EQ(form->grad->Value(), 1);
}

TEST_F(SettingsStore, CloseSavesInTheQueryHookThenInTheCloseHandlerThenNotOnDestroy)
{
    auto form = makeForm();
    form->storage->RestoreSettings();
    form->show();
    form->grad->setValue(9);
    QByteArray seenInCloseHandler;
    form->onClose = [&] {
        seenInCloseHandler = fileContent();
        form->grad->setValue(10); // so the handler's own save shows
    };
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(seenInCloseHandler.contains("CE_TMERC_Laenge_Grad_Value=9\n"));
    EXPECT_TRUE(fileContent().contains("CE_TMERC_Laenge_Grad_Value=10\n"));
    EXPECT_TRUE(form->storage->isSaved());

    ASSERT_TRUE(QFile::remove(filePath()));
    form.reset();
    EXPECT_FALSE(QFile::exists(filePath()));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(SettingsStore, CloseQueryDoesNotSaveWithoutANativeWindowOrWhenInactive)
{
    for (const bool shown : {false, true}) {
        ASSERT_TRUE(!QFile::exists(filePath()) || QFile::remove(filePath()));
        auto form = makeForm();
        form->storage->RestoreSettings();
        if (shown) {
            form->show();
            form->storage->setActive(false);
        }
        bool savedBeforeHandler = true;
        form->onClose = [&] { savedBeforeHandler = QFile::exists(filePath()); };
        form->close();
        EXPECT_FALSE(savedBeforeHandler) << shown;
        EXPECT_TRUE(QFile::exists(filePath())) << shown; // the close handler's save
    }
}

TEST_F(SettingsStore, DestroySavesWhatWasNotSaved)
{
    auto form = makeForm();
    form->storage->RestoreSettings();
    form->storage->SaveSettings();
    form->storage->RestoreSettings(); // clears the saved flag
    form->grad->setValue(9);
    form.reset();
    EXPECT_TRUE(fileContent().contains("CE_TMERC_Laenge_Grad_Value=9\n"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(SettingsStore, FailedSavesAreShownAndTheWindowStillCloses)
{
    const QString blocked = QDir(dir.path()).filePath("blocked");
    QFile blocker(blocked);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    auto form = std::make_unique<TF_Haupt>(errors, blocked);
    form->storage->RestoreSettings();
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    // Close query and close handler; the destroy hook tries once more.
    EXPECT_EQ(presenter.shown.size(), 2u);
    form.reset();
    ASSERT_EQ(presenter.shown.size(), 3u);
    for (const auto& [caption, text] : presenter.shown) {
        EXPECT_EQ(caption, "Zelv_derarar");
        EXPECT_EQ(text, "nach ZELV_Derarar.INI kann nicht geschrieben werden.");
    }
}

// --- entries -------------------------------------------------------------------

TEST_F(SettingsStore, EntriesAreSplitBoundAndDroppedWithTheirControls)
{
    QWidget owner;
    auto* field = new NumberField("CE_A", &owner);
    auto* inner = new QWidget(&owner);
    auto* nested = new SpinField("ElSE_B", inner); // any descendant counts
    zelv::TFormStorage store(&owner, errors, germanSeparators, "/x/ZELV_Derarar", dir.path());
    store.setStoredProps({"CE_A.Value", " ce_a . value ", ".Value", "CE_A.", " . ", "NoPoint",
                          "Missing.Value", "CE_A.NoSuchProperty", "elSE_b.VALUE"});
    // Split now, bound when the layout is read.
    EXPECT_EQ(store.StoredProps(), (QStringList{"CE_A.Value", " ce_a . value ", "Missing.Value",
                                                "CE_A.NoSuchProperty", "elSE_b.VALUE"}));
    store.loaded();
    EXPECT_EQ(store.StoredProps(),
              (QStringList{"CE_A.Value", " ce_a . value ", "CE_A.NoSuchProperty", "elSE_b.VALUE"}));

    store.RestoreSettings();
    field->setValue(6.5L);
    nested->setValue(33);
    store.SaveSettings();
    // Keys name the control and the property as they are declared; the
    // entry without a property writes nothing.
    EXPECT_EQ(fileContent(), "[QWidget]\nFormVersion=0\nCE_A_Value=6.5\nElSE_B_Value=33\n");

    delete field;
    EXPECT_EQ(store.StoredProps(), QStringList{"elSE_b.VALUE"});
    delete inner;
    EXPECT_TRUE(store.StoredProps().isEmpty());
    store.SaveSettings();

    // Entries set after the layout was read are bound at once.
    auto* late = new SpinField("ElSE_C", &owner);
    store.setStoredProps({"ElSE_C.Value", "Gone.Value"});
    EXPECT_EQ(store.StoredProps(), QStringList{"ElSE_C.Value"});
    late->setValue(5);
    store.SaveSettings();
    EXPECT_TRUE(fileContent().endsWith("ElSE_C_Value=5\n"));
}

// A Qt base class often has a namesake in lower case (QLineEdit's "text",
// QSpinBox's "value").
class LowerValue : public QObject {
    Q_OBJECT
    Q_PROPERTY(int value MEMBER lower)
public:
    using QObject::QObject;
    int lower = 1;
};

class UpperValue : public LowerValue {
    Q_OBJECT
    Q_PROPERTY(int Value MEMBER upper)
public:
    using LowerValue::LowerValue;
    int upper = 2;
};

TEST_F(SettingsStore, TheControlsOwnPropertyWinsOverABaseClassNamesake)
{
    QWidget owner;
    auto* control = new UpperValue(&owner);
    control->setObjectName("P");
    zelv::TFormStorage store(&owner, errors, germanSeparators, "/x/ZELV_Derarar", dir.path());
    store.setStoredProps({"P.value", "P.VALUE"});
    store.loaded();
    store.setActive(false);
    store.SaveSettings();
    EXPECT_EQ(fileContent(), "[QWidget]\nFormVersion=0\nP_Value=2\n");
    writeFile("[QWidget]\nP_Value=5\n");
    store.RestoreSettings();
    EXPECT_EQ(control->upper, 5);
    EXPECT_EQ(control->lower, 1);
}

TEST_F(SettingsStore, ASetterThatThrowsKeepsItsValueAndTheRestGoOn)
{
    writeFile("[TF_Haupt]\nCE_TMERC_Laenge_Grad_Value=9\nRG_Eingabe_km_m_ItemIndex=1\n"
              "ElSE_Zone_Value=33\n");
    auto form = makeForm();
    form->unit->onClick = [] { throw zelv::Exception("click failed"); };
    form->storage->setStoredProps(
        {"RG_Eingabe_km_m.ItemIndex", "CE_TMERC_Laenge_Grad.Value", "ElSE_Zone.Value"});
    form->storage->RestoreSettings();
    EXPECT_EQ(form->grad->Value(), 9);
    EXPECT_EQ(form->zone->Value(), 33);
    EXPECT_TRUE(presenter.shown.empty());
}

// --- start-up as the window runs it -----------------------------------------------

struct StartUp {
    const char* storedIndex;
    const char* storedEasting;
    int index;
    Extended easting;
    int clicks; // by the restore when the window is created
};

class SettingsStartUp : public SettingsStore, public testing::WithParamInterface<StartUp> {};

// Create handler: restore, then the explicit unit switch; the show hook's
// restore brings back exactly the stored values before anything is visible.
TEST_P(SettingsStartUp, TheWindowShowsTheStoredValues)
{
    writeFile(QByteArray("[TF_Haupt]\nFormVersion=0\nCE_TMERC_BezugsRechts_Value=")
              + GetParam().storedEasting + "\nRG_Eingabe_km_m_ItemIndex=" + GetParam().storedIndex + "\n");
    auto form = makeForm();
    form->storage->RestoreSettings();
    EXPECT_EQ(form->unitSwitches, GetParam().clicks);
    form->unitSwitch();
    std::pair<int, Extended> seenInShowEvent;
    form->onShow = [&] { seenInShowEvent = {form->unit->ItemIndex(), form->bezugsRechts->Value()}; };
    form->show();
    EXPECT_EQ(seenInShowEvent.first, GetParam().index);
    EXPECT_EQ(seenInShowEvent.second, GetParam().easting);
    EXPECT_EQ(form->rechts->Value(), 0);
    EXPECT_EQ(form->hoch->Value(), 0);

    form->close();
    EXPECT_TRUE(fileContent().contains("CE_TMERC_BezugsRechts_Value=" + QByteArray(GetParam().storedEasting) + "\n"));
}

INSTANTIATE_TEST_SUITE_P(Units, SettingsStartUp,
                         testing::Values(StartUp{"0", "6525", 0, 6525, 0}, StartUp{"1", "6525000", 1, 6525000, 1},
                                         StartUp{"5", "6525000", 1, 6525000, 1},
                                         StartUp{"-3", "6525000", -1, 6525000, 0}));

} // namespace

#include "SettingsStoreTest.moc"
