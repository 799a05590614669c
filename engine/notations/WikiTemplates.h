#pragma once
// Wikitext, as people copy it when they edit Wikipedia or GenWiki:
//   {{coord|54|5|N|21|23|E|region:PL|display=title,inline}}
//   {{Coord|54.0833|21.3833}}      {{coord|54|5|12|N|21|23|0|E}}
//   {{Coordinate|NS=54/17/34/N|EW=22/39/26/E|type=city}}
//   {{Coordinate|NS=54.29278|EW=22.65722}}
// {{coord}} takes degrees, degrees and minutes, or degrees, minutes and
// seconds before each compass letter (N/S, E/W), or a signed decimal
// latitude and longitude without letters.  German Wikipedia's {{Coordinate}}
// takes the same parts separated by "/" in NS= and EW=, the letter last.
// Only the last part may have decimals (with a point).  Every other
// parameter is ignored.

#include "RoutinenU.h"

#include <optional>
#include <string_view>

namespace zelv {

// The position of the first such template in a Windows-1252 text; nothing
// where the text holds none.  Throws UnusableCoordinatesError where the
// template is there but its position cannot be read.
std::optional<GeographicPoint> readWikiTemplate(std::string_view text);

} // namespace zelv
