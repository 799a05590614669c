#pragma once
// Where failures reach the user.  Every handler routes a failure here, so no
// exception ever crosses Qt's event loop; tests install a presenter of their
// own and read what would have been shown.

#include <QString>
#include <exception>

class QWidget;

namespace zelv {

class ErrorPresenter {
public:
    virtual ~ErrorPresenter() = default;
    // One modal error box: the caption, the text, one OK button, the stop icon.
    virtual void showError(const QString& caption, const QString& text) = 0;
    // One modal question with the buttons "Ja" and "Nein" under the caption;
    // true for "Ja".  Closing it otherwise counts as "Nein".
    virtual bool askYesNo(const QString& caption, const QString& question) = 0;
};

// The real one: a QMessageBox, centred on the screen.
class MessageBoxPresenter final : public ErrorPresenter {
public:
    void showError(const QString& caption, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& question) override;
};

// The application's default handling of an exception that escapes a handler:
// its message with a "." appended when the last character's code is above
// that of ".", under the application title.
class ExceptionHandler {
public:
    ExceptionHandler(ErrorPresenter& presenter, QString applicationTitle)
        : presenter_(presenter), title_(std::move(applicationTitle)) {}

    void handle(std::exception_ptr error) noexcept;
    // The same box for a failure that comes as a value, not as an exception.
    void show(const QString& message) const noexcept;

    // Runs f; whatever it throws is shown and goes no further.
    template <class F>
    void guard(F&& f) noexcept
    {
        try {
            f();
        } catch (...) {
            handle(std::current_exception());
        }
    }

    ErrorPresenter& presenter() const { return presenter_; }
    const QString& title() const { return title_; }

private:
    ErrorPresenter& presenter_;
    QString title_;
};

} // namespace zelv
