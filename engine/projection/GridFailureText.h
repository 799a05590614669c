#pragma once
// What the user reads when a grid conversion ends without a result: one
// German text per conversion and failure kind, saying what went wrong and,
// for the likely causes, what to check.  Windows-1252, like every text of
// the engine.
//
// Example: UtmForward with DefinitionRejected (a longitude of 180 gives
// zone 61) reads "Länge und Breite lassen sich nicht nach UTM umrechnen."
// and, on a line of its own, "Die Länge liegt außerhalb der UTM-Zonen, die
// von -180° bis unter 180° reichen."

#include "Exception.h"
#include "GridWorkflows.h"

#include <string>

namespace zelv {

// The conversions behind the window's arrow buttons.
enum class GridConversion {
    UtmForward, // latitude/longitude to UTM
    UtmInverse, // UTM back to latitude/longitude
    TmForward,  // latitude/longitude to Transverse Mercator
    TmInverse,  // Transverse Mercator back to latitude/longitude
};

// The text for `kind` ending `conversion`: a first line naming the
// conversion, then the cause.  ServiceEmpty, which the window also gives
// when it has no projection service since the start, has one text for
// every conversion: the folder "nad" was missing at the start, and a
// restart brings the conversions back once it is there again.  Every text
// ends in ".".
std::string gridFailureText(GridConversion conversion, GridFailure kind);

// The question that offers the km/m fix (unitThatFits) instead of the
// failure text: switch to `unit` and keep the digits as typed.  "Die Werte
// sehen nach Metern aus. Auf „m“ umstellen, ohne die Werte umzurechnen?"
std::string unitFixQuestion(GridUnit unit);

} // namespace zelv
