// The second reference for the start-up benchmark: a Qt program with the
// main window's controls as stock widgets, at their places, in their fonts
// and with their pictures, and no logic at all: no projection library, no
// settings, no fitting of captions.  Beside the bare window (one empty
// window), it shows what the controls themselves cost.
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

namespace {

QFont layoutFont(int pointSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

struct Box {
    int left, top, width;
};

struct Button {
    int left, top, width, height;
    const char* caption;
    const char* picture;
};

struct Caption {
    int left, top;
    const char* text;
    int size; // 0 for the window's font, 12 large, 13 large bold
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ZELV-Derarar"));
    window.setFixedSize(762, 387);
    window.setFont(layoutFont(8, false));
    const QFont large = layoutFont(12, false);
    const QFont largeBold = layoutFont(12, true);

    const Box fields[] = {{200, 40, 49},  {260, 40, 29},  {296, 40, 41},  {200, 72, 49},  {260, 72, 29},
                          {296, 72, 41},  {200, 136, 145}, {200, 168, 145}, {528, 72, 97},  {528, 104, 97},
                          {528, 176, 49}, {588, 176, 29}, {528, 240, 97}, {528, 280, 97}, {528, 312, 97}};
    for (const Box& b : fields) {
        auto* field = new QLineEdit(&window);
        field->setGeometry(b.left, b.top, b.width, 28);
        field->setFont(large);
        field->setAlignment(Qt::AlignRight);
    }
    auto* zone = new QSpinBox(&window);
    zone->setGeometry(528, 40, 97, 28);
    zone->setFont(large);
    zone->setRange(1, 60);
    auto* location = new QLineEdit(QStringLiteral("liegt bei"), &window);
    location->setGeometry(8, 352, 337, 28);
    location->setFont(largeBold);
    location->setReadOnly(true);

    const Button buttons[] = {{360, 40, 75, 25, "", "arrow-right"},
                              {360, 72, 75, 25, "", "arrow-left"},
                              {352, 352, 75, 30, "kopieren", "copy-to-clipboard"},
                              {360, 152, 75, 25, "", "arrow-right"},
                              {360, 184, 75, 25, "", "arrow-left"},
                              {8, 276, 337, 30, "Koordinaten aus Zwischenablage holen und konvertieren",
                               "paste-from-clipboard"}};
    for (const Button& b : buttons) {
        QIcon icon;
        const QString stem = QStringLiteral(":/pictures/") + QLatin1StringView(b.picture);
        icon.addFile(stem + QStringLiteral(".png"), QSize(16, 16));
        icon.addFile(stem + QStringLiteral("-32.png"), QSize(32, 32));
        auto* button = new QPushButton(icon, QString::fromUtf8(b.caption), &window);
        button->setGeometry(b.left, b.top, b.width, b.height);
        button->setIconSize(QSize(16, 16));
    }

    auto* units = new QGroupBox(&window);
    units->setGeometry(528, 200, 97, 33);
    auto* unitsLayout = new QHBoxLayout(units);
    unitsLayout->setContentsMargins(4, 0, 4, 0);
    for (const char* unit : {"km", "m"})
        unitsLayout->addWidget(new QRadioButton(QString::fromLatin1(unit), units));
    auto* datum = new QCheckBox(QStringLiteral("nach ETRS89\n(BeTA2007)"), &window);
    datum->setGeometry(632, 200, 126, 33);

    const Caption captions[] = {
        {8, 8, "Grad / Minuten / Sekunden", 13},   {8, 48, "Länge (in Grad, z.B. 10° 46' 9,9''):", 0},
        {7, 80, "Breite (in Grad, z.B. 50° 24' 53,4''):", 0}, {252, 40, "°", 12}, {252, 72, "°", 12},
        {292, 40, "'", 12}, {292, 72, "'", 12}, {340, 40, "''", 12}, {340, 72, "''", 12},
        {8, 112, "Dezimal", 13}, {8, 144, "Länge (in Dezimalgrad, z.B. 10,769430):", 0},
        {7, 176, "Breite (in Dezimalgrad, z.B. 50,414840):", 0}, {8, 320, "ZELV", 13}, {448, 8, "UTM", 13},
        {448, 48, "Zone:", 0}, {448, 80, "Rechts:", 0}, {448, 288, "Rechts:", 0}, {448, 112, "Hoch:", 0},
        {448, 320, "Hoch:", 0}, {448, 144, "TMERC (für Quarnel-Landkarten)", 13}, {448, 184, "Bezugslänge:", 0},
        {580, 176, "°", 12}, {620, 176, "'", 12}, {448, 216, "Eingabe:", 0}, {448, 248, "Bezugs R-Wert:", 0},
        {632, 248, "(z.B. 6525 oder 6525000):", 0}, {648, 356, "ZELV-Derarar", 0},
        {8, 256, "<a href=\"https://example.org/\">multimap</a>", 0},
        {56, 256, "<a href=\"https://whgazetteer.org/\">https://whgazetteer.org/</a>", 0},
        {648, 368, "<a href=\"https://example.org/\">Anleitung</a>", 0}};
    for (const Caption& c : captions) {
        auto* label = new QLabel(QString::fromUtf8(c.text), &window);
        if (c.size)
            label->setFont(c.size == 12 ? large : largeBold);
        label->adjustSize();
        label->move(c.left, c.top);
    }

    window.show();
    return app.exec();
}
