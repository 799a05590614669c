// "Liste umrechnen" on the offscreen platform: the dialog guesses the
// columns of a genealogist's list, converts it in the background into the
// chosen file, keeps a failing row in place with its note, asks before it
// replaces a file, leaves nothing behind when cancelled, opens the output's
// folder through the injected opener, refuses files that are no tables,
// says at once when the folder can't take the file and keeps the result
// after a failed write.  Its KML and GPX are read back by gpsbabel and
// ogrinfo under the C and the German locale.
#include "../../engine/ProcessLocale.h"
#include "BatchConversion.h"
#include "F_HauptU.h"
#include "ListConversionDialog.h"
#include "ProgramDirectory.h"
#include "WindowTestDoubles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <clocale>
#include <map>
#include <string>
#include <vector>

namespace zelv {
namespace {

const std::string dataDirectory = ZELV_PROGRAM_NAD;

const QByteArray list = QByteArrayLiteral("Nr;Ort;Kreis;Koordinaten\r\n"
                                          "1;Allenstein;Allenstein;53°46′42″ N, 20°28′45″ O\r\n"
                                          "2;Nirgendwo;;unbekannt\r\n"
                                          "3;Breslau;Breslau;\"51°06′36″ N, 17°01′57″ E\"\r\n"
                                          "4;Stargard;Saatzig;53.3364, 15.0500\r\n");

class ListDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(directory_.isValid());
        input_ = directory_.filePath(QStringLiteral("orte.csv"));
        write(input_, list);
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ListDialogContext context()
    {
        ListDialogContext context;
        context.dataDirectory = dataDirectory;
        context.openUrl = [this](const QUrl& url) {
            opened_.push_back(url);
            return true;
        };
        context.confirmOverwrite = [this](QWidget*, const QString&) {
            ++asked_;
            return overwrite_;
        };
        context.chooseOutput = [this](QWidget*, const QString&) { return chosenOutput_; };
        return context;
    }

    static void waitForPreview(ListConversionDialog& dialog)
    {
        if (dialog.isPreviewReady())
            return;
        QSignalSpy ready(&dialog, &ListConversionDialog::previewReady);
        ASSERT_TRUE(ready.wait(20000));
    }

    static void convert(ListConversionDialog& dialog)
    {
        QSignalSpy ended(&dialog, &ListConversionDialog::conversionEnded);
        dialog.startConversion();
        ASSERT_TRUE(dialog.isConverting());
        ASSERT_TRUE(ended.wait(20000));
    }

