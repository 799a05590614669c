#include "ColumnWords.h"

#include "Lexicon.h"

#include <string>
#include <utility>

namespace zelv {

namespace {

// The grid's words; the axes' words are the reader's (Lexicon.h).  Lower
// case, as roleOfWord compares them.
constexpr std::pair<std::string_view, ColumnRole> gridWords[] = {
    {"rechtswert", ColumnRole::Easting}, {"rechts", ColumnRole::Easting},  {"r", ColumnRole::Easting},
    {"ostwert", ColumnRole::Easting},    {"easting", ColumnRole::Easting}, {"hochwert", ColumnRole::Northing},
    {"hoch", ColumnRole::Northing},      {"h", ColumnRole::Northing},      {"nordwert", ColumnRole::Northing},
    {"northing", ColumnRole::Northing},
};

bool isWordByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

ColumnRole roleOfWord(std::string_view word)
{
    const WordMatch axis = matchLexiconWord(word, 0);
    if (axis.word && axis.word->kind == WordKind::AxisName && axis.end == word.size())
        return axis.word->axis == Axis::Latitude ? ColumnRole::Latitude : ColumnRole::Longitude;
    std::string lower(word);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const auto& [known, role] : gridWords)
        if (known == lower)
            return role;
    return ColumnRole::None;
}

} // namespace

ColumnRole columnRoleOf(std::string_view header)
{
    ColumnRole found = ColumnRole::None;
    for (std::size_t i = 0; i < header.size();) {
        if (!isWordByte(static_cast<unsigned char>(header[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < header.size() && isWordByte(static_cast<unsigned char>(header[end])))
            ++end;
        const ColumnRole role = roleOfWord(header.substr(i, end - i));
        if (role != ColumnRole::None) {
            if (found != ColumnRole::None && found != role)
                return ColumnRole::None; // "Breite/Länge": both in one column
            found = role;
        }
        i = end;
    }
    return found;
}

std::string_view roleName(ColumnRole role)
{
    switch (role) {
    case ColumnRole::Latitude:
        return "Breite";
    case ColumnRole::Longitude:
        return "Länge";
    case ColumnRole::Easting:
        return "Rechtswert";
    case ColumnRole::Northing:
        return "Hochwert";
    case ColumnRole::None:
        break;
    }
    return {};
}

ColumnRole partnerOf(ColumnRole role)
{
    switch (role) {
    case ColumnRole::Latitude:
        return ColumnRole::Longitude;
    case ColumnRole::Longitude:
        return ColumnRole::Latitude;
    case ColumnRole::Easting:
        return ColumnRole::Northing;
    case ColumnRole::Northing:
        return ColumnRole::Easting;
    case ColumnRole::None:
        break;
    }
    return ColumnRole::None;
}

bool comesFirst(ColumnRole role)
{
    return role == ColumnRole::Latitude || role == ColumnRole::Easting;
}

} // namespace zelv
