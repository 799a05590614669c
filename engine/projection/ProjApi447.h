#pragma once
// The four classic projection calls (initialise from a definition text and a
// search directory, forward, inverse, release) on top of the current PROJ
// API, which does not offer them.
//
// The handles made for one search directory share one PROJ context, whose
// search path is exactly that directory and which logs nothing to stderr: a
// rejected definition shows only as a null handle, an unprojectable point
// only as the library's error value.  The context lives as long as the
// thread that made it or a handle made in it, whichever is longer; use a
// handle on the thread that made it.  The defaults file is parsed once per
// directory and read again when it changes (another size, time, or file).
//
// Paths are byte strings in the file system's own encoding (UTF-8 here), as
// PROJ takes them; definitions are plain ASCII PROJ strings.

#include <string>
#include <string_view>

namespace zelv::proj447 {

// A geographic position in radians: lam the longitude, phi the latitude.
struct LP {
    double lam = 0;
    double phi = 0;
};

// A projected position in the projection's linear unit (metres here).
struct XY {
    double x = 0;
    double y = 0;
};

// Opaque: one PROJ context with one projection object created in it.
struct Projection;
using ProjectionHandle = Projection*;

// The defaults file that the classic library read from its search directory.
inline constexpr std::string_view defaultsFileName = "proj_def.dat";

// directory + "/" + "proj_def.dat", without adding or removing anything else
// (a trailing separator gives a doubled one, which the file system ignores).
std::string defaultsFilePath(std::string_view directory);

// Creates the projection of `definition`, looking for every file the library
// needs in `searchDirectory` only.  Unless the definition says +no_defs, the
// parameters of proj_def.dat in that directory that the definition lacks are
// added first (see withDefaults); a defaults file that is missing or
// unreadable adds nothing, so the definition must then stand on its own.
// Returns null when either text is null or the library rejects the result.
// Running out of memory is no rejected definition: std::bad_alloc goes on to
// the caller.
ProjectionHandle pj_init_plus_path(const char* definition, const char* searchDirectory);

// Forward projection, radians in, linear unit out, exactly as the library
// computes it.  A point it cannot project gives its error value HUGE_VAL in
// both coordinates; so does a null handle.
XY pj_fwd(LP lp, ProjectionHandle projection);

// Inverse projection, linear unit in, radians out; error value as pj_fwd.
LP pj_inv(XY xy, ProjectionHandle projection);

// Releases the projection and its context; null is allowed.
void pj_free(ProjectionHandle projection);

// A pipeline around `projectionDefinition` whose geographic side is shifted
// by the horizontal grid `gridFile` (an NTv2 file in the search directory):
//   "+proj=pipeline +step +inv +proj=hgridshift +grids=<gridFile> +step
//    <projectionDefinition>"
// Forward it takes longitude/latitude in the grid's target datum, shifts
// them back into the projection's datum and projects them; inverse it
// inverts the projection and shifts the result.  Both ends keep the classic
// units (radians, the projection's linear unit), as hgridshift works in
// radians.  A point outside the grid gives the error value.  The projection
// comes last, so that the defaults pj_init_plus_path appends belong to its
// step.
std::string gridShiftPipeline(std::string_view projectionDefinition, std::string_view gridFile);

// The definition with the defaults of a proj_def.dat text appended, as
// " +key=value" tokens in the file's order, the projection's own section
// (<lcc> for +proj=lcc) before <general>, so that its value wins:
// - a default whose key the definition (or an earlier default) gives is
//   skipped;
// - the keys that fix the earth's shape (ellps, datum, a, b, R, rf, f, es, e)
//   count as one: once any of them is given, no other is added, so
//   "+proj=utm +a=6378137" never gets "+ellps=WGS84" beside it;
// - a definition that says +no_defs comes back unchanged;
// - in a pipeline the section is that of the last step's projection, which
//   the appended defaults join.
// File format: "#" starts a comment to the end of the line; "<name>" starts
// a section; every other blank-separated word is a key=value pair or a bare
// flag, with or without a leading "+".  Words before the first section, and
// after a header without its closing ">", belong to no section and are
// ignored.
std::string withDefaults(std::string_view definition, std::string_view defaultsText);

} // namespace zelv::proj447