    QTemporaryDir directory_;
    QString input_;
    std::vector<QUrl> opened_;
    int asked_ = 0;
    bool overwrite_ = false;
    QString chosenOutput_;
};

TEST_F(ListDialog, GuessesTheColumnsAndProposesAFileBesideTheList)
{
    ListConversionDialog dialog(input_, context());
    waitForPreview(dialog);
    EXPECT_EQ(dialog.coordinateColumn(), 3);
    EXPECT_EQ(dialog.secondCoordinateColumn(), -1);
    EXPECT_EQ(dialog.nameColumn(), 1); // "Nr" holds numbers, "Ort" is the first text column
    EXPECT_EQ(dialog.outputFile(), directory_.filePath(QStringLiteral("orte-umgerechnet.csv")));
    dialog.setOutput(ListOutput::GoogleEarth);
    EXPECT_EQ(dialog.outputFile(), directory_.filePath(QStringLiteral("orte-umgerechnet.kml")));
    dialog.setOutput(ListOutput::Gps);
    EXPECT_EQ(dialog.outputFile(), directory_.filePath(QStringLiteral("orte-umgerechnet.gpx")));
}

TEST_F(ListDialog, WritesTheTableRowForRowAndSumsUp)
{
    ListConversionDialog dialog(input_, context());
    waitForPreview(dialog);
    dialog.setColumns(3, 1);
    dialog.setOutput(ListOutput::Table);
    convert(dialog);

    const QString output = directory_.filePath(QStringLiteral("orte-umgerechnet.csv"));
    const QByteArray written = read(output);
    ASSERT_TRUE(written.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = written.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 6); // five rows and the last line end
    EXPECT_TRUE(lines[0].startsWith("Nr;Ort;Kreis;Koordinaten;Breite (WGS 84);"));
    EXPECT_TRUE(lines[0].endsWith(";TK25-Name;Hinweis"));
    EXPECT_TRUE(lines[1].startsWith("1;Allenstein;Allenstein;53°46′42″ N, 20°28′45″ O;53,778333;20,479167;"))
        << lines[1].toStdString();
    // The failing row keeps its cells, gets one empty cell for each result
    // column and the reason in the last.
    const auto resultColumns = std::ranges::count(germanCsvHeader, ';') + 1;
    EXPECT_EQ(lines[2], "2;Nirgendwo;;unbekannt;" + QByteArray(resultColumns, ';')
                            + "keine lesbaren Koordinaten in dieser Zeile");
    EXPECT_TRUE(lines[3].startsWith("3;Breslau;Breslau;51°06′36″ N, 17°01′57″ E;51,11"));
    EXPECT_TRUE(lines[4].startsWith("4;Stargard;Saatzig;53.3364, 15.0500;53,336400;15,050000;"));

    EXPECT_TRUE(dialog.summary().startsWith(QStringLiteral("3 Zeilen umgerechnet, 1 nicht.")))
        << dialog.summary().toStdString();
    // The summary lists the rows that the column "Hinweis" notes.
    EXPECT_EQ(dialog.notedRows(), QStringLiteral("Zeile 3: „unbekannt“: keine lesbaren Koordinaten in dieser Zeile"));
    dialog.openFolderButton()->click();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], QUrl::fromLocalFile(QDir(directory_.path()).absolutePath()));
    EXPECT_EQ(asked_, 0);
}

TEST_F(ListDialog, WritesGoogleEarthPlacesNamedByTheChosenColumn)
{
    ListConversionDialog dialog(input_, context());
    waitForPreview(dialog);
    dialog.setOutput(ListOutput::GoogleEarth);
    dialog.setColumns(3, 2);
    convert(dialog);
    const QByteArray kml = read(directory_.filePath(QStringLiteral("orte-umgerechnet.kml")));
    EXPECT_TRUE(kml.contains("<name>Saatzig</name>")) << kml.toStdString();
    EXPECT_TRUE(kml.contains("<coordinates>15.050000,53.336400</coordinates>"));
    EXPECT_EQ(kml.count("<Placemark>"), 3);
}

TEST_F(ListDialog, AsksBeforeItReplacesAFile)
{
    const QString output = directory_.filePath(QStringLiteral("orte-umgerechnet.csv"));
    write(output, "alt");
    ListConversionDialog dialog(input_, context());
    waitForPreview(dialog);
    dialog.startConversion();
    EXPECT_EQ(asked_, 1);
    EXPECT_FALSE(dialog.isConverting());
    EXPECT_EQ(read(output), "alt");

    overwrite_ = true;
    convert(dialog);
    EXPECT_EQ(asked_, 2);
    EXPECT_TRUE(read(output).startsWith("\xEF\xBB\xBF" "Nr;Ort"));
}

TEST_F(ListDialog, ACancelledRunLeavesNoFile)
{
    QByteArray longList = "Ort;Koordinaten\n";
    for (int i = 0; i < 200000; ++i)
        longList += "Ort " + QByteArray::number(i) + ";52.52 N, 13.405 E\n";
    write(input_, longList);
    ListConversionDialog dialog(input_, context());
    waitForPreview(dialog);
    QSignalSpy ended(&dialog, &ListConversionDialog::conversionEnded);
    dialog.startConversion();
    dialog.reject(); // Escape
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_FALSE(QFile::exists(directory_.filePath(QStringLiteral("orte-umgerechnet.csv"))));
    EXPECT_EQ(QDir(directory_.path()).entryList(QDir::Files), QStringList{QStringLiteral("orte.csv")});
}

