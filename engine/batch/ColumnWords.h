#pragma once
// The header words that say which coordinate a column holds: one table
// for the command line and the dialog.  A header names a role when one of
// its words (letters between blanks, digits and marks, compared without
// case) is in the table and no word names another role: "Breite",
// "geogr. Breite (WGS 84)", "lat", "φ", "Rechtswert", "R" name theirs;
// "Breite/Länge" and "Ort" name none.  The neighbours' words are there for
// lists from Polish, Czech, Lithuanian, Russian and Dutch pages.

#include <string_view>

namespace zelv {

enum class ColumnRole { None, Latitude, Longitude, Easting, Northing };

ColumnRole columnRoleOf(std::string_view header);

// The role's German word for messages: "Breite", "Länge", "Rechtswert", "Hochwert"; empty for None.
std::string_view roleName(ColumnRole role);

// The role that pairs with this one (Latitude with Longitude, Easting with
// Northing) and which of the two comes first in a coordinate text.
ColumnRole partnerOf(ColumnRole role);
bool comesFirst(ColumnRole role);

} // namespace zelv
