#pragma once
// The clipboard coordinate reader at the window's edge: fetches the
// clipboard's text, hands it to the engine's reader and shows the reader's
// refusal.

#include "ClipboardReader.h"

#include <optional>

namespace zelv {

class Clipboard;
class ExceptionHandler;

// The clipboard's reading, or nullopt when there is none:
// - no text (empty, or a picture only): nothing is shown;
// - a refusal: its message in the box "Fehler" through the handler's
//   presenter; a number of the fixed notations that does not convert is
//   shown as every other failure of the window is, under the application's
//   title.
// The text ends at its first NUL, as a zero-terminated platform text does.
std::optional<Reading> KoordinatenAusZwischenablage(const Clipboard& clipboard, const ExceptionHandler& handler,
                                                    Separators separators);

} // namespace zelv
