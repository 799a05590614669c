#include "BatchCommand.h"

#include "BatchConversion.h"
#include "Exception.h"
#include "MapFileSink.h"
#include "TableConversion.h"
#include "TableReader.h"
#include "TableSetup.h"
#include "TableText.h"
#include "Windows1252.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <istream>
#include <iterator>
#include <memory>
#include <ostream>
#include <optional>
#include <sstream>
#include <algorithm>
#include <variant>
#include <string_view>
#include <system_error>
#include <vector>

#ifndef ZELV_VERSION
#error "ZELV_VERSION is set by the build"
#endif

namespace zelv {

namespace {

constexpr std::string_view programName = "zelv-derarar";
constexpr std::string_view standardInputName = "(Standardeingabe)";

// The command line's own texts are UTF-8, as its output, not Windows-1252
// like the engine's: they never pass through the engine.
constexpr std::string_view usageLine =
    "Aufruf: zelv-derarar --convert [--csv | --csv=de] [--bessel] [DATEI...]\n"
    "        zelv-derarar --convert --column=SPALTE [--name=SPALTE] [--csv | --csv=de | --kml | --gpx]\n"
    "                     [--bessel] [DATEI...]\n";

constexpr std::string_view helpText = R"(Aufruf: zelv-derarar                              öffnet das Fenster
       zelv-derarar --convert [--csv | --csv=de] [--bessel] [DATEI...]
                                                 rechnet Zeilen um
       zelv-derarar --convert --column=SPALTE [--name=SPALTE]
                    [--csv | --csv=de | --kml | --gpx] [--bessel] [DATEI...]
                                                 rechnet eine Tabelle um
       zelv-derarar --help | --version

Mit --convert liest zelv-derarar die Zeilen der DATEIen nacheinander, die
Standardeingabe, wenn keine DATEI genannt ist, und für „-“. Jede Zeile wird
gelesen wie von der Schaltfläche „Koordinaten aus Zwischenablage holen und
konvertieren“ und umgerechnet; für jede Zeile kommt genau eine Zeile heraus:
die ZELV-Ortsangabe (liegt bei 52.51667°N 13.40000°O;), mit --csv nach einer
Kopfzeile die Spalten
  latitude,longitude,utm_zone,utm_easting,utm_northing,location,tk25,tk25_name
(Breite und Länge mit sechs Nachkommastellen und Dezimalpunkt; UTM auf GRS80,
Zone aus der Länge, ganze Meter, im Süden negative Hochwerte; tk25 ist das
Messtischblatt mit Quadrant, z.B. 3446/3, leer außerhalb der TK25-Blätter,
östlich von 22°20' fünfstellig, z.B. 13102/1; tk25_name sein Name, z.B.
Berlin, mehrere Namen eines Blatts mit „ / “, die jüngste Ausgabe zuerst).
Eine Zeile ohne lesbare Koordinaten gibt eine leere Zeile (mit --csv
„,,,,,,,“) und auf der Standardfehlerausgabe eine Meldung mit Datei und
Zeilennummer. Die Zeilen dürfen UTF-8 oder Windows-1252 sein.

Die Blattnamen stammen aus dem Blattverzeichnis der Preußischen
Landesaufnahme (American Geographical Society Library, Milwaukee). Bayerns
Blätter (etwa 7835 München) fehlen darin: Dort bleibt tk25_name leer, die
Nummer stimmt trotzdem.

Gauß-Krüger-Werte alter Karten werden nach ETRS89 umgerechnet (in
Deutschland mit BeTA2007, von 46° bis 56° N und 5°50' bis 24° O sonst mit
der Näherung EPSG 1777), denn die Ausgabe geht in Ortsangaben und
Webkarten; mit --bessel bleibt die Lage auf Bessel (DHDN), bis gut 260 m
neben WGS 84.

Mit --csv=de entsteht CSV für deutsche Tabellenprogramme (LibreOffice Calc,
Excel): Semikolon zwischen den Spalten
  Breite;Länge;UTM-Zone;UTM-Rechtswert;UTM-Hochwert;Ortsangabe;TK25;TK25-Name
Dezimalkomma in den Zahlen, UTF-8 mit Byte-Order-Mark, die Ortsangabe in
Anführungszeichen (sie endet mit „;“). Eine Zeile ohne Koordinaten gibt „;;;;;;;“.

Tabellen (Ortslisten aus Tabellenprogrammen, Ortsfamilienbüchern oder
Ahnenprogrammen): mit --column=SPALTE (gleich --spalte=SPALTE) liest
zelv-derarar jede DATEI als Tabelle und rechnet die Koordinaten der
genannten Spalte um. Die SPALTE ist ein Name aus der Kopfzeile oder eine
Nummer (1 = erste Spalte); zwei Spalten, durch Komma getrennt
(--column=Breite,Länge oder --spalte=Rechtswert,Hochwert), werden
zusammen gelesen, die erste zuerst; sagen die Namen der Kopfzeile (Breite,
Länge, lat, lon, Rechtswert, Hochwert, R, H …), welche die Breite oder der
Rechtswert ist, gilt das, in welcher Reihenfolge sie auch genannt sind.
Eine Nummer jenseits der Tabelle und ein Name, den zwei Spalten tragen,
sind Aufruffehler. Das Trennzeichen („;“, Tabulator oder
„,“) wird erkannt, Zellen in Anführungszeichen dürfen Trennzeichen und
Zeilenumbrüche enthalten. Die Datei darf UTF-8 (mit oder ohne
Byte-Order-Mark) oder Windows-1252 sein, wie Excel „CSV (Trennzeichen-
getrennt)“ speichert; was erkannt wurde, steht auf der Standardfehlerausgabe.
Leere Dateien, Bilder und andere Nicht-Tabellen sowie Zeilen über 64 kB
werden abgelehnt, bevor etwas geschrieben wird.
Heraus kommt dieselbe Tabelle, Zeile für Zeile, mit den Ergebnisspalten
und der Spalte „Hinweis“ (note) angehängt; keine Zeile kommt hinzu oder
fällt weg. Eine Zeile ohne lesbare Koordinaten behält ihre Zellen, bekommt
leere Ergebnisse, den Grund als Hinweis und eine Meldung mit Zeilennummer
und Text. Einen Hinweis bekommen auch zweifelhafte Zeilen: „?“ statt ′ ″
nach dem Speichern in Windows-1252, ein Wert gegen den Namen seiner
Spalte, ein Ort weit abseits der übrigen (mit dem wahrscheinlichen Grund).
Hat die Tabelle „;“ als Trennzeichen oder steht --csv=de, wird sie für
deutsche Tabellenprogramme geschrieben, sonst mit „,“; eine Byte-Order-Mark
der Eingabe bleibt. Mit --kml entsteht eine Datei für Google Earth, mit --gpx eine für
GPS-Geräte: ein Ort je umgerechneter Zeile, benannt nach der Spalte
--name=SPALTE (sonst nach der Zeilennummer), beschrieben mit Ortsangabe und
Messtischblatt.

Optionen:
  --convert   Zeilen umrechnen, ohne Fenster
  --column=SPALTE, --spalte=SPALTE
              eine Tabelle lesen, die Koordinaten aus dieser Spalte (oder
              zwei Spalten, durch Komma getrennt)
  --name=SPALTE
              die Spalte mit dem Namen des Ortes (für --kml und --gpx)
  --csv       CSV statt Ortsangaben schreiben
  --csv=de    CSV für deutsche Tabellenprogramme schreiben
  --kml       KML für Google Earth schreiben (nur mit --column)
  --gpx       GPX für GPS-Geräte schreiben (nur mit --column)
  --bessel    Gauß-Krüger-Werte auf Bessel (DHDN) lassen, nicht nach ETRS89
  --help      diese Hilfe zeigen
  --version   die Version zeigen
  --          Ende der Optionen (für Dateinamen, die mit „-“ beginnen)

Schreibweisen (Dezimalpunkt oder Dezimalkomma; die ersten fünf gehen vor):
  Ost/West, Nord/Süd, Dezimalgrad        13.405 Ost, 52.52 Nord
  East/West, North/South, Grad/Minuten   East 12°34' North 51°23'
  Maidenhead-Locator                     JO62QM
  Lat:/Lon: mit Dezimalgrad in Klammern  Lat: 51:15:00N (51.25) Lon: 1:30:00W (-1.5)
  Grad/Minuten mit N/S und O/W           52°31'N 13°24'O
  Dezimalgrad-Paar, Breite zuerst        50.41484, 10.76943
  Dezimalgrad mit Himmelsrichtung       50.41484°N 10.76943°E
  Grad, Minuten und Sekunden             50°24'53.4"N 10°46'09.9"E
  Grad und Dezimalminuten                N 50° 24.890 E 010° 46.166
  getippte und gesetzte Zeichen          −33˚ 55′ 12,5″, 18º 25’ 26”
  geo:-URI                               geo:50.41484,10.76943
  OpenStreetMap- und Google-Maps-Links   https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943
  UTM mit Breitenband                    32U 625712 5586252
  Gauß-Krüger, Rechtswert zuerst         R 4412345 H 5598765   4412345 5598765
  MGRS-Planquadrat (Mitte, ganze Meter)  33UUU 91779 20072
  Google-, Apple- und Bing-Kartenlinks   https://www.google.com/maps?q=52.5200,13.4050
  Plus Code, vollständig                 9F4MGCC4+22 Berlin
  Länge östlich von Ferro                52°31'12"N 31°04'18" östl. v. Ferro
  mit Vorsatz wie „Koordinaten:“         Koordinaten: 51° 9′ 10″ N, 14° 59′ 14″ O
  dieselbe Lage mehrfach, mit „/“        51°09′10″N 14°59′14″E / 51.15278°N 14.98722°E
  Messtischblatt, mit Quadrant           MTB 3446/3   TK 25 Blatt 4868, Quadrant 3   3446-3
    (Wörter: MTB, TK25, TK 25, Messtischblatt, Meßtischblatt, Blatt, Nr.; eine
    Nummer allein wie 3446 wird nicht gelesen; Ergebnis ist die Mitte des
    Quadranten oder Blatts, auf etwa 3 bzw. 6 km genau)

Beispiele: eine Liste von Koordinaten, die sich in LibreOffice Calc oder
Excel als Tabelle öffnet:
  zelv-derarar --convert --csv=de orte.txt > orte-tabelle.csv
eine Tabelle Ort;Kreis;Koordinaten mit den Ergebnissen in weiteren Spalten:
  zelv-derarar --convert --spalte=Koordinaten orte.csv > orte-umgerechnet.csv
dieselben Orte für Google Earth, benannt nach der Spalte „Ort“:
  zelv-derarar --convert --spalte=Koordinaten --name=Ort --kml orte.csv > orte.kml

Rückgabewert: 0 alle Zeilen umgerechnet, 1 mindestens eine Zeile nicht,
2 Aufruffehler (unbekannte Option, Datei nicht lesbar oder keine Tabelle,
Spalte nicht gefunden oder doppelt, Ordner „nad“ mit „proj_def.dat“ neben
dem Programm fehlt).
)";

enum class Output { Default, Csv, GermanCsv, Kml, Gpx };

struct Invocation {
    bool convert = false;
    Output output = Output::Default;
    std::string columns; // empty: one notation per line
    std::string name;
    TmDatum gaussKruegerDatum = TmDatum::Etrs89Beta2007;
    std::vector<std::string> files;
};

std::ostream& message(std::ostream& err)
{
    return err << programName << ": ";
}

int usageError(std::ostream& err, std::string_view what)
{
    message(err) << what << '\n' << usageLine << "Mehr mit „zelv-derarar --help“.\n";
    return batchUsageError;
}

bool canOpen(const std::string& file)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored))
        return false;
    return std::ifstream(file, std::ios::binary).is_open();
}

