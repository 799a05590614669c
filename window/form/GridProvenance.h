#pragma once
// Which position the values of each grid belong to.
//
// A conversion writes grid values that belong to one position: the one it
// computed them from (latitude/longitude to grid) or the one it produced
// (grid to latitude/longitude).  While the window shows another position,
// those values are stale: kept, since the user may still want to convert them
// back, but marked.  Values that the user typed or pasted into a grid, or
// whose grid the user set up anew (reference meridian, reference easting,
// datum), are input: they belong to no position and are never stale.
//
// Every path that changes what the window shows reports here with one call:
// - a grid written from the shown position, or the shown position written
//   from a grid: matchesShown(grid, position);
// - the shown position changed in any other way (typing, the clipboard, the
//   other grid): shown(position);
// - the user edited a grid: edited(grid).
// A position is the two decimal fields' values, as they read back.

#include "NumberText.h"

#include <array>
#include <optional>

namespace zelv {

enum class Grid { Utm, TransverseMercator };

struct Position {
    Extended longitude = 0;
    Extended latitude = 0;
    bool operator==(const Position&) const = default;
};

class GridProvenance {
public:
    void shown(Position position);
    void matchesShown(Grid grid, Position position);
    void edited(Grid grid);

    // The position the grid's values belong to; none for input.
    std::optional<Position> positionOf(Grid grid) const { return belongsTo_[index(grid)]; }
    // Whether the grid's values belong to a position other than the shown one.
    bool isStale(Grid grid) const;

private:
    static std::size_t index(Grid grid) { return static_cast<std::size_t>(grid); }

    // Every field starts at 0, which is no result of anything.
    Position shown_;
    std::array<std::optional<Position>, 2> belongsTo_;
};

} // namespace zelv
