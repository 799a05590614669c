#include "MapLinks.h"

#include "Lexer.h"
#include "MapServiceLinks.h"
#include "NotationText.h"
#include "Windows1252.h"

#include <cmath>

namespace zelv {

namespace {

// A whole number text of a URI, or empty.
std::string_view wholeNumber(std::string_view text)
{
    std::size_t i = 0;
    const std::string_view number = uriNumber(text, i);
    return i == text.size() ? number : std::string_view{};
}

// The value of a number of a URI: an optional "-", digits, "." and digits.
std::optional<Extended> uriValue(std::string_view number)
{
    const bool minus = !number.empty() && number.front() == '-';
    const std::optional<Extended> value = numberTextValue(number.substr(minus ? 1 : 0));
    if (!value)
        return std::nullopt;
    return minus ? -*value : *value;
}

// A latitude and a longitude given as two number texts.
std::optional<GeographicPoint> position(std::string_view latitude, std::string_view longitude)
{
    if (latitude.empty() || longitude.empty())
        return std::nullopt;
    const auto lat = uriValue(latitude);
    const auto lon = uriValue(longitude);
    if (!lat || !lon || !(std::fabs(*lat) <= 90) || !(std::fabs(*lon) <= 180))
        return std::nullopt;
    return GeographicPoint{static_cast<double>(*lon), static_cast<double>(*lat)};
}

bool isParameterNameChar(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
}


// The map apps' query after a geo: address, "z=14" or "q=...", joined by
// "&": the zoom and the search are no part of the position.  Android's
// geo:0,0?q=Berlin puts the place into the search and 0,0 in front, so
// 0,0 with a search is no position.
std::optional<GeographicPoint> readGeoQuery(std::string_view query, std::string_view latitude,
                                           std::string_view longitude)
{
    bool search = false;
    for (std::size_t start = 0; start <= query.size();) {
        std::size_t end = query.find('&', start);
        if (end == std::string_view::npos)
            end = query.size();
        const std::string_view pair = query.substr(start, end - start);
        if (startsWithIgnoringCase(pair, "q="))
            search = true;
        else if (!startsWithIgnoringCase(pair, "z=") || wholeNumber(pair.substr(2)).empty())
            return std::nullopt;
        start = end + 1;
    }
    const auto reading = position(latitude, longitude);
    if (!reading || (search && reading->Latitude == 0 && reading->Longitude == 0))
        return std::nullopt;
    return reading;
}

std::optional<GeographicPoint> readGeoUri(std::string_view s)
{
    std::size_t i = 4; // after "geo:"
    const std::string_view latitude = uriNumber(s, i);
    if (i == s.size() || s[i++] != ',')
        return std::nullopt;
    const std::string_view longitude = uriNumber(s, i);
    if (i < s.size() && s[i] == ',') {
        ++i;
        if (uriNumber(s, i).empty())
            return std::nullopt;
    }
    // crs first, then u, then anything else.
    for (int next = 0; i < s.size();) {
        if (s[i] == '?')
            return readGeoQuery(s.substr(i + 1), latitude, longitude);
        if (s[i++] != ';')
            return std::nullopt;
        const std::size_t nameStart = i;
        while (i < s.size() && isParameterNameChar(s[i]))
            ++i;
        const std::string_view name = s.substr(nameStart, i - nameStart);
        std::string_view value;
        if (i < s.size() && s[i] == '=') {
            const std::size_t valueStart = ++i;
            while (i < s.size() && s[i] != ';' && !isBlankOrNoBreakSpace(s[i]) && s[i] != '?' && s[i] != '#')
                ++i;
            value = s.substr(valueStart, i - valueStart);
            if (value.empty())
                return std::nullopt;
        }
        if (name.empty())
            return std::nullopt;
        // rank: 0 crs, 1 u, 2 any other; `next` is the lowest rank still allowed.
        const int rank = equalsIgnoringCase(name, "crs") ? 0 : equalsIgnoringCase(name, "u") ? 1 : 2;
        if (rank < next)
            return std::nullopt;
        if (rank == 0 && !equalsIgnoringCase(value, "wgs84"))
            return std::nullopt;
        if (rank == 1 && (wholeNumber(value).empty() || value[0] == '-'))
            return std::nullopt;
        next = rank == 2 ? 2 : rank + 1;
    }
    return position(latitude, longitude);
}

// The position a link names in one way (its place marker, or the centre of
// its view), as number texts.  Two that are written differently, or one
// that is no pair of numbers, make the link unreadable: nothing is guessed.
struct Candidate {
    std::string_view latitude;
    std::string_view longitude;
    bool found = false;
    bool unreadable = false;