void reportCannotOpen(std::ostream& err, const std::string& file)
{
    message(err) << "Datei „" << file << "“ kann nicht geöffnet werden\n";
}

bool isStandardInput(const std::string& file) { return file == "-"; }

// The value of an option of the form "--key=value", for any of the keys.
std::optional<std::string> optionValue(std::string_view argument, std::initializer_list<std::string_view> keys)
{
    for (const std::string_view key : keys)
        if (argument.starts_with(key))
            return std::string(argument.substr(key.size()));
    return std::nullopt;
}

BatchFormat lineFormat(Output output)
{
    switch (output) {
    case Output::Csv:
        return BatchFormat::Csv;
    case Output::GermanCsv:
        return BatchFormat::GermanCsv;
    default:
        return BatchFormat::LocationText;
    }
}

// The table's format: as asked, else German when the (first) table used ";".
TableOutput tableOutput(Output output, char firstDelimiter)
{
    switch (output) {
    case Output::Csv:
        return TableOutput::Csv;
    case Output::GermanCsv:
        return TableOutput::GermanCsv;
    case Output::Kml:
        return TableOutput::Kml;
    case Output::Gpx:
        return TableOutput::Gpx;
    case Output::Default:
        break;
    }
    return firstDelimiter == ';' ? TableOutput::GermanCsv : TableOutput::Csv;
}

