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
