#include "ErrorPresenter.h"

#include "EngineText.h"
#include "Exception.h"

#include <QMessageBox>
#include <QPushButton>

namespace zelv {

void MessageBoxPresenter::showError(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

bool MessageBoxPresenter::askYesNo(const QString& caption, const QString& question)
{
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No);
    // German whatever translations the system has.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {

// The default handling's rule: a message whose last character sorts above "."
// gets a full stop, so "…failed!" stays as it is and "…liegen" ends in ".".
std::string withFullStop(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}

} // namespace

void ExceptionHandler::show(const QString& message) const noexcept
{
    try {
        QString text = message;
        if (!text.isEmpty() && text.back().unicode() > u'.')
            text += u'.';
        presenter_.showError(title_, text);
    } catch (...) {
        // Showing the error failed; there is nobody left to tell.
    }
}

void ExceptionHandler::handle(std::exception_ptr error) noexcept
{
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            // Every message of the system is a Windows-1252 text.
            presenter_.showError(title_, fromEngineText(withFullStop(e.what())));
        } catch (...) {
            presenter_.showError(title_, QStringLiteral("Unbekannter Fehler."));
        }
    } catch (...) {
        // Showing the error failed too; there is nobody left to tell.
    }
}

} // namespace zelv