    void add(std::string_view lat, std::string_view lon)
    {
        if (lat.empty() || lon.empty() || (found && (lat != latitude || lon != longitude)))
            unreadable = true;
        found = true;
        latitude = lat;
        longitude = lon;
    }
};

// The value of `key` among "&"-separated key=value pairs; nothing when the
// key is missing, the text of the last occurrence otherwise.
struct Parameter {
    bool present = false;
    bool repeated = false;
    std::string_view value;
};

Parameter parameter(std::string_view pairs, std::string_view key)
{
    Parameter result;
    forEachParameter(pairs, [&](std::string_view name, std::string_view value) {
        if (name != key)
            return;
        result.repeated = result.repeated || (result.present && result.value != value);
        result.present = true;
        result.value = value;
    });
    return result;
}

std::optional<GeographicPoint> readMapLink(std::string_view s)
{
    for (const char c : s)
        if (isBlankOrNoBreakSpace(c))
            return std::nullopt;
    const std::size_t hash = s.find('#');
    const std::string_view beforeFragment = s.substr(0, hash);
    const std::string_view fragment = hash == std::string_view::npos ? std::string_view{} : s.substr(hash + 1);
    const std::size_t question = beforeFragment.find('?');
    const std::string_view query =
        question == std::string_view::npos ? std::string_view{} : beforeFragment.substr(question + 1);

    Candidate place;
    Candidate view;

    // OpenStreetMap: the marker ?mlat=..&mlon=.. and the view #map=zoom/lat/lon.
    const Parameter mlat = parameter(query, "mlat");
    const Parameter mlon = parameter(query, "mlon");
    if (mlat.present || mlon.present) {
        if (mlat.repeated || mlon.repeated)
            place.unreadable = true;
        else
            place.add(wholeNumber(mlat.value), wholeNumber(mlon.value));
    }
    const Parameter map = parameter(fragment, "map");
    if (map.present) {
        std::size_t i = 0;
        const std::string_view v = map.value;
        std::string_view latitude;
        std::string_view longitude;
        if (!uriNumber(v, i).empty() && i < v.size() && v[i++] == '/') {
            latitude = uriNumber(v, i);
            if (i < v.size() && v[i++] == '/')
                longitude = uriNumber(v, i);
        }
        if (i != v.size() || map.repeated)
            view.unreadable = true;
        view.add(latitude, longitude);
    }

    // Google Maps: the place !3d<lat>!4d<lon> and the view /@<lat>,<lon>,
    // which ends the path segment or goes on with "," (zoom and the like).
    for (std::size_t p = s.find("!3d"); p != std::string_view::npos; p = s.find("!3d", p + 1)) {
        std::size_t i = p + 3;
        const std::string_view latitude = uriNumber(s, i);
        if (latitude.empty() || s.substr(i, 3) != "!4d")
            continue; // another message's third value, not a place
        i += 3;
        const std::string_view longitude = uriNumber(s, i);
        if (i < s.size() && s[i] != '!' && s[i] != '?' && s[i] != '#' && s[i] != '/')
            continue;
        place.add(latitude, longitude);
    }
    for (std::size_t p = beforeFragment.find("/@"); p != std::string_view::npos;
         p = beforeFragment.find("/@", p + 1)) {
        std::size_t i = p + 2;
        const std::string_view latitude = uriNumber(beforeFragment, i);
        if (latitude.empty() || i == beforeFragment.size() || beforeFragment[i++] != ',')
            continue;
        const std::string_view longitude = uriNumber(beforeFragment, i);
        if (i < beforeFragment.size() && beforeFragment[i] != ',' && beforeFragment[i] != '/'
            && beforeFragment[i] != '?')
            continue;
        view.add(latitude, longitude);
    }

    // Other map services' markers and views.
    const MapServicePairs service = mapServicePairs(s);
    for (const LinkPair& marker : service.markers)
        place.add(marker.latitude, marker.longitude);
    for (const LinkPair& centre : service.views)
        view.add(centre.latitude, centre.longitude);

    const Candidate& chosen = place.found || place.unreadable ? place : view;
    if (chosen.unreadable || !chosen.found)
        return std::nullopt;
    return position(chosen.latitude, chosen.longitude);
}

// A geo: address on another datum than WGS 84: its crs is named, since the
// numbers alone would put the place elsewhere.
std::optional<Refusal> otherDatum(std::string_view text)
{
    for (std::size_t p = text.find(';'); p != std::string_view::npos; p = text.find(';', p + 1)) {
        const std::string_view parameter = text.substr(p + 1);
        if (!startsWithIgnoringCase(parameter, "crs="))
            continue;
        std::string_view crs = parameter.substr(4);
        crs = crs.substr(0, crs.find_first_of(";?# "));
        if (!equalsIgnoringCase(crs, "wgs84")) {
            Refusal r;
            r.kind = RefusalKind::GeoUriOtherDatum;
            r.first = fromWindows1252(text);
            r.second = fromWindows1252(crs);
            return r;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<LinkReading> readLink(std::string_view text)
{
    if (startsWithIgnoringCase(text, "geo:")) {
        if (const std::optional<GeographicPoint> point = readGeoUri(text))
            return LinkReading{ReadForm::GeoUri, *point, {}};
        return LinkReading{ReadForm::GeoUri, {}, otherDatum(text)};
    }
    if (!startsWithIgnoringCase(text, "http://") && !startsWithIgnoringCase(text, "https://"))
        return std::nullopt;
    if (const std::optional<GeographicPoint> point = readMapLink(text))
        return LinkReading{ReadForm::MapLink, *point, {}};
    return LinkReading{ReadForm::MapLink, {}, refusalOfMapLink(text)};
}

} // namespace zelv
