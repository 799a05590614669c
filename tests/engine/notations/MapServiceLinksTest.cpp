// Map services' share links through the clipboard reader: the parameters of
// Google, Apple and Bing, the marker over the view, links that hold only a
// place name, and short links, which hold no coordinates at all.
#include "EntryRows.h"
#include "InLocale.h"

namespace zelv {
namespace {

using namespace entry_rows;
constexpr ReadForm link = ReadForm::MapLink;

class MapServiceLinks : public ::testing::TestWithParam<Separators> {};

// A link or geo: address that is recognised but gives no position that can
// be read.
const Expected withoutPosition = refused(RefusalKind::LinkWithoutPosition, {"keine vollst\xE4ndige Position"});

TEST_P(MapServiceLinks, MarkersAndViews)
{
    const Row rows[] = {
        {"https://www.google.com/maps?q=52.5200,13.4050", point(link, 52.52, 13.405)},
        {"https://maps.google.com/?q=52.52,13.405", point(link, 52.52, 13.405)},
        {"https://maps.google.de/maps?q=-33.9249,18.4241&z=12", point(link, -33.9249, 18.4241)},
        {"https://www.google.com/maps/search/?api=1&query=52.5200%2C13.4050", point(link, 52.52, 13.405)},
        {"https://www.google.com/maps/search/?api=1&query=52.5200%2c13.4050", point(link, 52.52, 13.405)},
        {"https://www.google.com/maps/search/52.52,+13.405", point(link, 52.52, 13.405)},
        {"https://www.google.de/maps/search/52.52,%2013.405?entry=ttu", point(link, 52.52, 13.405)},
        {"https://www.google.com/maps/search/52.52,+13.405/@52.5,13.4,15z", point(link, 52.52, 13.405),
         "the searched position wins over the view"},
        {"https://www.google.com/maps?ll=52.52,13.405&z=15", point(link, 52.52, 13.405)},
        {"https://www.google.com/maps?ll=52.5,13.4&q=52.52,13.405", point(link, 52.52, 13.405),
         "the marker wins over the view"},
        {"https://maps.apple.com/?ll=52.5200,13.4050&q=Dropped%20Pin", point(link, 52.52, 13.405)},
        {"https://maps.apple.com/?q=52.52,13.405", point(link, 52.52, 13.405)},
        {"https://maps.apple.com/?ll=52.5,13.4&q=52.52,13.405&t=m", point(link, 52.52, 13.405)},
        {"https://www.bing.com/maps?cp=52.52%7E13.405&lvl=15", point(link, 52.52, 13.405)},
        {"https://bing.com/maps?cp=-33.9249~18.4241", point(link, -33.9249, 18.4241)},
        {"  https://www.google.com/maps?q=52.52,13.405\r\n", point(link, 52.52, 13.405)},
        {"https://www.google.com/maps?q=52.52,13.405&q=52.52,13.405", point(link, 52.52, 13.405),
         "the same marker twice"},
        {"https://www.google.com/maps?q=52,13", point(link, 52, 13), "in a link, whole degrees are a position too"},
        {"https://www.bing.com/maps?cp=52.52,13.405", point(link, 52.52, 13.405)},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(MapServiceLinks, RecognisedButUnusable)
{
    const Row rows[] = {
        {"https://maps.app.goo.gl/AbCdEfGh123", refused({"Kurzlink", "Browser", "Adresszeile"})},
        {"https://goo.gl/maps/AbCdEfGh123", refused({"Kurzlink", "Browser", "Adresszeile"})},
        {"http://maps.app.goo.gl/x?g_st=ic", refused({"Kurzlink"})},
        {"https://www.google.com/maps?q=Brandenburger+Tor", refused({"Kartenlink", "Ortsnamen"}),
         "only a place name"},
        {"https://www.google.com/maps/search/pizza+berlin", refused({"Kartenlink", "Ortsnamen"})},
        {"https://maps.apple.com/?q=Berlin", refused({"Kartenlink", "Ortsnamen"})},
        {"https://www.google.com/maps?q=52.52;13.405", refused({"Kartenlink", "Ortsnamen"}),
         "no pair: a search"},
        {"https://www.google.com/maps?q=95.0,13.4", refused({"Kartenlink", "Breite 95.0", "90\xB0"})},
        {"https://www.bing.com/maps?cp=52.5~190.0", refused({"Kartenlink", "L\xE4nge 190.0", "180\xB0"})},
        {"https://www.google.com/maps?q=52.52,13.405&query=52.5,13.4", refused({"Kartenlink", "mehrere"}),
         "two markers that disagree"},
        // A view centre behind the marker does not stand in for a bad marker.
        {"https://www.google.com/maps?q=95.0,13.4&ll=52.5,13.4", refused({"Kartenlink", "Breite 95.0", "90\xB0"}),
         "a marker off the globe before a view"},
        {"https://maps.apple.com/?q=52.52,13.405&ll=52.5,13.4&q=52.5,13.4", refused({"Kartenlink", "mehrere"}),
         "markers that disagree before a view"},
        {"https://maps.apple.com?q=95.0,13.4", refused({"Kartenlink", "Breite 95.0", "90\xB0"}),
         "nothing between the host and the query"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(MapServiceLinks, LinksThatStayUnread)
{
    const Row rows[] = {
        {"https://www.google.com/search?q=52.52,13.405", withoutPosition, "a search engine, no map"},
        {"https://example.org/maps?q=52.52,13.405", withoutPosition},
        {"https://www.bing.com/maps?q=52.52,13.405", withoutPosition, "Bing's q is a search"},
        {"https://www.google.com/maps", withoutPosition},
        {"https://goo.gl/AbCd", withoutPosition, "a short link elsewhere than maps"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Locales, MapServiceLinks, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
