#include "FerroLongitude.h"

#include "NotationMessages.h"

namespace zelv {

namespace {

// Where two marks start at the same place ("ö. v. F." and "ö. v. Ferro"),
// the longer one counts.
constexpr std::string_view ferroMarks[] = {
    "\xF6stlich von Ferro", "\xF6stlich v. Ferro", "\xF6stl. von Ferro", "\xF6stl. v. Ferro", "\xF6. v. Ferro",
    "\xF6. v. F.",          "\xF6. F.",            "east of Ferro",   "E of Ferro",
};

struct Mark {
    std::size_t at = std::string_view::npos;
    std::size_t length = 0;
};

// The first mark at or after `from`.
Mark findMark(std::string_view text, std::size_t from)
{
    Mark first;
    for (const std::string_view mark : ferroMarks) {
        const std::size_t at = text.find(mark, from);
        if (at < first.at || (at == first.at && at != std::string_view::npos && mark.size() > first.length))
            first = {at, mark.size()};
    }
    return first;
}

// Every mark names Ferro or ends in " F."; most texts hold neither, and
// are searched for the rarer letters first.
bool mentionsFerro(std::string_view text)
{
    if (text.find("Ferro") != std::string_view::npos)
        return true;
    for (std::size_t at = text.find("F."); at != std::string_view::npos; at = text.find("F.", at + 1))
        if (at > 0 && text[at - 1] == ' ')
            return true;
    return false;
}

} // namespace

std::optional<std::string> withFerroMarkAsEast(std::string_view text)
{
    if (!mentionsFerro(text))
        return std::nullopt;
    const Mark mark = findMark(text, 0);
    if (mark.at == std::string_view::npos)
        return std::nullopt;
    if (findMark(text, mark.at + mark.length).at != std::string_view::npos)
        throwUnusable("In " + quoted(text)
                      + " steht mehr als eine L\xE4nge \xF6stlich von Ferro; nur eine der beiden Angaben kann eine "
                        "L\xE4nge sein.");
    std::string east(text.substr(0, mark.at));
    east += 'O';
    east.append(text.substr(mark.at + mark.length));
    return east;
}

GeographicPoint fromFerro(GeographicPoint point)
{
    point.Longitude -= ferroWestOfGreenwich;
    return point;
}

} // namespace zelv
