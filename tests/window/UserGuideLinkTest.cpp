// The guide link (ElURLLabel3) opens the user guide as a local file: the
// page the build renders beside the program, or the one the package
// installs in its documentation folder.

#include "ElURLLabel.h"
#include "F_HauptU.h"
#include "GTestQtPrinters.h"
#include "WindowTestDoubles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace zelv {
namespace {

using window_fakes::RecordingClipboard;
using window_fakes::RecordingPresenter;

// The guide address of a window started from `executable`.
QUrl guideAddress(const QString& executable)
{
    RecordingPresenter presenter;
    RecordingClipboard clipboard;
    QTemporaryDir settings;
    TF_Haupt window(MainWindowContext{
        .errorPresenter = presenter,
        .clipboard = clipboard,
        .separators = germanSeparators,
        .executablePath = executable,
        .settingsDirectory = settings.path(),
    });
    return window.ElURLLabel3->URL();
}

void writeFile(const QString& path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(UserGuideLink, OpensThePageBesideTheBuiltProgram)
{
    const QUrl address = guideAddress(QStringLiteral(ZELV_BUILT_PROGRAM));
    ASSERT_TRUE(address.isLocalFile()) << address.toString().toStdString();
    const QFileInfo page(address.toLocalFile());
    EXPECT_EQ(page.absolutePath(), QFileInfo(QStringLiteral(ZELV_BUILT_PROGRAM)).canonicalPath());

    QFile file(page.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.filePath().toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>ZELV-Derarar</title>")));
    // The README's sections and its table of clipboard notations, in UTF-8.
    EXPECT_TRUE(html.contains(QStringLiteral("<h2>How to use it</h2>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<table>")));
    EXPECT_TRUE(html.contains(QString::fromUtf8("liegt bei 50.41484°N 10.76943°O;")));

    // Every picture the page shows lies where its relative address points.
    const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (const QRegularExpressionMatch& match : image.globalMatch(html)) {
        ++images;
        EXPECT_TRUE(QFileInfo::exists(page.dir().filePath(match.captured(1)))) << match.captured(1).toStdString();
    }
    EXPECT_GE(images, 1);
}

TEST(UserGuideLink, FindsThePageWhereThePackagePutsIt)
{
    // The package's layout: the program in lib/zelv-derarar/, started
    // through its link in bin/, the guide in share/doc/zelv-derarar/.
    const struct {
        const char* name;
        bool beside;
        bool installed;
        const char* expected;
    } cases[] = {
        {"installedOnly", false, true, "/usr/share/doc/zelv-derarar/zelv-derarar.html"},
        {"besideOnly", true, false, "/usr/lib/zelv-derarar/zelv-derarar.html"},
        {"both", true, true, "/usr/lib/zelv-derarar/zelv-derarar.html"},
        // Where an installed guide would be, so the browser's message says
        // what is missing.
        {"neither", false, false, "/usr/share/doc/zelv-derarar/zelv-derarar.html"},
    };
    for (const auto& c : cases) {
        QTemporaryDir directory;
        const QString root = QFileInfo(directory.path()).canonicalFilePath() + QStringLiteral("/root with space");
        writeFile(root + QStringLiteral("/usr/lib/zelv-derarar/ZELV_Derarar"));
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/usr/bin")));
        ASSERT_TRUE(QFile::link(root + QStringLiteral("/usr/lib/zelv-derarar/ZELV_Derarar"),
                                root + QStringLiteral("/usr/bin/zelv-derarar")));
        if (c.beside)
            writeFile(root + QStringLiteral("/usr/lib/zelv-derarar/zelv-derarar.html"));
        if (c.installed)
            writeFile(root + QStringLiteral("/usr/share/doc/zelv-derarar/zelv-derarar.html"));

        const QUrl address = guideAddress(root + QStringLiteral("/usr/bin/zelv-derarar"));
        EXPECT_TRUE(address.isLocalFile()) << c.name;
        EXPECT_EQ(address.toLocalFile(), root + QString::fromLatin1(c.expected)) << c.name;
    }
}

} // namespace
} // namespace zelv
