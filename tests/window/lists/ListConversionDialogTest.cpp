// "Liste umrechnen" on the offscreen platform: the dialog guesses the
// columns of a genealogist's list, converts it in the background into the
// chosen file, keeps a failing row in place, asks before it replaces a
// file, leaves nothing behind when cancelled, and opens the output's folder
// through the injected opener.
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

#include <algorithm>
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
        context.openUrl = [this](const QUrl& url) { opened_.push_back(url); };
        context.confirmOverwrite = [this](QWidget*, const QString&) {
            ++asked_;
            return overwrite_;
        };
        return context;
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
};

TEST_F(ListDialog, GuessesTheColumnsAndProposesAFileBesideTheList)
{
    ListConversionDialog dialog(input_, context());
    EXPECT_EQ(dialog.coordinateColumn(), 3);
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
    dialog.setColumns(3, 1);
    dialog.setOutput(ListOutput::Table);
    convert(dialog);

    const QString output = directory_.filePath(QStringLiteral("orte-umgerechnet.csv"));
    const QByteArray written = read(output);
    ASSERT_TRUE(written.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = written.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 6); // five rows and the last line end
    EXPECT_TRUE(lines[0].startsWith("Nr;Ort;Kreis;Koordinaten;Breite;"));
    EXPECT_TRUE(lines[1].startsWith("1;Allenstein;Allenstein;53°46′42″ N, 20°28′45″ O;53,778333;20,479167;"))
        << lines[1].toStdString();
    // The failing row keeps its cells and gets one empty cell for each result column.
    const auto resultColumns = std::ranges::count(germanCsvHeader, ';') + 1;
    EXPECT_EQ(lines[2], "2;Nirgendwo;;unbekannt;" + QByteArray(resultColumns - 1, ';'));
    EXPECT_TRUE(lines[3].startsWith("3;Breslau;Breslau;51°06′36″ N, 17°01′57″ E;51,11"));
    EXPECT_TRUE(lines[4].startsWith("4;Stargard;Saatzig;53.3364, 15.0500;53,336400;15,050000;"));

    EXPECT_TRUE(dialog.summary().startsWith(QStringLiteral("3 Zeilen umgerechnet, 1 nicht.")))
        << dialog.summary().toStdString();
    dialog.openFolderButton()->click();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], QUrl::fromLocalFile(QDir(directory_.path()).absolutePath()));
    EXPECT_EQ(asked_, 0);
}

TEST_F(ListDialog, WritesGoogleEarthPlacesNamedByTheChosenColumn)
{
    ListConversionDialog dialog(input_, context());
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
    // Every control that Tab reaches has a German name for a screen reader.
    QWidget* start = QApplication::focusWidget();
    ASSERT_NE(start, nullptr);
    QWidget* control = start;
    int steps = 0;
    do {
        if (!qobject_cast<QLabel*>(control))
            EXPECT_FALSE(control->accessibleName().isEmpty() && control->property("text").toString().isEmpty())
                << control->objectName().toStdString();
        QTest::keyClick(control, Qt::Key_Tab);
        control = QApplication::focusWidget();
    } while (control != start && ++steps < 20);
    EXPECT_EQ(control, start); // round the dialog and back
    EXPECT_GE(steps, 7);

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

} // namespace
} // namespace zelv
