#pragma once
// UTM on GRS80 for many points in a row: one projection per zone, set up on
// the zone's first use and kept, since the definition text depends on the
// zone alone.  The window's buttons rebuild their projection for every
// click (GridWorkflows.h); a list of places through this class gives the
// same values without rebuilding.
//
// Angles are decimal degrees, east and north positive; grid values are
// metres, the northing negative in the south (no false northing).

#include "CoordinateTranslator.h"
#include "GridWorkflows.h"
#include "NumberText.h"

#include <map>
#include <memory>
#include <string>

namespace zelv {

class UtmProjections {
public:
    // The data directory as TCoordinateTranslator takes it; checked here, so
    // that a missing "proj_def.dat" shows before the first point.  Throws as
    // the TCoordinateTranslator constructor.
    explicit UtmProjections(std::string dataDirectory);

    // As utmForward: the zone from the longitude (utmZone), then both grid
    // values rounded half to even.  Throws GridConversionError as
    // utmForward (a zone outside 1..60 is DefinitionRejected).
    UtmPoint forward(Extended longitude, Extended latitude);

    // As utmInverse.
    GeographicPoint inverse(int zone, Extended easting, Extended northing);

private:
    // The zone's projection, set up on first use; a zone whose definition
    // the library rejects is not kept.
    TCoordinateTranslator& zone(int zone);

    std::string dataDirectory_;
    std::map<int, std::unique_ptr<TCoordinateTranslator>> zones_;
};

} // namespace zelv
