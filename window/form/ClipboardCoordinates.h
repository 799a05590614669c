#pragma once
// The clipboard coordinate reader at the window's edge: fetches the
// clipboard's text, hands it to the engine's reader as Windows-1252 text and
// shows the reader's message for a text without coordinates.

#include "NumberText.h"
#include "RoutinenU.h"

#include <optional>

namespace zelv {

class Clipboard;
class ErrorPresenter;

// The clipboard's position, or nullopt when there is none:
// - no text (empty, or a picture only): nothing is shown;
// - a text that no notation fits: the box "Fehler" with "Es befinden sich
//   keine gültigen Koordinaten in der Zwischenablage!" through `presenter`.
// The text ends at its first NUL, as a zero-terminated platform text does.
// Throws EConvertError for a number of notation 1 or 4 that does not
// convert, where no other notation reads the text (readCoordinates);
// nothing is shown then.
std::optional<ClipboardPosition> KoordinatenAusZwischenablage(const Clipboard& clipboard,
                                                              ErrorPresenter& presenter,
                                                              Separators separators);

} // namespace zelv