struct ConvertedTable {
    std::string source;
    std::unique_ptr<TableConversion> conversion;
};

// Every file is read as a table and converted before anything is written,
// so that a wrong column name or a file that is no table costs no
// half-written output.  The rows stream from the file into the conversion;
// the columns are found in the first rows.
int convertTables(const Invocation& invocation, const std::string& dataDirectory, std::istream& in,
                  std::ostream& out, std::ostream& err)
{
    constexpr std::size_t sampleRows = 200;
    const std::vector<std::string> coordinates = splitColumnList(invocation.columns);
    std::optional<BatchConverter> converter;
    TableOutput output = TableOutput::Csv;
    bool byteOrderMark = false;
    std::vector<ConvertedTable> tables;
    for (const std::string& file : invocation.files) {
        const std::string source = isStandardInput(file) ? std::string(standardInputName) : file;
        std::ifstream stream;
        if (!isStandardInput(file)) {
            stream.open(file, std::ios::binary);
            if (!stream) {
                reportCannotOpen(err, file);
                return batchUsageError;
            }
        }
        TableRowReader reader(isStandardInput(file) ? in : stream);
        if (!reader.refusal().empty()) {
            message(err) << "Datei „" << source << "“ " << reader.refusal() << '\n';
            return batchUsageError;
        }
        message(err) << source << ": gelesen als " << encodingName(reader.encoding()) << '\n';
        std::vector<TableRow> sample;
        for (TableRow row; sample.size() < sampleRows && reader.next(row);)
            sample.push_back(std::move(row));
        auto columns = chooseColumns(sample, coordinates, invocation.name);
        if (const auto* error = std::get_if<std::string>(&columns))
            return usageError(err, source + ": " + *error);
        const TableColumns& chosen = std::get<TableColumns>(columns);
        if (!chosen.orderNote.empty())
            message(err) << source << ": " << chosen.orderNote << '\n';
        if (!converter) {
            output = tableOutput(invocation.output, reader.delimiter());
            byteOrderMark = reader.encoding() == TableEncoding::Utf8WithByteOrderMark;
            try {
                converter.emplace(dataDirectory, converterFormatOf(output), invocation.gaussKruegerDatum);
            } catch (const Exception& error) {
                message(err) << fromWindows1252(error.message()) << '\n';
                return batchUsageError;
            }
        }
        auto conversion = std::make_unique<TableConversion>(*converter, chosen);
        for (TableRow& row : sample)
            conversion->add(std::move(row));
        for (TableRow row; reader.next(row);)
            conversion->add(std::move(row));
        if (!reader.error().empty()) {
            message(err) << source << ": " << reader.error() << '\n';
            return batchUsageError;
        }
        tables.push_back({source, std::move(conversion)});
    }

    const std::string title = tables.size() == 1 ? tables.front().source : std::string(programName);
    const std::unique_ptr<TableSink> sink =
        makeTableSink(out, output, title, byteOrderMark, invocation.gaussKruegerDatum);
    int status = batchConverted;
    for (ConvertedTable& table : tables)
        if (!table.conversion->write(*sink, err, table.source) || table.conversion->failed() > 0)
            status = batchLineFailed;
    sink->finish();
    out.flush();
    return status;
}

