// The reference for the start-up benchmark: a bare Qt program with one empty
// window of the main window's size and caption, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ZELV-Derarar"));
    window.setFixedSize(762, 387);
    window.show();
    return app.exec();
}
