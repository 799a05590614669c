// What the program entry sets up before the window: Qt's own texts in the
// user's language and the program's icon.

#include "AppIcon.h"
#include "Translations.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace zelv {
namespace {

TEST(QtTranslations, LineEditContextMenuFollowsTheLocale)
{
    const struct {
        const char* locale;
        const char* paste;
        const char* undo;
        bool translated;
    } cases[] = {
        {"de_DE", "Einf&ügen", "&Rückgängig", true},
        {"de_AT", "Einf&ügen", "&Rückgängig", true}, // found through the language alone
        {"en_US", "&Paste", "&Undo", false},         // Qt's own texts need none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        // Deleting the translator takes it out again, so later tests see Qt's English.
        const std::unique_ptr<QTranslator> translator(
            installQtTranslations(*QCoreApplication::instance(), QLocale(QString::fromLatin1(c.locale))));
        EXPECT_EQ(translator != nullptr, c.translated);

        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList captions;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                captions << action->text().section(u'\t', 0, 0); // without the shortcut
        }
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c.paste))) << captions.join(u'|').toStdString();
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c.undo))) << captions.join(u'|').toStdString();
    }
}

TEST(QtTranslations, ALocaleWithoutTranslationInstallsNothing)
{
    EXPECT_EQ(installQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::Icelandic, QLocale::Iceland)), nullptr);
}

TEST(ProgramIcon, ComesFromTheProgramsResources)
{
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(48, 48)});
    const QImage image = icon.pixmap(48, 48).toImage();
    EXPECT_EQ(image.size(), QSize(48, 48));
    // Not a blank square: the globe's blue is in the middle.
    EXPECT_GT(qBlue(image.pixel(24, 24)), 150);
}

} // namespace
} // namespace zelv
