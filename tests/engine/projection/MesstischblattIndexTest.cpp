// Every record of the shipped Messtischblatt index against the sheet rule
// and the generated table: its quadrants come back as its number, on DHDN
// and through WGS 84, its names are in the table, and the parts of an
// enlarged sheet beyond its cell give its number where that cell has no
// sheet of its own.
#include "Messtischblatt.h"
#include "MesstischblattIndex.h"
#include "ShippedDataDirectory.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace zelv {
namespace {

struct IndexRecord {
    std::string number; // as in the file: "3446", "0294,0194"
    int row = 0, column = 0;
    std::string name; // UTF-8
    double west = 0, south = 0, east = 0, north = 0;
};

std::vector<IndexRecord> readIndex()
{
    std::ifstream file(ZELV_MESSTISCHBLATT_INDEX);
    std::string line;
    std::getline(file, line);
    EXPECT_EQ(line, "blatt;name;west;sued;ost;nord;ausgabe");
    std::vector<IndexRecord> records;
    while (std::getline(file, line)) {
        std::vector<std::string> cells;
        std::stringstream row(line);
        for (std::string cell; std::getline(row, cell, ';');)
            cells.push_back(cell);
        if (cells.size() != 7) {
            ADD_FAILURE() << line;
            continue;
        }
        IndexRecord r;
        r.number = cells[0];
        const std::string first = r.number.substr(0, r.number.find(','));
        r.row = std::stoi(first.substr(0, 2));
        r.column = std::stoi(first.substr(2));
        r.name = cells[1];
        r.west = std::stod(cells[2]);
        r.south = std::stod(cells[3]);
        r.east = std::stod(cells[4]);
        r.north = std::stod(cells[5]);
        records.push_back(r);
    }
    return records;
}

class MesstischblattIndex : public ::testing::Test {
protected:
    static void SetUpTestSuite() { records = new std::vector<IndexRecord>(readIndex()); }
    static void TearDownTestSuite() { delete records; }
    static std::vector<IndexRecord>* records;
};

std::vector<IndexRecord>* MesstischblattIndex::records = nullptr;

TEST_F(MesstischblattIndex, TableHoldsEveryRecordAndName)
{
    ASSERT_EQ(records->size(), 5112u);
    EXPECT_EQ(tk25IndexRecordCount(), 5112);
    std::set<std::pair<int, int>> numbers;
    for (const IndexRecord& r : *records) {
        numbers.insert({r.row, r.column});
        EXPECT_TRUE(tk25SheetIndexed(r.row, r.column)) << r.number;
        const std::string names = " / " + fromWindows1252(tk25SheetNames(r.row, r.column)) + " / ";
        if (!r.name.empty())
            EXPECT_NE(names.find(" / " + r.name + " / "), std::string::npos) << r.number << " " << r.name;
    }
    EXPECT_EQ(tk25IndexSheetCount(), static_cast<int>(numbers.size()));
    EXPECT_EQ(numbers.size(), 4397u);
}

TEST_F(MesstischblattIndex, QuadrantCentresGiveTheirNumberOnDhdn)
{
    for (const IndexRecord& r : *records)
        for (int quadrant = 1; quadrant <= 4; ++quadrant) {
            const Tk25SheetReference reference{r.row, r.column, quadrant};
            const std::optional<Tk25Sheet> sheet = tk25SheetAt(tk25CentreOnDhdn(reference));
            ASSERT_TRUE(sheet) << r.number;
            EXPECT_EQ(tk25Text(*sheet), tk25ReferenceText(reference)) << r.number;
        }
}

TEST_F(MesstischblattIndex, QuadrantCentresGoThroughWgs84AndBack)
{
    test_support::ShippedDataDirectory data;
    const DhdnConverter dhdn(data.path());
    for (const IndexRecord& r : *records)
        for (int quadrant = 1; quadrant <= 4; ++quadrant) {
            const Tk25SheetReference reference{r.row, r.column, quadrant};
            const GeographicPoint wgs84 = tk25CentreOnWgs84(dhdn, reference).point;
            const std::optional<Tk25Sheet> sheet = tk25SheetOfWgs84(dhdn, wgs84.Longitude, wgs84.Latitude);
            ASSERT_TRUE(sheet) << r.number;
            EXPECT_EQ(tk25Text(*sheet), tk25ReferenceText(reference)) << r.number;
        }
}

// The middle of each strip by which a record reaches beyond its cell.
TEST_F(MesstischblattIndex, BeyondItsCellAnEnlargedSheetTakesCellsWithoutASheet)
{
    int strips = 0;
    for (const IndexRecord& r : *records) {
        const GeographicPoint centre = tk25CentreOnDhdn({r.row, r.column, 0});
        const double cellWest = centre.Longitude - 1 / 12.0, cellEast = centre.Longitude + 1 / 12.0;
        const double cellSouth = centre.Latitude - 0.05, cellNorth = centre.Latitude + 0.05;
        // Off the quadrant lines, which halve the cell.
        const double midLatitude = (std::max(r.south, cellSouth) + std::min(r.north, cellNorth)) / 2 + 0.013;
        const double midLongitude = (std::max(r.west, cellWest) + std::min(r.east, cellEast)) / 2 + 0.013;
        std::vector<GeographicPoint> beyond;
        if (r.west < cellWest - 1e-4)
            beyond.push_back({(r.west + cellWest) / 2, midLatitude});
        if (r.east > cellEast + 1e-4)
            beyond.push_back({(r.east + cellEast) / 2, midLatitude});
        if (r.south < cellSouth - 1e-4)
            beyond.push_back({midLongitude, (r.south + cellSouth) / 2});
        if (r.north > cellNorth + 1e-4)
            beyond.push_back({midLongitude, (r.north + cellNorth) / 2});
        for (const GeographicPoint& p : beyond) {
            ++strips;
            // The regular cell by the rule alone, and its quadrant.
            const int row = 559 - static_cast<int>(std::floor(10 * p.Latitude));
            const int column = static_cast<int>(std::floor(6 * p.Longitude)) - 34;
            const bool north = std::fmod(20 * p.Latitude, 2.0) >= 1;
            const bool east = std::fmod(12 * p.Longitude, 2.0) >= 1;
            const Tk25Sheet expected = tk25SheetIndexed(row, column)
                                           ? Tk25Sheet{row, column, (north ? 0 : 2) + (east ? 2 : 1)}
                                           : Tk25Sheet{r.row, r.column, (north ? 0 : 2) + (east ? 2 : 1)};
            const std::optional<Tk25Sheet> sheet = tk25SheetAt(p);
            ASSERT_TRUE(sheet) << r.number;
            EXPECT_EQ(tk25Text(*sheet), tk25Text(expected)) << r.number << " at " << p.Longitude << ", " << p.Latitude;
        }
    }
    EXPECT_GT(strips, 0);
}

} // namespace
} // namespace zelv
