#pragma once
// Wikitext, as people copy it when they edit Wikipedia or GenWiki:
//   {{coord|54|5|N|21|23|E|region:PL|display=title,inline}}
//   {{Coord|54.0833|21.3833}}      {{coord|54|5|12|N|21|23|0|E}}
//   {{Coordinate|NS=54/17/34/N|EW=22/39/26/E|type=city}}
//   {{Coordinate|NS=54.29278|EW=22.65722}}
//   NS=54/17/34/N|EW=22/39/26/E|type=city      (the parameters alone)
// {{coord}} takes degrees, degrees and minutes, or degrees, minutes and
// seconds before each compass letter (N/S, E/W), or a signed decimal
// latitude and longitude without letters.  German Wikipedia's {{Coordinate}}
// takes the same parts separated by "/" in NS= and EW=, the letter last.
// Only the last part may have decimals (with a point).  Every other
// parameter is ignored.  Template names are read in any case.

#include "Readings.h"

#include <optional>
#include <string_view>

namespace zelv {

struct TemplateReading {
    std::size_t end = 0; // past the template
    std::optional<Candidate> candidate;
    // A coordinate template whose position cannot be read.
    std::optional<Refusal> refusal;
};

// The coordinate template that starts at `at` in a UTF-8 text, with "{{" or
// with its parameter "NS="; nothing where none starts there.
std::optional<TemplateReading> readWikiTemplateAt(std::string_view text, std::size_t at);

} // namespace zelv
