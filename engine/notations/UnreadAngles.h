#pragma once
// The message for a text that holds angles but no form that reads them: it
// names the part that stopped the reader, so that the user knows what to
// change.  Windows-1252 text, no state.
//   54°43' N 20°31' x. y.  -> „x. y.“ ist keine bekannte Himmelsrichtung
//   54°42'N                -> nach „54°42'N“ fehlt die Länge

#include <string_view>

namespace zelv {

// Throws UnusableCoordinatesError where one of the causes above is found;
// returns for every other text, which keeps the reader's own message.
void explainUnreadAngles(std::string_view text);

} // namespace zelv
