#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zelv {

QTranslator* installQtTranslations(QCoreApplication& app, const QLocale& locale)
{
    auto* translator = new QTranslator(&app);
    // Tries the locale's languages in turn (de_DE, then de), as "qtbase_de.qm".
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace zelv
