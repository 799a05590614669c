#include "ElSpinEdit.h"

#include "EngineText.h"
#include "FieldAccessibility.h"
#include "TextUtil.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

namespace zelv {

namespace {

// A whole number as the field takes it: an optional sign and decimal digits,
// nothing else, within the 32-bit range.
std::optional<int> wholeNumberOf(const QString& text)
{
    return parseInteger(toEngineText(text));
}

constexpr int buttonWidth = 16;

} // namespace

TElSpinEdit::TElSpinEdit(QWidget* parent)
    : QLineEdit(parent), upButton_(new QToolButton(this)), downButton_(new QToolButton(this))
{
    installFieldAccessibility();
    upButton_->setArrowType(Qt::UpArrow);
    downButton_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {upButton_, downButton_}) {
        // The buttons never hold the focus themselves; they hand it to the field.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setCursor(Qt::ArrowCursor);
    }
    connect(upButton_, &QToolButton::clicked, this, [this] { buttonStep(+1); });
    connect(downButton_, &QToolButton::clicked, this, [this] { buttonStep(-1); });
    connect(this, &QLineEdit::textEdited, this, &TElSpinEdit::userEdited);
    connect(this, &QLineEdit::textEdited, this, &TElSpinEdit::UserEdited);

    setTextMargins(0, 0, buttonWidth, 0);
    setText(QString::number(value_));
}

TElSpinEdit::~TElSpinEdit()
{
    // QWidget's destructor may still move the focus; nothing of this class
    // may be reached from there.
    disconnect(qApp, &QApplication::focusChanged, this, &TElSpinEdit::applicationFocusChanged);
}

void TElSpinEdit::setValue(int value)
{
    value = clamped(value);
    if (value == value_)
        return;
    value_ = value;
    setText(QString::number(value_));
    announceValue();
}

void TElSpinEdit::announceValue()
{
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
}

void TElSpinEdit::setMinValue(int minValue)
{
    minValue_ = minValue;
    setValue(value_);
}

void TElSpinEdit::setMaxValue(int maxValue)
{
    maxValue_ = maxValue;
    setValue(value_);
}

int TElSpinEdit::clamped(long long value) const
{
    // With crossed bounds the lower one wins.
    return static_cast<int>(std::max<long long>(minValue_, std::min<long long>(value, maxValue_)));
}

void TElSpinEdit::stepBy(long long steps)
{
    const int before = value_;
    setValue(clamped(static_cast<long long>(value_) + steps));
    if (value_ != before)
        emit UserEdited();
}

void TElSpinEdit::buttonStep(int direction)
{
    stepBy(static_cast<long long>(direction) * increment_);
    setFocus(Qt::MouseFocusReason);
    selectAll();
}

bool TElSpinEdit::event(QEvent* event)
{
    // The caret as it was before whatever this event may edit, so that a
    // refused edit can put it back.  Only the outermost event counts: a
    // context menu's paste runs inside the menu's own event loop.
    if (eventDepth_ == 0)
        caretBeforeEdit_ = cursorPosition();
    ++eventDepth_;
    const bool result = QLineEdit::event(event);
    --eventDepth_;
    return result;
}

void TElSpinEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        long long step = 0;
        switch (event->key()) {
        case Qt::Key_Up: step = increment_; break;
        case Qt::Key_Down: step = -static_cast<long long>(increment_); break;
        case Qt::Key_PageUp: step = largeIncrement_; break;
        case Qt::Key_PageDown: step = -static_cast<long long>(largeIncrement_); break;
        default: break;
        }
        if (step != 0) {
            stepBy(step);
            setCursorPosition(static_cast<int>(text().size()));
            event->accept();
            return;
        }
    }

    // Typed characters: digits, and "-" where a sign can stand; anything else
    // printable is dropped.  Control characters (Backspace, the clipboard
    // shortcuts, Delete) go to the edit box.
    const QString typed = event->text();
    const bool printable = !typed.isEmpty()
        && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c >= u' ' && c != u'\x7f'; });
    if (printable) {
        const int insertAt = hasSelectedText() ? selectionStart() : cursorPosition();
        const bool wholeTextSelected = hasSelectedText() && selectedText().size() == text().size();
        for (QChar c : typed) {
            const bool digit = c >= u'0' && c <= u'9';
            const bool sign = c == u'-' && (insertAt == 0 || wholeTextSelected);
            if (!digit && !sign) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TElSpinEdit::userEdited(const QString& text)
{
    // An empty text or a lone sign is on its way to a number: wait.  A number
    // in range is taken at once.  Anything else is undone to the last value.
    if (text.isEmpty() || text == QStringLiteral("-"))
        return;
    const std::optional<int> number = wholeNumberOf(text);
    if (number && *number >= minValue_ && *number <= maxValue_) {
        if (*number != value_) {
            value_ = *number;
            announceValue();
        }
        return;
    }
    const int caret = caretBeforeEdit_;
    setText(QString::number(value_));
    setCursorPosition(std::min(caret, static_cast<int>(this->text().size())));
}

void TElSpinEdit::settleText()
{
    const std::optional<int> number = wholeNumberOf(text());
    const int before = value_;
    value_ = number ? clamped(*number) : minValue_;
    setText(QString::number(value_));
    if (value_ != before)
        announceValue();
}

void TElSpinEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A move of the focus made while the window was inactive reaches this
    // field with no focus-out; it is seen here when the window returns.
    connect(qApp, &QApplication::focusChanged, this, &TElSpinEdit::applicationFocusChanged,
            Qt::UniqueConnection);
}

void TElSpinEdit::focusOutEvent(QFocusEvent* event)
{
    // Leaving for another control settles the text; a switch to another
    // window or a popup (the context menu) is no leaving.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        leave();
    QLineEdit::focusOutEvent(event);
}

void TElSpinEdit::applicationFocusChanged(QWidget*, QWidget* now)
{
    if (now && now != this && now->window() == window())
        leave();
}

void TElSpinEdit::leave()
{
    disconnect(qApp, &QApplication::focusChanged, this, &TElSpinEdit::applicationFocusChanged);
    settleText();
}

void TElSpinEdit::wheelEvent(QWheelEvent* event)
{
    if (!isEnabled() || isReadOnly()) {
        event->ignore();
        return;
    }
    // One notch is 120; touch pads deliver fractions of it.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ %= 120;
    // A setting of 0 lines still moves one step per notch.
    const int lines = std::max(1, QApplication::wheelScrollLines());
    stepBy(static_cast<long long>(notches) * lines * increment_);
    event->accept();
}

void TElSpinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeButtons();
}

void TElSpinEdit::placeButtons()
{
    // Stacked at the right edge, inside the frame.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    const int upperHeight = inner.height() / 2;
    upButton_->setGeometry(inner.right() - buttonWidth + 1, inner.top(), buttonWidth, upperHeight);
    downButton_->setGeometry(inner.right() - buttonWidth + 1, inner.top() + upperHeight,
                             buttonWidth, inner.height() - upperHeight);
}

} // namespace zelv