TEST_F(ListDialog, KeysAloneConvertAndCloseWithNamedControls)
{
    ListConversionDialog dialog(input_, context());
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    waitForPreview(dialog);
    // Every control that Tab reaches has a German name for a screen reader.
    QWidget* start = QApplication::focusWidget();
    ASSERT_NE(start, nullptr);
    QWidget* control = start;
    int steps = 0;
    do {
        if (!qobject_cast<QLabel*>(control)) {
            EXPECT_FALSE(control->accessibleName().isEmpty() && control->property("text").toString().isEmpty())
                << control->objectName().toStdString();
        }
        QTest::keyClick(control, Qt::Key_Tab);
        control = QApplication::focusWidget();
    } while (control != start && ++steps < 20);
    EXPECT_EQ(control, start); // round the dialog and back
    EXPECT_GE(steps, 7);

    // Each Alt letter leads to one control: two with the same letter only
    // take turns at the focus, and neither button is pressed.
    std::map<QChar, QString> letters;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&dialog))
            continue;
        const QString text = widget->property("text").toString();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= text.size() || text[amp + 1] == QLatin1Char('&'))
            continue;
        const QChar letter = text[amp + 1].toLower();
        EXPECT_FALSE(letters.contains(letter))
            << "Alt+" << QString(letter).toStdString() << ": " << letters[letter].toStdString() << " und "
            << text.toStdString();
        letters[letter] = text;
    }

    // Enter starts the default button "Umrechnen"; at the end Enter closes.
    QSignalSpy ended(&dialog, &ListConversionDialog::conversionEnded);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_TRUE(QFile::exists(directory_.filePath(QStringLiteral("orte-umgerechnet.csv"))));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ListDialog, TheWindowsButtonAsksForAListAndOpensTheDialogOnIt)
{
    window_fakes::ProgramDirectory program;
    window_fakes::RecordingPresenter presenter;
    window_fakes::RecordingClipboard clipboard;
    QTemporaryDir settings;
    QString chosen = input_;
    int asked = 0;
    std::vector<std::pair<int, int>> shown;
    TF_Haupt window(MainWindowContext{
        .errorPresenter = presenter,
        .clipboard = clipboard,
        .separators = germanSeparators,
        .executablePath = program.executable(),
        .settingsDirectory = settings.path(),
        .chooseListFile =
            [&](QWidget*) {
                ++asked;
                return chosen;
            },
        .showListDialog =
            [&](ListConversionDialog& dialog) {
                waitForPreview(dialog);
                shown.emplace_back(dialog.coordinateColumn(), dialog.nameColumn());
                QTimer::singleShot(0, &dialog, &QDialog::reject);
            },
    });
    window.BitBtn_Liste_umrechnen->click();
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], std::make_pair(3, 1)); // guessed with the program's nad/

    chosen.clear(); // the file dialog cancelled
    window.BitBtn_Liste_umrechnen->click();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(presenter.shown.empty());
}

// A sheet with latitude and longitude in columns of their own, as a German
// family historian keeps it; Länge stands before Breite, as the window lists them.
const QByteArray sheet = QByteArrayLiteral("Ort;Länge;Breite;Kreis\r\n"
                                           "Lyck;22,362220;53,821390;Lyck\r\n"
                                           "Prostken;22,434400;53,698300;Lyck\r\n"
                                           "Kalinowen;22,643900;53,881400;Lyck\r\n"
                                           "Arys;21,876100;53,806400;Johannisburg\r\n"
                                           "Marggrabowa;22,494200;54,040700;Oletzko\r\n");

struct Place {
    QString name;
    double latitude;
    double longitude;
};

const std::vector<Place> sheetPlaces = {{"Lyck", 53.821390, 22.362220},
                                        {"Prostken", 53.698300, 22.434400},
                                        {"Kalinowen", 53.881400, 22.643900},
                                        {"Arys", 53.806400, 21.876100},
                                        {"Marggrabowa", 54.040700, 22.494200}};

