// The program entry: the command line's batch mode when it is asked for,
// else the application object, the main window with the real desktop behind
// it, the message loop.

#include "AppIcon.h"
#include "BatchCommand.h"
#include "Clipboard.h"
#include "EngineText.h"
#include "ErrorPresenter.h"
#include "F_HauptU.h"
#include "Translations.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace {

// The projection data beside the executable, found as the window finds it.
// No Qt application object exists yet, so the path comes from the kernel,
// as Qt itself would take it; argv[0] is the fallback.
std::string dataDirectory(const char* argv0)
{
    std::error_code failed;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed)
        executable = argv0;
    const QString directory = zelv::TF_Haupt::programDirectoryOf(QFile::decodeName(executable.c_str()));
    return QFile::encodeName(directory + QStringLiteral("nad")).toStdString();
}

int runBatch(int argc, char* argv[], const std::vector<std::string>& arguments)
{
    // Lines go through in large blocks, not one system call each.
    std::ios::sync_with_stdio(false);
    // std::cin flushes std::cout before every read it is tied to, which
    // costs a write per row.  Only a person typing lines at a terminal needs
    // each result before the next line; a file or a pipe gets the blocks.
    if (!isatty(STDIN_FILENO))
        std::cin.tie(nullptr);
    return zelv::runBatchCommand(arguments, dataDirectory(argc > 0 ? argv[0] : ""), std::cin, std::cout,
                                 std::cerr);
}

} // namespace

int main(int argc, char* argv[])
{
    // Before any Qt object: the batch mode starts no GUI and loads no
    // platform plugin, so it runs without a display.
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (zelv::isBatchCommand(arguments))
        return runBatch(argc, argv, arguments);

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
