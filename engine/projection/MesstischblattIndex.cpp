#include "MesstischblattIndex.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <type_traits>
#include <string_view>

namespace zelv {

namespace {

struct IndexedSheet {
    short row;
    short column;
    int nameOffset; // into sheetNameText
    int nameLength;
};

struct EnlargedSheet {
    int row;
    int column;
    double west, south, east, north;
};

#include "MesstischblattIndexTable.inc"

constexpr bool numberBefore(const IndexedSheet& a, const IndexedSheet& b)
{
    return a.row != b.row ? a.row < b.row : a.column < b.column;
}

// The lookup below searches by halves; the generator sorts, this keeps it so.
static_assert(std::is_sorted(std::begin(indexedSheets), std::end(indexedSheets), numberBefore));

const IndexedSheet* find(int row, int column)
{
    const IndexedSheet key{static_cast<short>(row), static_cast<short>(column), 0, 0};
    const auto* it = std::lower_bound(std::begin(indexedSheets), std::end(indexedSheets), key, numberBefore);
    return it != std::end(indexedSheets) && it->row == row && it->column == column ? it : nullptr;
}

// The index gives bounds to six decimals (about 0,1 m).
constexpr double boundsTolerance = 1e-6;

} // namespace

int tk25IndexRecordCount() { return indexRecordCount; }

int tk25IndexSheetCount() { return static_cast<int>(std::size(indexedSheets)); }

bool tk25SheetIndexed(int row, int column) { return find(row, column) != nullptr; }

std::string tk25SheetNames(int row, int column)
{
    const IndexedSheet* sheet = find(row, column);
    return sheet ? std::string(sheetNameText + sheet->nameOffset, static_cast<std::size_t>(sheet->nameLength))
                 : std::string();
}

std::optional<Tk25SheetNumber> tk25EnlargedSheetAt(const GeographicPoint& dhdn)
{
    for (const EnlargedSheet& sheet : enlargedSheets)
        if (dhdn.Longitude >= sheet.west - boundsTolerance && dhdn.Longitude <= sheet.east + boundsTolerance
            && dhdn.Latitude >= sheet.south - boundsTolerance && dhdn.Latitude <= sheet.north + boundsTolerance)
            return Tk25SheetNumber{sheet.row, sheet.column};
    return std::nullopt;
}

} // namespace zelv
