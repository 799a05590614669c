#include "FurtherNotations.h"

#include "AxisWords.h"
#include "Exception.h"
#include "FerroLongitude.h"
#include "LabelsAndRepeats.h"
#include "MapServiceLinks.h"
#include "MgrsText.h"
#include "NotationMessages.h"
#include "PlusCode.h"
#include "NotationText.h"

#include <cmath>
#include <string>
#include <vector>

namespace zelv {

namespace {

std::optional<ClipboardPosition> tryKnown(std::string_view text, const KnownNotationReader& readKnown)
{
    try {
        return readKnown(text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

bool isLink(std::string_view text)
{
    text = trimBlanks(text);
    return startsWithIgnoringCase(text, "http://") || startsWithIgnoringCase(text, "https://");
}

// A longitude east of Ferro, turned to Greenwich; nothing without a mark.
std::optional<ClipboardPosition> readFerro(std::string_view text, const KnownNotationReader& readKnown)
{
    const auto east = withFerroMarkAsEast(text);
    if (!east)
        return std::nullopt;
    const auto read = tryKnown(*east, readKnown);
    const auto* point = read ? std::get_if<GeographicPoint>(&read->position) : nullptr;
    if (!point)
        throwUnusable("In " + quoted(text)
                      + " steht eine L\xE4nge \xF6stlich von Ferro, aber Breite und L\xE4nge davor sind nicht lesbar.");
    // Notation 5 has no range of its own; on old maps a value off the globe
    // is a misreading, not a position.
    const GeographicPoint greenwich = fromFerro(*point);
    if (!(std::fabs(greenwich.Latitude) <= 90))
        throwUnusable("In " + quoted(text) + " liegt die Breite jenseits von 90\xB0.");
    if (!(std::fabs(greenwich.Longitude) <= 180))
        throwUnusable("In " + quoted(text)
                      + " liegt die L\xE4nge \xF6stlich von Ferro jenseits von 180\xB0 \xF6stlich von Greenwich.");
    return ClipboardPosition{CoordinateNotation::FerroLongitude, greenwich};
}

// A geo: address on another datum than WGS 84: its crs is named, since the
// numbers alone would put the place elsewhere.
void explainGeoUriOnOtherDatum(std::string_view text)
{
    text = trimBlanks(text);
    if (!startsWithIgnoringCase(text, "geo:"))
        return;
    for (std::size_t p = text.find(';'); p != std::string_view::npos; p = text.find(';', p + 1)) {
        const std::string_view parameter = text.substr(p + 1);
        if (!startsWithIgnoringCase(parameter, "crs="))
            continue;
        std::string_view crs = parameter.substr(4);
        crs = crs.substr(0, crs.find_first_of(";?# "));
        if (!equalsIgnoringCase(crs, "wgs84"))
            throwUnusable("Die geo:-Adresse " + quoted(text) + " nennt das Bezugssystem " + quoted(crs)
                          + "; gelesen wird nur wgs84 (WGS 84).");
    }
}

// One notation of these forms, the repeats aside.
std::optional<ClipboardPosition> readSingle(std::string_view text, const KnownNotationReader& readKnown)
{
    explainGeoUriOnOtherDatum(text);
    if (isLink(text)) {
        explainUnreadableMapLink(trimBlanks(text));
        return std::nullopt;
    }
    if (const auto grid = readMgrs(text))
        return ClipboardPosition{CoordinateNotation::Mgrs, *grid};
    if (const auto point = readPlusCode(text))
        return ClipboardPosition{CoordinateNotation::PlusCode, *point};
    return readFerro(text, readKnown);
}

std::optional<ClipboardPosition> readPart(std::string_view text, const KnownNotationReader& readKnown)
{
    if (auto known = tryKnown(text, readKnown))
        return known;
    return readSingle(text, readKnown);
}

std::string ordinal(std::size_t index) { return std::to_string(index + 1) + "."; }

// "54\xB042'N / 20\xB031'E": a "/" between latitude and longitude, not
// between two notations; read as the two halves with a blank between them.
std::optional<ClipboardPosition> readAcrossSlash(const std::vector<std::string_view>& parts,
                                                 const KnownNotationReader& readKnown)
{
    if (parts.size() != 2 || parts[0].empty() || parts[1].empty())
        return std::nullopt;
    const std::string joined = std::string(parts[0]) + " " + std::string(parts[1]);
    return tryKnown(joined, readKnown);
}

std::optional<ClipboardPosition> readRepeats(std::string_view text, const std::vector<std::string_view>& parts,
                                             const KnownNotationReader& readKnown)
{
    std::vector<std::optional<ClipboardPosition>> read;
    bool any = false;
    for (const std::string_view part : parts) {
        read.push_back(part.empty() ? std::nullopt : readPart(part, readKnown));
        any = any || read.back().has_value();
    }
    if (!any)
        return readAcrossSlash(parts, readKnown);
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (!read[i] || !std::holds_alternative<GeographicPoint>(read[i]->position))
            throwUnusable("In " + quoted(text) + " stehen, durch \x84/\x93 getrennt, mehrere Angaben; die "
                          + ordinal(i) + " (" + quoted(parts[i])
                          + ") l\xE4sst sich nicht als Breite und L\xE4nge lesen.");
    // Each notation is as exact as its finest written place; they agree
    // within half a unit of each, and the finest of them is taken.
    std::vector<double> halfUnits;
    std::size_t finest = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        halfUnits.push_back(halfUnitOfWrittenPlace(parts[i]));
        if (halfUnits[i] < halfUnits[finest])
            finest = i;
    }
    const auto& first = std::get<GeographicPoint>(read.front()->position);
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (!agreeWithin(first, halfUnits.front(), std::get<GeographicPoint>(read[i]->position), halfUnits[i]))
            throw DisagreeingRepeatsError(
                "In " + quoted(text) + " stehen, durch \x84/\x93 getrennt, mehrere Schreibweisen eines Ortes, aber die 1. "
                "und die " + ordinal(i)
                + " Angabe weichen um mehr als eine halbe Bogensekunde voneinander ab. Welche gilt, bleibt offen.");
    return read[finest];
}

} // namespace

std::optional<ClipboardPosition> readFurtherNotations(std::string_view text, const KnownNotationReader& readKnown)
{
    const std::string_view body = withoutLabel(text);
    if (body.data() != text.data() || body.size() != text.size())
        if (auto known = tryKnown(body, readKnown))
            return known;
    // "Breite 54.7104, L\xE4nge 20.5101": the axis words give the order.
    if (const auto pair = latitudeLongitudeOfAxisWords(body))
        if (auto known = tryKnown(*pair, readKnown))
            return known;
    // Before the repeats: the town after a Plus Code may hold a "/".
    if (const auto point = readPlusCode(body))
        return ClipboardPosition{CoordinateNotation::PlusCode, *point};
    const std::vector<std::string_view> parts = repeatedParts(body);
    if (!parts.empty())
        return readRepeats(body, parts, readKnown);
    return readSingle(body, readKnown);
}

} // namespace zelv
