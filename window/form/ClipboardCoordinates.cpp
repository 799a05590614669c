#include "ClipboardCoordinates.h"

#include "Clipboard.h"
#include "ErrorPresenter.h"

namespace zelv {

std::optional<Reading> KoordinatenAusZwischenablage(const Clipboard& clipboard, const ExceptionHandler& handler,
                                                    Separators separators)
{
    QString text = clipboard.text();
    const qsizetype end = text.indexOf(QChar(u'\0'));
    if (end >= 0)
        text.truncate(end);

    const ReaderResult result = readCoordinatesOfUtf8(text.toStdString(), separators);
    if (const Reading* reading = std::get_if<Reading>(&result))
        return *reading;
    if (const Refusal* refusal = std::get_if<Refusal>(&result)) {
        const QString message = QString::fromStdString(refusalMessage(*refusal));
        if (refusal->kind == RefusalKind::NumberNotConvertible)
            handler.show(message);
        else
            handler.presenter().showError(QString::fromUtf8(refusalTitle.data(), refusalTitle.size()), message);
    }
    return std::nullopt;
}

} // namespace zelv
