// The program entry: the application object, the main window with the real
// desktop behind it, the message loop.

#include "Clipboard.h"
#include "EngineText.h"
#include "ErrorPresenter.h"
#include "F_HauptU.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

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
