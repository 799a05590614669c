#include "ClipboardCoordinates.h"

#include "Clipboard.h"
#include "EngineText.h"
#include "ErrorPresenter.h"
#include "Exception.h"

namespace zelv {

std::optional<ClipboardPosition> KoordinatenAusZwischenablage(const Clipboard& clipboard,
                                                              ErrorPresenter& presenter,
                                                              Separators separators)
{
    QString text = clipboard.text();
    const qsizetype end = text.indexOf(QChar(u'\0'));
    if (end >= 0)
        text.truncate(end);

    try {
        return readCoordinates(toEngineText(text), separators);
    } catch (const NoCoordinatesError& error) {
        presenter.showError(fromEngineText(noCoordinatesTitle), fromEngineText(error.message()));
        return std::nullopt;
    }
}

} // namespace zelv
