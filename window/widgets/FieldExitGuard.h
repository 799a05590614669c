#pragma once
// Runs a field's exit check before a mouse press or wheel turn anywhere in
// the application moves the focus away from the field, and tells the field
// when the focus reached another widget of its window without a focus-out.
//
// Qt cannot veto a focus-out, so the guard watches the application's input
// while the field has the focus.  It looks at a press on the field's window
// (QWindow), where it arrives before Qt gives any widget the focus; when the
// check fails there, the press is swallowed and no widget ever sees it.
// Presses that reach a widget directly (synthesised ones) find the focus
// already moved; the field's focus-out then runs the check and, on failure,
// asks the guard to swallow that press when it arrives.  Tab and Shift+Tab
// are the field's own (QWidget::focusNextPrevChild) and need no guard.

#include <QObject>
#include <functional>

class QWidget;

namespace zelv {

class FieldExitGuard final : public QObject {
public:
    // `check` runs the field's exit check and gives false when the focus must
    // stay; `focusMovedUnseen` leaves the field for a focus that went to
    // another widget of its window without a focus-out (set while the window
    // was inactive).
    FieldExitGuard(QWidget& field, std::function<bool()> check, std::function<void()> focusMovedUnseen);
    ~FieldExitGuard() override;

    // From entering the field to leaving it.
    void start();
    void stop();

    // The press that moved the focus out before its check failed: swallowed
    // when it reaches its widget.
    void swallowPress() { swallowPress_ = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wouldTakeFocus(QWidget* receiver, bool wheel) const;
    void onFocusChanged(QWidget* old, QWidget* now);

    QWidget& field_;
    std::function<bool()> check_;
    std::function<void()> focusMovedUnseen_;
    bool watching_ = false;
    bool swallowPress_ = false;
    // The last press on the window was refused.
    bool refusedPress_ = false;
};

} // namespace zelv
