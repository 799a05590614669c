#include "MapServiceLinks.h"

#include "Lexer.h"
#include "NotationText.h"
#include "Windows1252.h"

#include <cmath>
#include <optional>
#include <string>

namespace zelv {

namespace {

// A link cut into its parts; the host in small letters is compared without
// regard to case.
struct Link {
    std::string_view host;
    std::string_view path;
    std::string_view query;
    bool valid = false;
};

Link split(std::string_view text)
{
    Link link;
    std::size_t start;
    if (startsWithIgnoringCase(text, "https://"))
        start = 8;
    else if (startsWithIgnoringCase(text, "http://"))
        start = 7;
    else
        return link;
    const std::string_view rest = text.substr(start);
    const std::size_t hostEnd = rest.find_first_of("/?#");
    link.host = rest.substr(0, hostEnd);
    if (hostEnd == std::string_view::npos)
        return link.valid = true, link;
    std::string_view tail = rest.substr(hostEnd);
    tail = tail.substr(0, tail.find('#'));
    const std::size_t question = tail.find('?');
    link.path = tail.substr(0, question);
    if (question != std::string_view::npos)
        link.query = tail.substr(question + 1);
    link.valid = true;
    return link;
}

bool hostIs(std::string_view host, std::string_view name)
{
    return equalsIgnoringCase(host, name) || (host.size() == name.size() + 4 && startsWithIgnoringCase(host, "www.")
                                  && equalsIgnoringCase(host.substr(4), name));
}

// "google.de", "www.google.co.uk": Google's own country domains.
bool isGoogleHost(std::string_view host)
{
    if (startsWithIgnoringCase(host, "www."))
        host.remove_prefix(4);
    return startsWithIgnoringCase(host, "google.") && host.size() > 7;
}

enum class Service { None, Google, Apple, Bing };

Service serviceOf(const Link& link)
{
    if (!link.valid)
        return Service::None;
    if ((isGoogleHost(link.host) && startsWithIgnoringCase(link.path, "/maps"))
        || startsWithIgnoringCase(link.host, "maps.google."))
        return Service::Google;
    if (hostIs(link.host, "maps.apple.com"))
        return Service::Apple;
    if (hostIs(link.host, "bing.com") && startsWithIgnoringCase(link.path, "/maps"))
        return Service::Bing;
    return Service::None;
}

// Skips one of the given texts at `i`, if there.
bool skipOneOf(std::string_view s, std::size_t& i, std::initializer_list<std::string_view> texts)
{
    for (const std::string_view t : texts)
        if (startsWithIgnoringCase(s.substr(i), t)) {
            i += t.size();
            return true;
        }
    return false;
}

// The whole value as a coordinate pair, or nothing.
std::optional<LinkPair> pairOf(std::string_view value)
{
    std::size_t i = 0;
    const std::string_view latitude = uriNumber(value, i);
    if (latitude.empty() || !skipOneOf(value, i, {",", "%2C", "~", "%7E"}))
        return std::nullopt;
    while (skipOneOf(value, i, {"+", "%20"}))
        ;
    const std::string_view longitude = uriNumber(value, i);
    if (longitude.empty() || i != value.size())
        return std::nullopt;
    return LinkPair{latitude, longitude};
}

// The search path's segment: /maps/search/<value>[/...]
std::optional<std::string_view> searchSegment(std::string_view path)
{
    constexpr std::string_view search = "/maps/search/";
    if (!startsWithIgnoringCase(path, search))
        return std::nullopt;
    const std::string_view rest = path.substr(search.size());
    return rest.substr(0, rest.find('/'));
}

struct Found {
    MapServicePairs pairs;
    bool placeName = false; // a marker or search that is no pair
};

Found find(const Link& link, Service service)
{
    Found f;
    auto marker = [&](std::string_view value) {
        if (const auto p = pairOf(value))
            f.pairs.markers.push_back(*p);
        else if (!value.empty())
            f.placeName = true;
    };
    auto view = [&](std::string_view value) {
        if (const auto p = pairOf(value))
            f.pairs.views.push_back(*p);
    };
    // The keys that are markers and views for each service.
    std::string_view markers[2] = {};
    std::string_view views[1] = {};
    switch (service) {
    case Service::Google:
        markers[0] = "q";
        markers[1] = "query";
        views[0] = "ll";
        if (const auto segment = searchSegment(link.path))
            marker(*segment);
        break;
    case Service::Apple:
        markers[0] = "q";
        views[0] = "ll";
        break;
    case Service::Bing:
        views[0] = "cp";
        break;
    case Service::None:
        return f;
    }
    forEachParameter(link.query, [&](std::string_view key, std::string_view value) {
        if (key.empty())
            return;
        if (key == markers[0] || key == markers[1])
            marker(value);
        else if (key == views[0])
            view(value);
    });
    return f;
}

bool isShortLink(const Link& link)
{
    return link.valid
        && (equalsIgnoringCase(link.host, "maps.app.goo.gl")
            || (equalsIgnoringCase(link.host, "goo.gl") && startsWithIgnoringCase(link.path, "/maps/")));
}

Extended valueOf(std::string_view number)
{
    const bool minus = !number.empty() && number.front() == '-';
    const Extended value = numberTextValue(number.substr(minus ? 1 : 0)).value_or(0);
    return minus ? -value : value;
}

Refusal linkRefusal(RefusalKind kind, std::string_view link, std::string_view value = {})
{
    Refusal r;
    r.kind = kind;
    r.first = fromWindows1252(link);
    r.second = fromWindows1252(value);
    return r;
}

} // namespace

MapServicePairs mapServicePairs(std::string_view link)
{
    const Link parts = split(link);
    return find(parts, serviceOf(parts)).pairs;
}

std::optional<Refusal> refusalOfMapLink(std::string_view text)
{
    const Link link = split(text);
    if (isShortLink(link))
        return linkRefusal(RefusalKind::ShortLink, text);
    const Service service = serviceOf(link);
    if (service == Service::None)
        return std::nullopt;
    const Found found = find(link, service);
    const std::vector<LinkPair>& chosen = found.pairs.markers.empty() ? found.pairs.views : found.pairs.markers;
    for (const LinkPair& pair : chosen) {
        if (std::fabs(valueOf(pair.latitude)) > 90)
            return linkRefusal(RefusalKind::MapLinkLatitudeBeyond, text, pair.latitude);
        if (std::fabs(valueOf(pair.longitude)) > 180)
            return linkRefusal(RefusalKind::MapLinkLongitudeBeyond, text, pair.longitude);
    }
    for (const LinkPair& pair : chosen)
        if (pair.latitude != chosen.front().latitude || pair.longitude != chosen.front().longitude)
            return linkRefusal(RefusalKind::MapLinkSeveral, text);
    if (chosen.empty() && found.placeName && text.find("/@") == std::string_view::npos
        && text.find("!3d") == std::string_view::npos)
        return linkRefusal(RefusalKind::MapLinkPlaceOnly, text);
    return std::nullopt;
}

} // namespace zelv
