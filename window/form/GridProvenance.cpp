#include "GridProvenance.h"

namespace zelv {

void GridProvenance::shown(Position position)
{
    shown_ = position;
}

void GridProvenance::matchesShown(Grid grid, Position position)
{
    shown_ = position;
    belongsTo_[index(grid)] = position;
}

void GridProvenance::edited(Grid grid)
{
    belongsTo_[index(grid)].reset();
}

bool GridProvenance::isStale(Grid grid) const
{
    const std::optional<Position>& position = belongsTo_[index(grid)];
    return position && *position != shown_;
}

} // namespace zelv
