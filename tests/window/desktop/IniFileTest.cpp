#include "GTestQtPrinters.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using zelv::IniFile;

namespace {

// A literal with its NUL bytes.
template <std::size_t N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

struct ReadCase {
    const char* name;
    QByteArray content;
    const char* section;
    const char* key;
    std::optional<QString> expected;
};

class IniFileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniFileRead, FindsTheValueTheClassicReaderFinds)
{
    IniFile file("unused.INI");
    file.setContent(GetParam().content);
    EXPECT_EQ(file.value(QString::fromUtf8(GetParam().section), QString::fromUtf8(GetParam().key)),
              GetParam().expected);
}

const QString longX(100000, u'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileRead,
    testing::Values(
        ReadCase{"plain", "[S]\nA=1\n", "S", "A", "1"},
        ReadCase{"caseOfNames", "[tf_haupt]\nform_VERSION=2\n", "TF_Haupt", "Form_Version", "2"},
        ReadCase{"blanksAroundEverything", "  [ S ]  \n\t A \t=  x y \t\n", "S", "A", "x y"},
        ReadCase{"crlf", "[S]\r\nA=1\r\n", "S", "A", "1"},
        ReadCase{"byteOrderMark", "\xEF\xBB\xBF[S]\nA=1\n", "S", "A", "1"},
        ReadCase{"noFinalLineEnding", "[S]\nA=1", "S", "A", "1"},
        ReadCase{"doubleQuotesStripped", "[S]\nA=\"q\"\n", "S", "A", "q"},
        ReadCase{"singleQuotesStripped", "[S]\nA='q'\n", "S", "A", "q"},
        ReadCase{"onlyOnePairStripped", "[S]\nA=\"\"q\"\"\n", "S", "A", "\"q\""},
        ReadCase{"mixedQuotesKept", "[S]\nA=\"q'\n", "S", "A", "\"q'"},
        ReadCase{"loneQuoteKept", "[S]\nA=\"\n", "S", "A", "\""},
        ReadCase{"emptyValue", "[S]\nA=\n", "S", "A", ""},
        ReadCase{"firstEqualsSplits", "[S]\nA=b=c\n", "S", "A", "b=c"},
        ReadCase{"keyOfAnotherSection", "[T]\nA=1\n[S]\nB=2\n", "S", "A", std::nullopt},
        ReadCase{"keyAfterTheSectionEnded", "[S]\nB=1\n[T]\nA=1\n", "S", "A", std::nullopt},
        ReadCase{"missingSection", "[T]\nA=1\n", "S", "A", std::nullopt},
        ReadCase{"emptyFile", "", "S", "A", std::nullopt},
        ReadCase{"commentIsNoKey", "[S]\n;A=1\n", "S", "A", std::nullopt},
        ReadCase{"lineWithoutEqualsIsNoKey", "[S]\nA 1\n", "S", "A", std::nullopt},
        ReadCase{"headerWithoutBracketIsNoHeader", "[S\nA=1\n", "S", "A", std::nullopt},
        // Duplicates: the first section and the first key count.
        ReadCase{"firstKeyWins", "[S]\nA=1\na=2\n", "S", "A", "1"},
        ReadCase{"secondSectionIgnored", "[S]\nB=1\n[s]\nA=2\n", "S", "A", std::nullopt},
        ReadCase{"nulAndBadUtf8Elsewhere", bytes("\0\xFF\xFE[junk\n[S]\n\x80\0=\nA=5\n"), "S",
                 "A", "5"},
        ReadCase{"badUtf8InValue", "[S]\nA=\xFF" "1\n", "S", "A", QString::fromUtf16(u"\uFFFD1")},
        // A U+FEFF in front of a name or value was dropped on reading.
        ReadCase{"byteOrderMarkInFrontOfAValue", "[S]\nA=\xEF\xBB\xBFx\n", "S", "A", QChar(0xFEFF) + QString(u'x')},
        ReadCase{"byteOrderMarkInFrontOfAKey", "[S]\n\xEF\xBB\xBF" "A=1\n", "S", "A", std::nullopt},
        ReadCase{"longValueCut", "[S]\nA=" + longX.toUtf8() + "\n", "S", "A", longX.left(2047)},
        ReadCase{"quotesStrippedBeforeTheCut", "[S]\nA=\"" + longX.toUtf8() + "\"\n", "S", "A",
                 longX.left(2047)}),
    [](const auto& info) { return std::string(info.param.name); });

struct Edit {
    const char* section;
    const char* key;
    const char* value;
};

struct EditCase {
    const char* name;
    QByteArray before;
    std::vector<Edit> edits;
    QByteArray after;
};

class IniFileEdit : public testing::TestWithParam<EditCase> {};

