// A save killed at any moment leaves the old file or the new one, whole.
//
// The test starts this test binary again as a child that saves in a loop
// (the environment variable below tells the same test to be the child) and
// kills it at random moments.  A large file makes each save take long enough
// for kills to land inside the writing.

#include "SettingsTestForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <thread>

using namespace settings_test;

namespace {

const char* const childDirectoryVariable = "ZELV_SETTINGS_SAVE_LOOP_DIR";

// The file as a save with the values of round n leaves it: the same bytes
// around the section every time, only the five values change.
QByteArray fileOfRound(int n)
{
    static const QByteArray padding = [] {
        QByteArray lines = "[Other]\n";
        for (int i = 0; i < 40000; ++i)
            lines += "Padding" + QByteArray::number(i) + "=some text that someone keeps here\n";
        return lines;
    }();
    const QByteArray number = QByteArray::number(n);
    return "; kept by hand\n" + padding + "\n[TF_Haupt]\nFormVersion=0\nHandKey=keep\n"
           + "CE_TMERC_Laenge_Grad_Value=" + number + "\nCE_TMERC_Laenge_Minuten_Value=" + number
           + "\nCE_TMERC_BezugsRechts_Value=" + number + ".5\nElSE_Zone_Value="
           + QByteArray::number(n % 60 + 1) + "\nRG_Eingabe_km_m_ItemIndex=0\n\n[Tail]\nz=1\n";
}

[[noreturn]] void saveForever(const QString& directory)
{
    RecordingPresenter presenter;
    zelv::ExceptionHandler errors(presenter, "Zelv_derarar");
    TF_Haupt form(errors, directory);
    form.storage->RestoreSettings();
    for (int n = 1;; ++n) {
        form.grad->setValue(n);
        form.minuten->setValue(n);
        form.bezugsRechts->setValue(n + 0.5L);
        form.zone->setValue(n % 60 + 1);
        form.storage->SaveSettings();
        if (n == 1) {
            std::fputs("saving\n", stderr);
            std::fflush(stderr);
        }
    }
}

TEST(SettingsCrash, KilledSaveLeavesTheOldOrTheNewFileWhole)
{
    const QString childDirectory = qEnvironmentVariable(childDirectoryVariable);
    if (!childDirectory.isEmpty())
        saveForever(childDirectory);

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("ZELV_Derarar.INI");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(fileOfRound(0));
    }
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(0, 80);
    const QRegularExpression roundLine("^CE_TMERC_Laenge_Grad_Value=(\\d+)$",
                                       QRegularExpression::MultilineOption);

    for (int kill = 0; kill < 8; ++kill) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(childDirectoryVariable, dir.path());
        child.setProcessEnvironment(environment);
        child.setStandardOutputFile(QProcess::nullDevice());
        child.setReadChannel(QProcess::StandardError);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=SettingsCrash.KilledSaveLeavesTheOldOrTheNewFileWhole"});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray output;
        while (!output.contains("saving\n")) {
            ASSERT_TRUE(child.waitForReadyRead(30000)) << output.toStdString();
            output += child.readAllStandardError();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));

        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        const QRegularExpressionMatch match = roundLine.match(QString::fromUtf8(content));
        ASSERT_TRUE(match.hasMatch()) << "kill " << kill << ": " << content.size() << " bytes";
        const int round = match.captured(1).toInt();
        EXPECT_EQ(content, fileOfRound(round)) << "kill " << kill << ", round " << round;
        // The child reported a finished save, so the old file is gone.
        EXPECT_GE(round, 1);
    }
}

} // namespace
