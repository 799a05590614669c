#pragma once
// The links that map services' share buttons and address bars give, beyond
// OpenStreetMap's and Google's place and view (CoordinateNotations.h):
//   Google  https://www.google.com/maps?q=52.5200,13.4050
//           https://maps.google.com/?q=52.52,13.405   ...&ll=52.52,13.405
//           https://www.google.com/maps/search/?api=1&query=52.5200%2C13.4050
//           https://www.google.com/maps/search/52.52,+13.405
//   Apple   https://maps.apple.com/?ll=52.5200,13.4050&q=Dropped%20Pin
//           https://maps.apple.com/?q=52.52,13.405
//   Bing    https://www.bing.com/maps?cp=52.52%7E13.405&lvl=15
// q=, query= and the search path are the place marker, ll= and cp= the
// centre of the view.  A value is a coordinate pair only when it is one:
// latitude, then longitude, as numbers with a decimal point, separated by
// ",", "~" or their URL codes (%2C, %7E), blanks ("+", %20) allowed after
// the separator; anything else there (a place name, an address) is not read.
// Only the links of these services are read, so that a search engine's q=
// never becomes a position.
//
// Short links (https://maps.app.goo.gl/..., https://goo.gl/maps/...) only
// redirect to the full address and hold no coordinates; the program has no
// network, so it says how to get the full address instead.

#include "Refusals.h"

#include <optional>
#include <string_view>
#include <vector>

namespace zelv {

// A pair of number texts out of a link, latitude first; both point into the
// link.
struct LinkPair {
    std::string_view latitude;
    std::string_view longitude;
};

struct MapServicePairs {
    std::vector<LinkPair> markers;
    std::vector<LinkPair> views;
};

// The coordinate pairs that a map service's link gives in the parameters
// above; none for any other text.
MapServicePairs mapServicePairs(std::string_view link);

// Why a link of a map service gives no position, where the reason can be
// told: a short link (which only redirects, through the internet the
// program does not use), a marker or view beyond +-90 or +-180 degrees, two
// markers that disagree, and a link that names a place without any
// coordinates.  Nothing for every other text.
std::optional<Refusal> refusalOfMapLink(std::string_view link);

} // namespace zelv