TEST_P(IniFileEdit, ChangesOnlyWhatTheKeysNeed)
{
    IniFile file("unused.INI");
    file.setContent(GetParam().before);
    for (const Edit& edit : GetParam().edits)
        file.setValue(QString::fromUtf8(edit.section), QString::fromUtf8(edit.key),
                      QString::fromUtf8(edit.value));
    EXPECT_EQ(file.content(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileEdit,
    testing::Values(
        EditCase{"emptyFile", "", {{"S", "A", "1"}, {"S", "B", "2"}}, "[S]\nA=1\nB=2\n"},
        EditCase{"knownKeyKeepsItsLine",
                 "[s]\r\n  a =old\r\nX=1\r\n",
                 {{"S", "A", "new"}},
                 "[s]\r\n  a =new\r\nX=1\r\n"},
        EditCase{"newKeyBeforeTheBlankLines",
                 "[S]\nA=1\n\n[T]\nB=2\n",
                 {{"S", "C", "3"}},
                 "[S]\nA=1\nC=3\n\n[T]\nB=2\n"},
        EditCase{"newKeyAfterAClosingComment",
                 "[S]\nA=1\n; note\n[T]\n",
                 {{"S", "C", "3"}},
                 "[S]\nA=1\n; note\nC=3\n[T]\n"},
        EditCase{"sectionAtTheEndWithoutLineEnding", "[S]\nA=1", {{"S", "C", "3"}}, "[S]\nA=1\nC=3\n"},
        EditCase{"bareHeader", "[S]", {{"S", "A", "1"}}, "[S]\nA=1\n"},
        EditCase{"missingSectionAppendedInTheFilesLineEnding",
                 "; c\r\n[T]\r\nB=2",
                 {{"S", "A", "1"}},
                 "; c\r\n[T]\r\nB=2\r\n[S]\r\nA=1\r\n"},
        EditCase{"everythingElseByteForByte",
                 bytes("\xEF\xBB\xBF; top\n[T]\nB=\0\xFF\n[S]\ngarbage line\nA=1\n\n"),
                 {{"S", "A", "2"}},
                 bytes("\xEF\xBB\xBF; top\n[T]\nB=\0\xFF\n[S]\ngarbage line\nA=2\n\n")},
        EditCase{"onlyTheFirstOfTwoSections",
                 "[S]\nB=1\n[S]\nA=1\n",
                 {{"S", "A", "2"}},
                 "[S]\nB=1\nA=2\n[S]\nA=1\n"},
        EditCase{"sameKeyTwiceOneLine", "", {{"S", "A", "1"}, {"s", "a", "2"}}, "[S]\nA=2\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, ANameOrValueStartingWithAByteOrderMarkReadsBack)
{
    // The mark was dropped on reading: the value came back without it, and
    // every write of the key added another line.
    const QString mark(QChar(0xFEFF));
    IniFile file("unused.INI");
    file.setValue(u"S", mark + u'A', mark + u'x');
    file.setValue(u"S", mark + u'A', mark + u'y');
    EXPECT_EQ(file.content(), "[S]\n\xEF\xBB\xBF" "A=\xEF\xBB\xBFy\n");
    EXPECT_EQ(file.value(u"S", mark + u'A'), mark + u'y');
    EXPECT_EQ(file.value(u"S", u"A"), std::nullopt);
}

TEST(IniFile, KeepsAnyBytesItDoesNotEdit)
{
    std::mt19937 random(7);
    QByteArray garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>(random() % 256);
    IniFile file("unused.INI");
    file.setContent(garbage);
    EXPECT_EQ(file.content(), garbage);
}

class IniFileOnDisk : public testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    QTemporaryDir dir;
};

TEST_F(IniFileOnDisk, MissingFileReadsEmptyAndSaveCreatesItsDirectory)
{
    IniFile file(path("a/b/ZELV_Derarar.INI"));
    ASSERT_TRUE(file.load());
    EXPECT_EQ(file.content(), QByteArray());
    file.setValue(u"S", u"A", u"1");
    ASSERT_TRUE(file.save());
    EXPECT_EQ(read(path("a/b/ZELV_Derarar.INI")), "[S]\nA=1\n");

    IniFile again(path("a/b/ZELV_Derarar.INI"));
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.value(u"S", u"A"), "1");
}

TEST_F(IniFileOnDisk, SaveReplacesTheWholeFile)
{
    QFile old(path("x.INI"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("; old\n[S]\nA=1\n");
    old.close();

    IniFile file(path("x.INI"));
    ASSERT_TRUE(file.load());
    file.setValue(u"S", u"A", u"2");
    ASSERT_TRUE(file.save());
    EXPECT_EQ(read(path("x.INI")), "; old\n[S]\nA=2\n");
}

TEST_F(IniFileOnDisk, WhatCannotBeReadWholeIsNotRead)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("aDirectory"));
    IniFile directory(path("aDirectory"));
    EXPECT_FALSE(directory.load());

    // Sparse, so the test costs no disk.
    QFile huge(path("huge.INI"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(IniFile::maximumFileSize + 1));
    huge.close();
    IniFile tooBig(path("huge.INI"));
    EXPECT_FALSE(tooBig.load());
    EXPECT_EQ(tooBig.content(), QByteArray());

    QFile limit(path("limit.INI"));
    ASSERT_TRUE(limit.open(QIODevice::WriteOnly));
    ASSERT_TRUE(limit.resize(IniFile::maximumFileSize));
    limit.close();
    IniFile justFits(path("limit.INI"));
    EXPECT_TRUE(justFits.load());
    EXPECT_EQ(justFits.content().size(), IniFile::maximumFileSize);
}

TEST_F(IniFileOnDisk, SaveFailsWhenTheDirectoryCannotExist)
{
    // A plain file where the directory should be; this fails for root too.
    QFile blocker(path("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("keep");
    blocker.close();

    IniFile file(path("blocker/x.INI"));
    ASSERT_TRUE(file.load());
    file.setValue(u"S", u"A", u"1");
    EXPECT_FALSE(file.save());
    EXPECT_EQ(read(path("blocker")), "keep");
}

} // namespace
