#pragma once
// The program's data directory as the build lays it out: the repository's
// nad/ and, unless a test leaves it out, the BeTA2007 grid beside it.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

namespace zelv::window_fakes {

inline void copyProgramNad(const QString& target, bool withGrid = true)
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

} // namespace zelv::window_fakes
