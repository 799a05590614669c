#pragma once
// A one-line integer field with small up and down buttons (the UTM zone).
// The value always lies within MinValue..MaxValue; the text may wander while
// the user types and is settled when the field is left.

#include <QLineEdit>

class QToolButton;

namespace zelv {

class TElSpinEdit : public QLineEdit {
    Q_OBJECT
    // Read and written by name by the settings store.
    Q_PROPERTY(int Value READ Value WRITE setValue)

public:
    explicit TElSpinEdit(QWidget* parent = nullptr);
    ~TElSpinEdit() override;

    int Value() const { return value_; }
    // Clamped silently into MinValue..MaxValue; when the value changes, the
    // text becomes its decimal digits.
    void setValue(int value);

    // The bounds; a value outside new bounds is clamped at once.
    int MinValue() const { return minValue_; }
    void setMinValue(int minValue);
    int MaxValue() const { return maxValue_; }
    void setMaxValue(int maxValue);

    // The step of the arrow keys, the buttons and one wheel line (default 1),
    // and of Page Up/Page Down (default 10).
    int Increment() const { return increment_; }
    void setIncrement(int increment) { increment_ = increment; }
    int LargeIncrement() const { return largeIncrement_; }
    void setLargeIncrement(int largeIncrement) { largeIncrement_ = largeIncrement; }

    QToolButton* upButton() const { return upButton_; }
    QToolButton* downButton() const { return downButton_; }

signals:
    // The user typed into the field or stepped its value (keys, buttons,
    // wheel); the program's writes do not count.
    void UserEdited();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int clamped(long long value) const;
    void stepBy(long long steps);
    void buttonStep(int direction);
    void userEdited(const QString& text);
    void settleText();
    void leave();
    void applicationFocusChanged(QWidget* old, QWidget* now);
    void placeButtons();
    void announceValue();

    QToolButton* upButton_;
    QToolButton* downButton_;
    int value_ = 0;
    int minValue_ = 0;
    int maxValue_ = 100;
    int increment_ = 1;
    int largeIncrement_ = 10;
    int eventDepth_ = 0;
    int caretBeforeEdit_ = 0;
    int wheelRemainder_ = 0;
};

} // namespace zelv
