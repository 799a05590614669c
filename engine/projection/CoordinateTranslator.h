#pragma once
// The projection service: the system's one gateway to the projection
// library.  It holds one projection at a time, converts degrees (its callers'
// unit) to and from radians (the library's), and passes everything else
// through untouched.  The library's error values stay behind this edge:
// its callers get a finite result or a GridConversionError.

#include "ProjApi447.h"

#include <memory>
#include <string>

namespace zelv {

// A projected position in metres: X the easting, Y the northing.
struct ProjectedPoint {
    double X = 0;
    double Y = 0;
};

// A geographic position in decimal degrees, east and north positive.
struct GeographicPoint {
    double Longitude = 0;
    double Latitude = 0;
};

// Degree/radian factors: extended values, the product rounded to double.
inline constexpr long double degreesToRadians = 0.0174532925199432958L;
inline constexpr long double radiansToDegrees = 57.29577951308232L;

class TCoordinateTranslator {
public:
    // Initialises "+proj=lcc +ellps=WGS84" on `dataDirectory`, which must hold
    // "proj_def.dat" (its <lcc> section supplies the standard parallels).
    // The directory is a path in the file system's encoding (UTF-8 here); the
    // library looks for its files there and nowhere else.
    // Throws:
    // - zelv::Exception "Initialization file \"proj_def.dat\" in path
    //   \"<dir>\" not found!", with the directory exactly as passed (as
    //   Windows-1252 text);
    // - GridConversionError DefinitionRejected "Initialization of proj
    //   toolkit failed!" when the library rejects the start-up definition.
    explicit TCoordinateTranslator(const std::string& dataDirectory);
    ~TCoordinateTranslator();

    TCoordinateTranslator(const TCoordinateTranslator&) = delete;
    TCoordinateTranslator& operator=(const TCoordinateTranslator&) = delete;

    // Replaces the projection.  The old one is released first, so a rejected
    // definition (GridConversionError DefinitionRejected, "Initialization of
    // proj toolkit failed!") leaves the service empty until the next
    // accepted one.
    void SetDefinition(const std::string& definition);

    // Degrees in, metres out, exactly as the library computes them.
    // Throws GridConversionError:
    // - PointNotProjectable when either coordinate of the result is not
    //   finite (the library's error value for a point it can't project);
    //   the projection stays usable;
    // - ServiceEmpty "Initialization of proj toolkit failed!" when the
    //   service holds no projection.
    ProjectedPoint Forward(double longitude, double latitude) const;

    // Metres in, degrees out; throws as Forward.
    GeographicPoint Inverse(double x, double y) const;

private:
    struct FreeProjection {
        void operator()(proj447::ProjectionHandle handle) const { proj447::pj_free(handle); }
    };

    std::unique_ptr<proj447::Projection, FreeProjection> handle_;
    std::string initialDefinition_;
    std::string dataDirectory_;
};

} // namespace zelv
