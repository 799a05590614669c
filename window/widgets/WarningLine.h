#pragma once
// A line of text that warns: the warning icon before the text, and a colour
// that keeps its contrast on the window's background in light and dark
// palettes.

#include <QLabel>

class QPalette;

namespace zelv {

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
