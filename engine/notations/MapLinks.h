#pragma once
// geo: addresses and map links, each the whole text:
//   geo:50.41484,10.76943,310;crs=wgs84;u=35     geo:54.7104,20.5101?z=14
//   https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.41484/10.76943
//   https://www.google.com/maps/place/X/@50.4,10.7,17z/data=!3d50.41484!4d10.76943
// and the links of the services in MapServiceLinks.h.
// - geo: URIs as RFC 5870 writes them, with or without altitude; crs, if
//   given, must be wgs84 and come first, u comes before other parameters;
//   the map apps' query after them ("?z=15", "?q=...") is ignored, but
//   geo:0,0?q=... is no position: Android puts the place into the search.
// - Map links: the place marker (OpenStreetMap's mlat/mlon, Google's
//   !3d/!4d, and the markers of MapServiceLinks.h) wins over the centre of
//   the view (#map=zoom/lat/lon, /@lat,lon, and the views there); two
//   markers or two views of the same rank that disagree, and a marker whose
//   values are no numbers, leave the link unread.
// Numbers are written with the decimal point; a latitude beyond +-90 or a
// longitude beyond +-180 is no position.

#include "ClipboardReader.h"

#include <optional>
#include <string_view>

namespace zelv {

struct LinkReading {
    ReadForm form = ReadForm::MapLink; // GeoUri or MapLink
    std::optional<GeographicPoint> point;
    // Why a link or address that is recognised gives no position, where the
    // reason can be told.
    std::optional<Refusal> refusal;
};

// The Windows-1252 text, trimmed, as a geo: address or a link; nothing where
// it starts as neither.
std::optional<LinkReading> readLink(std::string_view text);

} // namespace zelv
