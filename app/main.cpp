// The program entry: the application object, the main window with the real
// desktop behind it, the message loop.

#include "AppIcon.h"
#include "Clipboard.h"
#include "EngineText.h"
#include "ErrorPresenter.h"
#include "F_HauptU.h"
#include "Translations.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Before any widget exists, so that Qt's own texts (context menus, the
    // message box's button) come in the user's language.
    zelv::installQtTranslations(app, QLocale::system());
    app.setWindowIcon(zelv::programIcon());
    // Lets a Wayland desktop match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelv-derarar"));
    // On X11 the window's class (WM_CLASS) is the application name, which
    // would otherwise be whatever name the program was started under; docks
    // match the class against the desktop entry's StartupWMClass.
    QCoreApplication::setApplicationName(QStringLiteral("zelv-derarar"));

    zelv::MessageBoxPresenter presenter;
    zelv::SystemClipboard clipboard;
    const zelv::MainWindowContext context{
        .errorPresenter = presenter,
        .clipboard = clipboard,
        .separators = zelv::separatorsOf(QLocale::system()),
        // The window resolves symlinks itself: a link in bin/ must still find nad/.
        .executablePath = QCoreApplication::applicationFilePath(),
        .settingsDirectory = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
    };

    zelv::TF_Haupt F_Haupt(context);
    F_Haupt.show();
    return app.exec();
}
