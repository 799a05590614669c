#pragma once
// A program directory of its own for widget tests: the executable's name in
// it (the file need not exist) and, when asked for, a copy of the
// repository's nad/, which the window looks for beside its executable.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zelv::window_fakes {

// Copies the repository's nad/ into `target`, creating it.
inline void copyNad(const QString& target)
{
    const QDir source(QStringLiteral(ZELV_SOURCE_NAD));
    ASSERT_TRUE(QDir().mkpath(target));
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), target + u'/' + name)) << name.toStdString();
}

class ProgramDirectory {
public:
    explicit ProgramDirectory(bool withNad = true)
    {
        if (withNad)
            copyNad(path() + QStringLiteral("/nad"));
    }

    // Without links, as the window resolves its own path.
    QString path() const { return QFileInfo(directory_.path()).canonicalFilePath(); }
    QString executable() const { return path() + QStringLiteral("/ZELV_Derarar"); }

private:
    QTemporaryDir directory_;
};

} // namespace zelv::window_fakes
