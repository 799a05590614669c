#pragma once
// Lists of places converted line by line, as the window's clipboard button
// would convert each line: the clipboard reader with all its notations,
// then the location text, and for CSV the UTM values of the
// latitude/longitude-to-UTM button.  Plain C++ over streams; the command
// line (BatchCommand.h) opens the files.
//
// Lines are UTF-8 and may end in CR LF; every line gives exactly one output
// line, so that results stay aligned with their lines:
// - location text:  "liegt bei 52.51667°N 13.40000°O;"
// - CSV:            "52.516667,13.400000,33,391432,5819709,liegt bei ...;,3446/1,Berlin"
//   (latitude and longitude with six decimals and a decimal point; UTM on
//   GRS80 with the zone from the longitude, whole metres rounded half to
//   even, a southern northing negative; the Messtischblatt (TK25) sheet
//   and quadrant, empty outside the sheets, and its names in the index of
//   the series, several joined with " / ", empty where it has none);
// - CSV for German spreadsheets: the same columns under German names,
//   separated by ";", the numbers with a decimal comma, and every cell that
//   holds a ";", a quote or a line break quoted (RFC 4180), so the location
//   text, which ends in ";", is always quoted:
//                    "52,516667;13,400000;33;391432;5819709;\"liegt bei ...;\";3446/1;Berlin"
//   The command line puts a UTF-8 byte-order mark before the header, by
//   which Excel recognises the encoding;
// - a line that can't be read: an empty line, in CSV the empty row ",,,,,,,"
//   (";;;;;;;"), and a message.
// Each position passes through the window's decimal fields on the way: it
// is rounded to their six decimals before the location text and the UTM
// values are computed from it, so that both are what the window shows after
// the button, and a CSV row's UTM values follow from its own latitude and
// longitude.  A UTM text is converted to latitude/longitude first, as the
// window's UTM-to-latitude/longitude button does.  A Gauß-Krüger text
// goes through its zone's Transverse Mercator grid into ETRS89 (BeTA2007,
// beyond it EPSG 1777), since batch output goes into gazetteer records and
// web maps; with the Bessel choice it stays on DHDN, as the window does
// unticked.  A Messtischblatt number gives the centre of its sheet or
// quadrant, taken from DHDN to WGS 84 as the tk25 column is taken the
// other way.
//
// Numbers are read with German separators whatever the locale: the reader
// takes the decimal point and the decimal comma alike, and a list gives the
// same result on every machine.  An empty line (blanks count as text) is
// nothing to read, as an empty clipboard: its output line is empty and no
// message is written.

#include "DhdnDatum.h"
#include "GridWorkflows.h"
#include "UtmProjections.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace zelv {

enum class BatchFormat { LocationText, Csv, GermanCsv };

// The CSV's first line, without line end.
inline constexpr std::string_view csvHeader =
    "latitude,longitude,utm_zone,utm_easting,utm_northing,location,tk25,tk25_name";
inline constexpr std::string_view germanCsvHeader =
    "Breite;Länge;UTM-Zone;UTM-Rechtswert;UTM-Hochwert;Ortsangabe;TK25;TK25-Name";
// What opens a German CSV file: Excel reads it as UTF-8 only after this mark.
inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// One CSV cell as RFC 4180 writes it: quoted, with every quote doubled, when
// it holds the delimiter, a quote, CR or LF; else as it stands.
std::string csvCell(std::string_view text, char delimiter);
// The same, appended to `out`.
void appendCsvCell(std::string& out, std::string_view text, char delimiter);

// One converted line (UTF-8, without line end) and, for a line that failed,
// the message (UTF-8), else an empty one.  A CSV row whose UTM values can't
// be computed keeps its latitude, longitude and location text.  The
// position is the one written, as the decimal fields hold it; a Gauß-Krüger
// text also gives the zone it named, so that a list can tell a row in
// another zone.
struct ConvertedLine {
    std::string text;
    std::string failure;
    std::optional<GeographicPoint> position = std::nullopt;
    int gaussKruegerZone = 0; // 0: not read as Gauß-Krüger
};

class BatchConverter {
public:
    // Throws as UtmProjections for a data directory without "proj_def.dat".
    // `gaussKruegerDatum` is the datum of the latitude/longitude that a
    // Gauß-Krüger line gives.
    BatchConverter(std::string dataDirectory, BatchFormat format,
                   TmDatum gaussKruegerDatum = TmDatum::Etrs89Beta2007);

    // One line, UTF-8, without its line end (a trailing CR is dropped here).
    // Messages: noCoordinatesInLine where nothing reads the line, the
    // reader's refusal (Refusals.h) where it names a cause,
    // unprojectableMessage for a point the projection can't take, and
    // outsideDatumMessage for a Gauß-Krüger line that no datum shift covers.
    ConvertedLine convertLine(std::string_view line);

    // Every line of `in`: its converted line to `out`, and for a line that
    // failed "<source>:<line number>: <message>" to `messages`.  Reads and
    // writes one line at a time.  True when no line failed.
    bool convertLines(std::istream& in, std::string_view source, std::ostream& out, std::ostream& messages);

private:
    BatchFormat format_;
    TmDatum gaussKruegerDatum_;
    UtmProjections projections_;
    TCoordinateTranslator gaussKrueger_;
    DhdnConverter dhdn_;
};

// The message for a point that has no UTM values or no latitude/longitude.
inline constexpr std::string_view unprojectableMessage = "Der Punkt kann nicht projiziert werden";

// The message for a line in which no notation reads coordinates.
inline constexpr std::string_view noCoordinatesInLine = "keine lesbaren Koordinaten in dieser Zeile";

// The message for Gauß-Krüger values outside BeTA2007 and the old sheet area.
inline constexpr std::string_view outsideDatumMessage =
    "außerhalb von BeTA2007 und von 46° bis 56° N, 5°50' bis 24° O: nicht nach ETRS89 umrechenbar "
    "(mit --bessel bleibt die Lage auf Bessel)";

} // namespace zelv