// The places that a reader program found, from its output.
std::vector<Place> placesFrom(const QString& program, const QStringList& arguments, const char* locale,
                              const QRegularExpression& place)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    environment.insert(QStringLiteral("LANG"), QString::fromLatin1(locale));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    // A missing reader fails the test: CI installs them (scripts/install-deps.sh).
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString() << " fehlt oder hängt";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    std::vector<Place> places;
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    for (auto match = place.globalMatch(out); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        places.push_back({m.captured(QStringLiteral("name")), m.captured(QStringLiteral("lat")).toDouble(),
                          m.captured(QStringLiteral("lon")).toDouble()});
    }
    return places;
}

void expectSheetPlaces(const std::vector<Place>& found, const std::string& what)
{
    SCOPED_TRACE(what);
    ASSERT_EQ(found.size(), sheetPlaces.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].name, sheetPlaces[i].name);
        EXPECT_NEAR(found[i].latitude, sheetPlaces[i].latitude, 1e-6) << found[i].name.toStdString();
        EXPECT_NEAR(found[i].longitude, sheetPlaces[i].longitude, 1e-6) << found[i].name.toStdString();
    }
}

TEST_F(ListDialog, TwoColumnsAreGuessedByTheirNamesAndReadInTheirRoles)
{
    write(input_, sheet);
    ListConversionDialog dialog(input_, context());
    waitForPreview(dialog);
    EXPECT_EQ(dialog.coordinateColumn(), 2); // Breite first, whatever the sheet's order
    EXPECT_EQ(dialog.secondCoordinateColumn(), 1);
    EXPECT_EQ(dialog.nameColumn(), 0);

    // Chosen the other way round, the names still decide, and the summary says so.
    dialog.setCoordinateColumns(1, 2);
    dialog.setOutput(ListOutput::Gps);
    convert(dialog);
    EXPECT_TRUE(dialog.summary().startsWith(QStringLiteral("5 Zeilen umgerechnet, 0 nicht.\nnach den Namen")))
        << dialog.summary().toStdString();
    const QByteArray gpx = read(directory_.filePath(QStringLiteral("orte-umgerechnet.gpx")));
    EXPECT_TRUE(gpx.contains("<wpt lat=\"53.821390\" lon=\"22.362220\">")) << gpx.toStdString();

    // Without header words the values decide: two neighbouring columns that read together.
    write(input_, "A;B;C\nLyck;53,821390;22,362220\nProstken;53,698300;22,434400\n");
    ListConversionDialog byValues(input_, context());
    waitForPreview(byValues);
    EXPECT_EQ(byValues.coordinateColumn(), 1);
    EXPECT_EQ(byValues.secondCoordinateColumn(), 2);
}

