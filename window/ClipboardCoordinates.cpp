#include "ClipboardCoordinates.h"

#include "Clipboard.h"
#include "EngineText.h"
#include "ErrorPresenter.h"

namespace zelv {

TZwischenablageKoordinaten KoordinatenAusZwischenablage(const Clipboard& clipboard, ErrorPresenter& presenter,
                                                        Separators separators)
{
    QString text = clipboard.text();
    const qsizetype end = text.indexOf(QChar(u'\0'));
    if (end >= 0)
        text.truncate(end);

    const ClipboardReading reading = readCoordinates(toEngineText(text), separators);
    if (reading.outcome == ClipboardOutcome::NoCoordinates)
        presenter.showError(fromEngineText(noCoordinatesTitle), fromEngineText(noCoordinatesMessage));
    if (reading.outcome != ClipboardOutcome::Coordinates)
        return {};
    return reading.coordinates;
}

} // namespace zelv
