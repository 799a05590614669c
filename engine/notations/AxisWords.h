#pragma once
// Latitude and longitude named by the words of their axes, in either order,
// with or without colons:
//   Breite 54.7104, Länge 20.5101        Breite: 54,7104 Länge: 20,5101
//   Latitude: 55.274344 Longitude: 20.970886
//   Long: : 20.489179 - Lat: : 54.681718
// Words: Breite, Latitude, Lat and Länge, Laenge, Longitude, Long, Lon, Lng,
// in any case.  Windows-1252 text, no state.

#include <optional>
#include <string>
#include <string_view>

namespace zelv {

// The two values of a text that is one latitude and one longitude, each
// after its axis word, as "<latitude>; <longitude>" for the notations'
// readers; nothing when the text is no such pair (one axis twice, a value
// missing, another word before the first axis word).
std::optional<std::string> latitudeLongitudeOfAxisWords(std::string_view text);

} // namespace zelv
