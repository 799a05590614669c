#pragma once
// Rows of a list that lie far from the rest.  A list of places is nearly
// always of one region; a row that lands hundreds of kilometres away is
// more often a slip than a place: a Gauß-Krüger value with another zone's
// first digit, latitude and longitude in each other's columns, or a sign
// or hemisphere letter that got lost.  The position stays as it was read;
// the row only gets a note.
//
// A row is far when it lies more than 50 km from the list's median
// position (the median latitude and the median longitude) and more than
// five times as far as the median of the other rows' distances.  Lists of
// fewer than five placed rows are not judged.

#include <deque>
#include <string>
#include <vector>

namespace zelv {

// Single precision is to half a metre, and a long list holds one of these for every row.
struct PlacedRow {
    long long number; // the row's number in the table
    float latitude;
    float longitude;
    int gaussKruegerZone; // 0 when not read from Gauß-Krüger values
};

struct FarRow {
    long long number;
    std::string note; // "412 km abseits der übrigen Orte: Breite und Länge vertauscht?"
};

// In the order of `rows`.
std::vector<FarRow> farFromTheRest(const std::deque<PlacedRow>& rows);

// Great-circle distance on a sphere of 6371 km, in km.
double distanceKm(double latitude1, double longitude1, double latitude2, double longitude2);

} // namespace zelv