// The issue's first fault: under German settings the window wrote
// "22,362220,53,821390" into KML and lat="53,821390" into GPX, which
// gpsbabel put at 0,0 and ogrinfo cut to whole degrees.  Each file is read
// back by both, in the locale it was written under.
TEST_F(ListDialog, MapFilesReadBackInGpsbabelAndOgrinfoUnderEitherLocale)
{
    write(input_, sheet);
    for (const char* locale : {"C.UTF-8", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        const ProcessLocale scope(locale);
        ASSERT_TRUE(scope.valid()) << locale << " fehlt: scripts/install-deps.sh erzeugt es";
        for (const ListOutput output : {ListOutput::GoogleEarth, ListOutput::Gps}) {
            ListConversionDialog dialog(input_, context());
            waitForPreview(dialog);
            dialog.setOutput(output);
            overwrite_ = true;
            convert(dialog);
            const QString file = dialog.outputFile();
            const QByteArray bytes = read(file);
            EXPECT_FALSE(bytes.contains("22,362220")) << bytes.toStdString();
            const bool kml = output == ListOutput::GoogleEarth;
            expectSheetPlaces(placesFrom(QStringLiteral("gpsbabel"),
                                         {QStringLiteral("-i"), kml ? QStringLiteral("kml") : QStringLiteral("gpx"),
                                          QStringLiteral("-f"), file, QStringLiteral("-o"), QStringLiteral("unicsv"),
                                          QStringLiteral("-F"), QStringLiteral("-")},
                                         locale,
                                         QRegularExpression(QStringLiteral(
                                             R"(^\d+,(?<lat>-?[\d.]+),(?<lon>-?[\d.]+),"?(?<name>[^",\r\n]+))"),
                                             QRegularExpression::MultilineOption)),
                              std::string("gpsbabel ") + (kml ? "KML" : "GPX"));
            expectSheetPlaces(placesFrom(QStringLiteral("ogrinfo"),
                                         {QStringLiteral("-ro"), QStringLiteral("-al"), QStringLiteral("-q"), file},
                                         locale,
                                         QRegularExpression(QStringLiteral(
                                             R"(^\s*[Nn]ame \(String\) = (?<name>\S+)[\s\S]*?POINT (?:Z )?\((?<lon>-?[\d.]+) (?<lat>-?[\d.]+))"),
                                             QRegularExpression::MultilineOption)),
                              std::string("ogrinfo ") + (kml ? "KML" : "GPX"));
        }
    }
}

TEST_F(ListDialog, FilesThatAreNoTablesAreRefusedBeforeTheDialogOpens)
{
    const struct {
        const char* name;
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {"leer.csv", QByteArray(), "ist leer"},
        {"bild.png", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0", 20) + QByteArray(4000, 'x'), "Nullbytes"},
        {"eine-zeile.csv", QByteArray(60 * 1024 * 1024, '5'), "erste Zeile von mehr als 64 kB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = directory_.filePath(QString::fromLatin1(c.name));
        write(file, c.bytes);
        std::vector<QString> said;
        ListDialogContext refusing = context();
        refusing.showRefusal = [&](QWidget*, const QString& message) { said.push_back(message); };
        ListConversionDialog dialog(file, refusing);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        ASSERT_EQ(said.size(), 1u);
        EXPECT_TRUE(said[0].startsWith(QStringLiteral("Die Datei „%1“ ").arg(QDir::toNativeSeparators(file))))
            << said[0].toStdString();
        EXPECT_TRUE(said[0].contains(QString::fromUtf8(c.says))) << said[0].toStdString();
        dialog.startConversion();
        EXPECT_FALSE(dialog.isConverting());
    }
    QDir written(directory_.path());
    EXPECT_TRUE(written.entryList({QStringLiteral("*-umgerechnet.*")}, QDir::Files).isEmpty());
}

TEST_F(ListDialog, AnUnwritableFolderIsSaidAtOnceAndAFailedWriteKeepsTheResult)
{
    ListConversionDialog dialog(input_, context());
    waitForPreview(dialog);
    // The proposed file's folder, and its whole path in the tooltip.
    const QString proposed = dialog.outputFile();
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("outputFile"))->toolTip(), QDir::toNativeSeparators(proposed));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("outputFolder"))->text(),
              QStringLiteral("im Ordner „%1“").arg(QDir::toNativeSeparators(directory_.path())));

    // A file where a folder should be stands for any folder that takes no
    // file, even for root, who may write into read-only folders.
    write(directory_.filePath(QStringLiteral("datei")), "x");
    dialog.setOutputFile(directory_.filePath(QStringLiteral("datei/orte.csv")));
    EXPECT_FALSE(dialog.outputProblem().isEmpty());
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("convert"))->isEnabled());
    dialog.startConversion();
    EXPECT_FALSE(dialog.isConverting());
    dialog.setOutputFile(QStringLiteral("/proc/orte.csv"));
    EXPECT_TRUE(dialog.outputProblem().startsWith(QStringLiteral("In den Ordner „/proc“ lässt sich nicht schreiben.")))
        << dialog.outputProblem().toStdString();

    // The folder goes while the list is converted: the result stays and goes elsewhere.
    QByteArray longList = "Ort;Koordinaten\n";
    for (int i = 0; i < 20000; ++i)
        longList += "Ort " + QByteArray::number(i) + ";52.52 N, 13.405 E\n";
    write(input_, longList);
    ListConversionDialog failing(input_, context());
    waitForPreview(failing);
    QDir(directory_.path()).mkdir(QStringLiteral("weg"));
    failing.setOutputFile(directory_.filePath(QStringLiteral("weg/orte.csv")));
    ASSERT_TRUE(failing.outputProblem().isEmpty());
    QSignalSpy ended(&failing, &ListConversionDialog::conversionEnded);
    failing.startConversion();
    QDir(directory_.filePath(QStringLiteral("weg"))).removeRecursively();
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_TRUE(failing.summary().contains(QStringLiteral("lässt sich nicht schreiben"))) << failing.summary().toStdString();
    EXPECT_FALSE(failing.saveElsewhereButton()->isHidden());
    const QString elsewhere = directory_.filePath(QStringLiteral("anderswo.csv"));
    // The save dialog answers with another file.
    QSignalSpy saved(&failing, &ListConversionDialog::conversionEnded);
    chosenOutput_ = elsewhere;
    failing.saveElsewhereButton()->click();
    ASSERT_TRUE(saved.wait(20000));
    const QList<QByteArray> lines = read(elsewhere).split('\n');
    EXPECT_EQ(lines.size(), 20002); // the header, every row and the last line end
    EXPECT_TRUE(failing.summary().contains(QStringLiteral("Gespeichert in"))) << failing.summary().toStdString();
    EXPECT_TRUE(failing.summary().startsWith(QStringLiteral("20.000 Zeilen umgerechnet, 0 nicht.")));
}

