#include "ColumnWords.h"

#include <string>
#include <utility>

namespace zelv {

namespace {

// Lower case, as columnRoleOf compares them; upper-case letters beyond
// ASCII are listed in both forms.
constexpr std::pair<std::string_view, ColumnRole> words[] = {
    // German
    {"breite", ColumnRole::Latitude},
    {"breitengrad", ColumnRole::Latitude},
    {"länge", ColumnRole::Longitude},
    {"laenge", ColumnRole::Longitude},
    {"längengrad", ColumnRole::Longitude},
    {"rechtswert", ColumnRole::Easting},
    {"rechts", ColumnRole::Easting},
    {"r", ColumnRole::Easting},
    {"ostwert", ColumnRole::Easting},
    {"hochwert", ColumnRole::Northing},
    {"hoch", ColumnRole::Northing},
    {"h", ColumnRole::Northing},
    {"nordwert", ColumnRole::Northing},
    // English, French, and the short forms of databases
    {"latitude", ColumnRole::Latitude},
    {"lat", ColumnRole::Latitude},
    {"longitude", ColumnRole::Longitude},
    {"lon", ColumnRole::Longitude},
    {"long", ColumnRole::Longitude},
    {"lng", ColumnRole::Longitude},
    {"easting", ColumnRole::Easting},
    {"northing", ColumnRole::Northing},
    {"φ", ColumnRole::Latitude},
    {"Φ", ColumnRole::Latitude},
    {"phi", ColumnRole::Latitude},
    {"λ", ColumnRole::Longitude},
    {"Λ", ColumnRole::Longitude},
    {"lambda", ColumnRole::Longitude},
    // Polish
    {"szerokość", ColumnRole::Latitude},
    {"szerokosc", ColumnRole::Latitude},
    {"długość", ColumnRole::Longitude},
    {"Długość", ColumnRole::Longitude},
    {"dlugosc", ColumnRole::Longitude},
    // Czech and Slovak
    {"šířka", ColumnRole::Latitude},
    {"Šířka", ColumnRole::Latitude},
    {"šírka", ColumnRole::Latitude},
    {"Šírka", ColumnRole::Latitude},
    {"délka", ColumnRole::Longitude},
    {"dĺžka", ColumnRole::Longitude},
    // Lithuanian, Latvian
    {"platuma", ColumnRole::Latitude},
    {"ilguma", ColumnRole::Longitude},
    {"platums", ColumnRole::Latitude},
    {"garums", ColumnRole::Longitude},
    // Russian, Ukrainian, Belarusian
    {"широта", ColumnRole::Latitude},
    {"Широта", ColumnRole::Latitude},
    {"долгота", ColumnRole::Longitude},
    {"Долгота", ColumnRole::Longitude},
    {"довгота", ColumnRole::Longitude},
    {"Довгота", ColumnRole::Longitude},
    {"шырата", ColumnRole::Latitude},
    {"Шырата", ColumnRole::Latitude},
    {"даўгата", ColumnRole::Longitude},
    {"Даўгата", ColumnRole::Longitude},
    // Dutch, Danish, Swedish
    {"breedte", ColumnRole::Latitude},
    {"breedtegraad", ColumnRole::Latitude},
    {"lengte", ColumnRole::Longitude},
    {"lengtegraad", ColumnRole::Longitude},
    {"bredde", ColumnRole::Latitude},
    {"længde", ColumnRole::Longitude},
    {"Længde", ColumnRole::Longitude},
    {"latitud", ColumnRole::Latitude},
    {"longitud", ColumnRole::Longitude},
};

bool isWordByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

ColumnRole roleOfWord(std::string_view word)
{
    std::string lower(word);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const auto& [known, role] : words)
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
