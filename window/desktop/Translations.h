#pragma once
// Qt's own texts in the user's language: the line edits' context menu, the
// message box's button.  The window's own texts are German anyway.

class QCoreApplication;
class QLocale;
class QTranslator;

namespace zelv {

// Loads Qt's "qtbase" translation for `locale` from Qt's translations
// directory and installs it in `app`.  Returns the translator, owned by
// `app` (deleting it uninstalls it), or nullptr when Qt has no translation
// for the locale; the texts then stay English.
QTranslator* installQtTranslations(QCoreApplication& app, const QLocale& locale);

} // namespace zelv