TEST_F(ListDialog, TakesTheMainWindowsDatumAndNamesItInTheHeader)
{
    window_fakes::ProgramDirectory program;
    window_fakes::RecordingPresenter presenter;
    window_fakes::RecordingClipboard clipboard;
    QTemporaryDir settings;
    write(input_, "Ort;Rechtswert;Hochwert\nBerlin;4591000;5820000\n");
    bool etrs89 = true;
    int shown = 0;
    TF_Haupt window(MainWindowContext{
        .errorPresenter = presenter,
        .clipboard = clipboard,
        .separators = germanSeparators,
        .executablePath = program.executable(),
        .settingsDirectory = settings.path(),
        .chooseListFile = [&](QWidget*) { return input_; },
        .showListDialog =
            [&](ListConversionDialog& dialog) {
                ++shown;
                EXPECT_EQ(dialog.gaussKruegerDatum(), etrs89 ? TmDatum::Etrs89Beta2007 : TmDatum::Bessel);
                waitForPreview(dialog);
                convert(dialog);
                const QByteArray table = read(dialog.outputFile());
                // Gone again, so that the second round asks no question in a real box.
                QFile::remove(dialog.outputFile());
                EXPECT_TRUE(table.contains(etrs89 ? "Breite (WGS 84);Länge (WGS 84);"
                                                  : "Breite (WGS 84; Gauß-Krüger: Bessel);"))
                    << table.toStdString();
                EXPECT_TRUE(dialog.summary().startsWith(QStringLiteral("1 Zeile umgerechnet, 0 nicht.")))
                    << dialog.summary().toStdString();
                QTimer::singleShot(0, &dialog, &QDialog::reject);
            },
    });
    auto* box = window.findChild<QCheckBox*>(QStringLiteral("CB_TMERC_ETRS89"));
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isEnabled());
    for (const bool tick : {true, false}) {
        etrs89 = tick;
        box->setChecked(tick);
        window.BitBtn_Liste_umrechnen->click();
    }
    EXPECT_EQ(shown, 2);
}

TEST_F(ListDialog, SaysWhenTheFolderCannotBeOpened)
{
    ListDialogContext failing = context();
    failing.openUrl = [](const QUrl&) { return false; };
    ListConversionDialog dialog(input_, failing);
    waitForPreview(dialog);
    convert(dialog);
    dialog.openFolderButton()->click();
    EXPECT_TRUE(dialog.summary().contains(
        QStringLiteral("Der Ordner „%1“ ließ sich nicht öffnen").arg(QDir::toNativeSeparators(directory_.path()))))
        << dialog.summary().toStdString();
}

} // namespace
} // namespace zelv
