#pragma once
// The program's command line without the window:
//
//   zelv-derarar --convert [--csv | --csv=de] [--bessel] [DATEI...]
//   zelv-derarar --convert --column=SPALTE [--name=SPALTE] [--csv | --csv=de | --kml | --gpx]
//                [--bessel] [DATEI...]
//   zelv-derarar --help
//   zelv-derarar --version
//
// --convert reads the lines of the files in turn, standard input when none
// is named and for "-", and converts them (BatchConversion.h); "--" ends
// the options, so that a file name may begin with "-".  With --column
// (--spalte) each file is a table (TableReader.h, TableText.h): every file
// is read and its columns found before anything is written, its encoding is
// said on `err`, and the table comes out row for row with the results
// appended (TableConversion.h), German when asked or when the first table
// used ";", or as KML or GPX (MapFileSink.h).  --bessel keeps the
// latitude/longitude of Gauß-Krüger lines on DHDN rather than ETRS89.  --help prints a
// German usage text that lists the notations with one example each,
// --version the program's name and version.  The arguments are those after
// the program name; texts in and out are UTF-8.
//
// Exit status: 0 when every line converted (and for --help, --version);
// 1 when any line failed; 2 for a usage error: an unknown option, no
// --convert, a file that can't be opened (each named, before any line is
// converted), a file that is no table, a column that a table lacks or has
// twice, or a data directory without "proj_def.dat".  Every message
// goes to `err`, in German, after "zelv-derarar: ".

#include <iosfwd>
#include <span>
#include <string>

namespace zelv {

inline constexpr int batchConverted = 0;
inline constexpr int batchLineFailed = 1;
inline constexpr int batchUsageError = 2;

// True when the arguments ask for the command line rather than the window:
// one of them is --convert, --help or --version.  Any other argument is left
// to the window's toolkit, which takes its own options.
bool isBatchCommand(std::span<const std::string> arguments);

// Runs the command line; returns the exit status.  `dataDirectory` is the
// projection data directory as TCoordinateTranslator takes it.
int runBatchCommand(std::span<const std::string> arguments, const std::string& dataDirectory, std::istream& in,
                    std::ostream& out, std::ostream& err);

} // namespace zelv
