#pragma once
// A program directory of its own for widget tests: the executable's name in
// it (the file need not exist) and, when asked for, nad/ as the build lays it
// out (the repository's nad/ and, unless a test leaves it out, the BeTA2007
// grid), which the window looks for beside its executable.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zelv::window_fakes {

// Copies the repository's nad/ and the grid into `target`, creating it.
inline void copyNad(const QString& target, bool withGrid = true)
{
    const QDir source(QStringLiteral(ZELV_SOURCE_NAD));
    ASSERT_TRUE(QDir().mkpath(target));
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), target + u'/' + name)) << name.toStdString();
    if (withGrid) {
        const QString grid = QStringLiteral(ZELV_DATUM_GRID);
        ASSERT_TRUE(QFile::copy(grid, target + u'/' + QFileInfo(grid).fileName()));
    }
}

class ProgramDirectory {
public:
    explicit ProgramDirectory(bool withNad = true, bool withGrid = true)
    {
        if (withNad)
            copyNad(path() + QStringLiteral("/nad"), withGrid);
    }

    // Without links, as the window resolves its own path.
    QString path() const { return QFileInfo(directory_.path()).canonicalFilePath(); }
    QString executable() const { return path() + QStringLiteral("/ZELV_Derarar"); }

private:
    QTemporaryDir directory_;
};

} // namespace zelv::window_fakes