// For a usage error without --column: the columns that the first named
// file suggests, as "; für „orte.csv“ passt vermutlich --column=Breite,Länge".
std::string columnSuggestion(const Invocation& invocation, const std::string& dataDirectory)
{
    const auto file = std::ranges::find_if(invocation.files, [](const std::string& f) { return !isStandardInput(f); });
    if (file == invocation.files.end())
        return {};
    std::ifstream stream(*file, std::ios::binary);
    TableRowReader reader(stream);
    std::vector<TableRow> rows;
    for (TableRow row; rows.size() < 50 && reader.next(row);)
        rows.push_back(std::move(row));
    try {
        BatchConverter converter(dataDirectory, BatchFormat::LocationText);
        const GuessedColumns guess = guessColumns(rows, converter);
        if (guess.coordinates.empty())
            return {};
        std::string suggestion = "; für „" + *file + "“ passt vermutlich --column=" + columnOption(rows, guess.coordinates);
        if (guess.name && invocation.name.empty())
            suggestion += " --name=" + columnOption(rows, {*guess.name});
        return suggestion;
    } catch (const Exception&) {
        return {};
    }
}

} // namespace

bool isBatchCommand(std::span<const std::string> arguments)
{
    for (const std::string& argument : arguments)
        if (argument == "--convert" || argument == "--help" || argument == "--version")
            return true;
    return false;
}

