#pragma once
// The line above the location text while the shown position lies on Bessel
// (DHDN): how far this position lies from its WGS 84 place, as a warning
// that a careful reader still may not expect, with an icon and a colour that
// keeps its contrast on the window's background in light and dark palettes.

#include <QLabel>
#include <optional>

class QPalette;

namespace zelv {

// "Lage auf Bessel (DHDN), hier 257 m neben WGS 84 – für Ortsangaben „nach
// ETRS89“ anhaken", the offset in whole metres; without an offset (no shift
// for the place) it says that the offset is unknown.
QString besselDatumLine(std::optional<double> offsetMetres);

// A warning's text colour for the palette: dark amber on a light window,
// light amber on a dark one.
QColor warningTextColour(const QPalette& palette);

// A label that shows a warning: the warning icon before its text, in the
// warning colour, and the same text as its accessible description.  Empty,
// it shows nothing.
class TWarningLine : public QLabel {
    Q_OBJECT

public:
    explicit TWarningLine(QWidget* parent = nullptr);

    void setWarning(const QString& text);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void followPalette();
    bool recolouring_ = false;
};

} // namespace zelv
