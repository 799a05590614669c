// The guide link (ElURLLabel3) opens the user guide as a local file: the
// page the build renders beside the program, or the one the package
// installs in its documentation folder.  The page is German, for users,
// with the pictures the build draws of the window.

#include "ElURLLabel.h"
#include "F_HauptU.h"
#include "GTestQtPrinters.h"
#include "WindowTestDoubles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
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

// The page the built program's link opens, as text.
QString builtGuide(QFileInfo* page = nullptr)
{
    const QUrl address = guideAddress(QStringLiteral(ZELV_BUILT_PROGRAM));
    EXPECT_TRUE(address.isLocalFile()) << address.toString().toStdString();
    const QFileInfo info(address.toLocalFile());
    EXPECT_EQ(info.absolutePath(), QFileInfo(QStringLiteral(ZELV_BUILT_PROGRAM)).canonicalPath());
    if (page)
        *page = info;
    QFile file(info.filePath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
    return QString::fromUtf8(file.readAll());
}

TEST(UserGuideLink, OpensAGermanPageBesideTheBuiltProgram)
{
    QFileInfo page;
    const QString html = builtGuide(&page);
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(html.contains(QString::fromUtf8("<title>Anleitung für ZELV-Derarar</title>")));
    EXPECT_TRUE(html.contains(QString::fromUtf8("liegt bei 50.41484°N 10.76943°O;")));

    // Every picture the page shows lies where its relative address points,
    // and is one.
    const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (const QRegularExpressionMatch& match : image.globalMatch(html)) {
        ++images;
        const QImage picture(page.dir().filePath(match.captured(1)));
        EXPECT_FALSE(picture.isNull()) << match.captured(1).toStdString();
    }
    EXPECT_GE(images, 3);

    // The table of contents leads to its sections.
    const QRegularExpression contentsLink(QStringLiteral("<a href=\"#([^\"]+)\">"));
    int links = 0;
    for (const QRegularExpressionMatch& match : contentsLink.globalMatch(html)) {
        ++links;
        EXPECT_TRUE(html.contains(QStringLiteral("<h2 id=\"%1\">").arg(match.captured(1))))
            << match.captured(1).toStdString();
    }
    EXPECT_GE(links, 5);
}

TEST(UserGuideLink, PageSaysNothingOfHowTheProgramIsMade)
{
    // The guide is for the program's users; how it is built and checked
    // belongs to the README.
    const QString html = builtGuide();
    for (const char* word : {"cmake", "build", "sanitizer", "fuzz", "test", "ninja", "compile", "debug", "gtest",
                             "ccache", "cmark", "github", "repository", "engine", "F_HauptU"}) {
        EXPECT_FALSE(html.contains(QString::fromLatin1(word), Qt::CaseInsensitive)) << word;
    }
}

TEST(UserGuideLink, ReadmeShowsTheWindowAsTheBuildDrawsIt)
{
    // The README's picture is the guide's first one, copied into the
    // sources by scripts/update-screenshot.sh; a window changed since
    // shows here.
    const QImage built(QFileInfo(QStringLiteral(ZELV_BUILT_PROGRAM)).dir().filePath(QStringLiteral("bilder/fenster.png")));
    const QImage readme(QStringLiteral(ZELV_SOURCE_NAD "/../docs/screenshot.png"));
    ASSERT_FALSE(built.isNull());
    ASSERT_FALSE(readme.isNull());
    EXPECT_TRUE(built.convertToFormat(QImage::Format_ARGB32) == readme.convertToFormat(QImage::Format_ARGB32))
        << "docs/screenshot.png is not the window the build draws: run scripts/update-screenshot.sh";
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