int runBatchCommand(std::span<const std::string> arguments, const std::string& dataDirectory, std::istream& in,
                    std::ostream& out, std::ostream& err)
{
    Invocation invocation;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (!options || argument == "-" || !argument.starts_with('-')) {
            invocation.files.push_back(argument);
        } else if (argument == "--") {
            options = false;
        } else if (argument == "--help") {
            out << helpText;
            return batchConverted;
        } else if (argument == "--version") {
            out << programName << ' ' << ZELV_VERSION << '\n';
            return batchConverted;
        } else if (argument == "--convert") {
            invocation.convert = true;
        } else if (argument == "--csv") {
            invocation.output = Output::Csv;
        } else if (argument == "--csv=de") {
            invocation.output = Output::GermanCsv;
        } else if (argument == "--kml") {
            invocation.output = Output::Kml;
        } else if (argument == "--gpx") {
            invocation.output = Output::Gpx;
        } else if (const auto value = optionValue(argument, {"--column=", "--spalte="})) {
            invocation.columns = *value;
        } else if (const auto value = optionValue(argument, {"--name="})) {
            invocation.name = *value;
        } else if (argument == "--bessel") {
            invocation.gaussKruegerDatum = TmDatum::Bessel;
        } else {
            return usageError(err, "unbekannte Option „" + argument + "“");
        }
    }
    if (!invocation.convert)
        return usageError(err, "die Option --convert fehlt");
    if (invocation.columns.empty() && (invocation.output == Output::Kml || invocation.output == Output::Gpx))
        return usageError(err, "--kml und --gpx brauchen --column" + columnSuggestion(invocation, dataDirectory));
    if (invocation.columns.empty() && !invocation.name.empty())
        return usageError(err, "--name braucht --column" + columnSuggestion(invocation, dataDirectory));
    if (invocation.files.empty())
        invocation.files.emplace_back("-");

    // Every file is checked before the first line, so that a mistyped name
    // costs no half-written output.
    bool allOpen = true;
    for (const std::string& file : invocation.files) {
        if (!isStandardInput(file) && !canOpen(file)) {
            reportCannotOpen(err, file);
            allOpen = false;
        }
    }
    if (!allOpen)
        return batchUsageError;

    if (!invocation.columns.empty())
        return convertTables(invocation, dataDirectory, in, out, err);

    std::optional<BatchConverter> converter;
    const BatchFormat format = lineFormat(invocation.output);
    try {
        converter.emplace(dataDirectory, format, invocation.gaussKruegerDatum);
    } catch (const Exception& error) {
        message(err) << fromWindows1252(error.message()) << '\n';
        return batchUsageError;
    }

    if (format == BatchFormat::Csv)
        out << csvHeader << '\n';
    else if (format == BatchFormat::GermanCsv)
        out << utf8ByteOrderMark << germanCsvHeader << '\n';
    int status = batchConverted;
    for (const std::string& file : invocation.files) {
        bool converted = true;
        if (isStandardInput(file)) {
            converted = converter->convertLines(in, standardInputName, out, err);
        } else {
            std::ifstream stream(file, std::ios::binary);
            if (!stream) { // gone since the check
                reportCannotOpen(err, file);
                return batchUsageError;
            }
            converted = converter->convertLines(stream, file, out, err);
        }
        if (!converted)
            status = batchLineFailed;
    }
    out.flush();
    return status;
}

} // namespace zelv
