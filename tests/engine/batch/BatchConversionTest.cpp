// Lists of places line by line: each line's location text or CSV row, the
// messages for lines that fail, and the command line around it (options,
// files, exit status) over string streams.
#include "BatchCommand.h"
#include "BatchConversion.h"
#include "ShippedDataDirectory.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelv {
namespace {

const std::string noCoordinates(noCoordinatesInLine);

struct Row {
    std::string line; // UTF-8
    std::string location;
    std::string csv;
    std::string germanCsv;
    std::string failure = "";
    std::string csvFailure = "";
};

TEST(BatchConversion, EachLineAsTheClipboardButtonWouldConvertIt)
{
    const Row rows[] = {
        {"50.41484, 10.76943", "liegt bei 50.41484°N 10.76943°O;",
         "50.414840,10.769430,32,625712,5586252,liegt bei 50.41484°N 10.76943°O;,5530/4,Hildburghausen",
         "50,414840;10,769430;32;625712;5586252;\"liegt bei 50.41484°N 10.76943°O;\";5530/4;Hildburghausen"},
        {"13.405 Ost, 52.52 Nord\r", "liegt bei 52.52000°N 13.40500°O;",
         "52.520000,13.405000,33,391779,5820072,liegt bei 52.52000°N 13.40500°O;,3446/3,Berlin",
         "52,520000;13,405000;33;391779;5820072;\"liegt bei 52.52000°N 13.40500°O;\";3446/3;Berlin"},
        {"52.52 Nord, 13.405 Ost", "liegt bei 52.52000°N 13.40500°O;",
         "52.520000,13.405000,33,391779,5820072,liegt bei 52.52000°N 13.40500°O;,3446/3,Berlin",
         "52,520000;13,405000;33;391779;5820072;\"liegt bei 52.52000°N 13.40500°O;\";3446/3;Berlin"},
        {"−33˚ 55′ 12,5″, 18º 25’ 26”", "liegt bei 33.92014°S 18.42389°O;",
         "-33.920139,18.423889,34,261849,-3756290,liegt bei 33.92014°S 18.42389°O;,,",
         "-33,920139;18,423889;34;261849;-3756290;\"liegt bei 33.92014°S 18.42389°O;\";;"},
        // The decimal fields' six decimals come first: 10.7694349 is shown
        // as 10.769435 and then as 10.76944, not as 10.76943.
        {"50.4148449, 10.7694349", "liegt bei 50.41484°N 10.76944°O;",
         "50.414845,10.769435,32,625712,5586253,liegt bei 50.41484°N 10.76944°O;,5530/4,Hildburghausen",
         "50,414845;10,769435;32;625712;5586253;\"liegt bei 50.41484°N 10.76944°O;\";5530/4;Hildburghausen"},
        // UTM texts through latitude/longitude, as the window's UTM button.
        {"32U 625712 5586252", "liegt bei 50.41484°N 10.76944°O;",
         "50.414837,10.769435,32,625712,5586252,liegt bei 50.41484°N 10.76944°O;,5530/4,Hildburghausen",
         "50,414837;10,769435;32;625712;5586252;\"liegt bei 50.41484°N 10.76944°O;\";5530/4;Hildburghausen"},
        {"34H 261878 6243186", "liegt bei 33.92487°S 18.42406°O;",
         "-33.924866,18.424062,34,261878,-3756814,liegt bei 33.92487°S 18.42406°O;,,",
         "-33,924866;18,424062;34;261878;-3756814;\"liegt bei 33.92487°S 18.42406°O;\";;"},
        // The forms tried last: a Wikipedia copy with its invisible marks,
        // MGRS through UTM, a Plus Code and a longitude east of Ferro.
        {"\uFEFF51°09′10″N 14°59′14″E\uFEFF / \uFEFF51.15278°N 14.98722°E\uFEFF / 51.15278; 14.98722\u200E",
         "liegt bei 51.15278°N 14.98722°O;",
         "51.152780,14.987220,33,499106,5666815,liegt bei 51.15278°N 14.98722°O;,4855/2,Görlitz",
         "51,152780;14,987220;33;499106;5666815;\"liegt bei 51.15278°N 14.98722°O;\";4855/2;Görlitz"},
        {"33UUU 91779 20072", "liegt bei 52.52000°N 13.40500°O;",
         "52.519999,13.404996,33,391779,5820072,liegt bei 52.52000°N 13.40500°O;,3446/3,Berlin",
         "52,519999;13,404996;33;391779;5820072;\"liegt bei 52.52000°N 13.40500°O;\";3446/3;Berlin"},
        {"9F4MGCC4+22 Berlin", "liegt bei 52.52006°N 13.40506°O;",
         "52.520063,13.405062,33,391784,5820079,liegt bei 52.52006°N 13.40506°O;,3446/3,Berlin",
         "52,520063;13,405062;33;391784;5820079;\"liegt bei 52.52006°N 13.40506°O;\";3446/3;Berlin"},
        {"52°31'12\"N 31°04'18\" östl. v. Ferro", "liegt bei 52.52000°N 13.40500°O;",
         "52.520000,13.405000,33,391779,5820072,liegt bei 52.52000°N 13.40500°O;,3446/3,Berlin",
         "52,520000;13,405000;33;391779;5820072;\"liegt bei 52.52000°N 13.40500°O;\";3446/3;Berlin"},
        // Nothing to read: an empty line, no message.
        {"", "", ",,,,,,,", ";;;;;;;"},
        {"\r", "", ",,,,,,,", ";;;;;;;"},
        {"Hallo", "", ",,,,,,,", ";;;;;;;", noCoordinates, noCoordinates},
        {" ", "", ",,,,,,,", ";;;;;;;", noCoordinates, noCoordinates},
        // Notation 1 stumbles on the degree signs; the position amid the
        // text is read.
        {"13.405° Ost, 52.52° Nord!", "liegt bei 52.52000°N 13.40500°O;",
         "52.520000,13.405000,33,391779,5820072,liegt bei 52.52000°N 13.40500°O;,3446/3,Berlin",
         "52,520000;13,405000;33;391779;5820072;\"liegt bei 52.52000°N 13.40500°O;\";3446/3;Berlin"},
        // Notation 4 entered, its number no number, and nothing else reads
        // the line.
        {"Lat: (51.25) Lon: (x)", "", ",,,,,,,", ";;;;;;;", "'x' ist kein gültiger Gleitkommawert",
         "'x' ist kein gültiger Gleitkommawert"},
        // No range on the five notations: a longitude off the globe has a
        // location text but no UTM zone.
        {"200 Ost, 52 Nord", "liegt bei 52.00000°N 200.00000°O;",
         "52.000000,200.000000,,,,liegt bei 52.00000°N 200.00000°O;,,",
         "52,000000;200,000000;;;;\"liegt bei 52.00000°N 200.00000°O;\";;", "", std::string(unprojectableMessage)},
    };
    // As shipped, with the datum grid: the Messtischblatt of a WGS 84
    // position goes through it.
    const test_support::ShippedDataDirectory data;
    BatchConverter location(data.path(), BatchFormat::LocationText);
    BatchConverter csv(data.path(), BatchFormat::Csv);
    BatchConverter germanCsv(data.path(), BatchFormat::GermanCsv);
    for (const Row& row : rows) {
        SCOPED_TRACE("line [" + row.line + "]");
        const ConvertedLine a = location.convertLine(row.line);
        EXPECT_EQ(a.text, row.location);
        EXPECT_EQ(a.failure, row.failure);
        const ConvertedLine b = csv.convertLine(row.line);
        EXPECT_EQ(b.text, row.csv);
        EXPECT_EQ(b.failure, row.csvFailure);
        const ConvertedLine c = germanCsv.convertLine(row.line);
        EXPECT_EQ(c.text, row.germanCsv);
        EXPECT_EQ(c.failure, row.csvFailure);
    }
}

TEST(BatchConversion, CsvCellsQuotedWhereTheyWouldSplitOrEndARow)
{
    const struct {
        std::string text;
        char delimiter;
        std::string cell;
    } cells[] = {
        {"", ';', ""},
        {"liegt bei", ';', "liegt bei"},
        {"liegt bei 52.52000°N 13.40500°O;", ';', "\"liegt bei 52.52000°N 13.40500°O;\""},
        // The other format's delimiter is plain text.
        {"liegt bei 52.52000°N 13.40500°O;", ',', "liegt bei 52.52000°N 13.40500°O;"},
        {"a,b", ',', "\"a,b\""},
        {"a,b", ';', "a,b"},
        {"sagt \"hier\"", ';', "\"sagt \"\"hier\"\"\""},
        {"\"", ',', "\"\"\"\""},
        {"zwei\nZeilen", ';', "\"zwei\nZeilen\""},
        {"zwei\r", ',', "\"zwei\r\""},
    };
    for (const auto& c : cells)
        EXPECT_EQ(csvCell(c.text, c.delimiter), c.cell) << c.text;
}

// A line in a form that is recognised but cannot be used gets that form's
// own message, in UTF-8.
TEST(BatchConversion, UnusableFormsNameTheirCause)
{
    const std::pair<const char*, const char*> rows[] = {
        {"https://maps.app.goo.gl/AbCdEfGh123", "Kurzlink"},
        {"GCC4+22 Berlin", "verkürzt"},
        {"ZGC 12345 67890", "Polargebiet"},
    };
    BatchConverter location(ZELV_SOURCE_NAD, BatchFormat::LocationText);
    for (const auto& [line, word] : rows) {
        const ConvertedLine converted = location.convertLine(line);
        EXPECT_EQ(converted.text, "") << line;
        EXPECT_NE(converted.failure.find(word), std::string::npos) << converted.failure;
        EXPECT_EQ(converted.failure.find("Zwischenablage"), std::string::npos) << converted.failure;
    }
}

// The reader sees a line in Windows-1252, where "ń" is "?" and "″" is "''";
// its messages quote the line as it stood, in UTF-8.
TEST(BatchConversion, MessagesQuoteTheLineAsItStood)
{
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"Stańczyki 54°14′30″N 21°53′30″E / 54.24222°N 21.89194°E",
         {"„54°14′30″N 21°53′30″E“", "„Stańczyki 54°14′30″N 21°53′30″E / 54.24222°N 21.89194°E“"}},
        {"13.405° Ost, 52.52° Nordpol!", {"„Nordpol“ ist keine bekannte Himmelsrichtung"}},
        {"54°14′30″N 21°53′30″E / 54.24222°N 21.89194°E", {"„54°14′30″N 21°53′30″E / 54.24222°N 21.89194°E“"}},
        {"54°43′ х. у. 20°31′ х. у.", {"„х. у.“ ist keine bekannte Himmelsrichtung"}},
        {"https://maps.app.goo.gl/Łódź", {"„https://maps.app.goo.gl/Łódź“"}},
    };
    BatchConverter location(ZELV_SOURCE_NAD, BatchFormat::LocationText);
    for (const auto& [line, quotes] : rows) {
        const ConvertedLine converted = location.convertLine(line);
        EXPECT_EQ(converted.text, "") << line;
        for (const std::string& quote : quotes)
            EXPECT_NE(converted.failure.find(quote), std::string::npos) << quote << " in: " << converted.failure;
        EXPECT_EQ(converted.failure.find('?'), std::string::npos) << converted.failure;
    }
}

TEST(BatchConversion, OneOutputLineForEveryLineAndAMessageForEachFailure)
{
    BatchConverter converter(ZELV_SOURCE_NAD, BatchFormat::LocationText);
    std::istringstream in("Hallo\r\n50.41484, 10.76943\r\n\n52\xC2\xB0" "31'N 13\xC2\xB0" "24'O\nJO62qm");
    std::ostringstream out;
    std::ostringstream messages;
    EXPECT_FALSE(converter.convertLines(in, "orte.txt", out, messages));
    EXPECT_EQ(out.str(), "\nliegt bei 50.41484°N 10.76943°O;\n\nliegt bei 52.51667°N 13.40000°O;\n\n");
    EXPECT_EQ(messages.str(), "orte.txt:1: " + noCoordinates + "\norte.txt:5: " + noCoordinates + "\n");

    // A list saved in Windows-1252: its degree signs and umlauts are read,
    // and quoted in UTF-8; a UTF-8 line beside it stays UTF-8.
    std::istringstream windows("52\xB0" "31'N 13\xB0" "24'O\r\nGr\xFCnberg 240 49.8743 10.9206\r\n52\xC2\xB0" "31'N 13\xC2\xB0" "24'O\n");
    std::ostringstream windowsOut;
    std::ostringstream windowsMessages;
    EXPECT_FALSE(converter.convertLines(windows, "orte.txt", windowsOut, windowsMessages));
    EXPECT_EQ(windowsOut.str(), "liegt bei 52.51667°N 13.40000°O;\n\nliegt bei 52.51667°N 13.40000°O;\n");
    EXPECT_NE(windowsMessages.str().find("orte.txt:2: "), std::string::npos) << windowsMessages.str();
    EXPECT_NE(windowsMessages.str().find("„Grünberg 240 49.8743 10.9206“"), std::string::npos) << windowsMessages.str();

    std::istringstream good("50.41484, 10.76943\n\n");
    std::ostringstream goodOut;
    std::ostringstream goodMessages;
    EXPECT_TRUE(converter.convertLines(good, "gut.txt", goodOut, goodMessages));
    EXPECT_EQ(goodOut.str(), "liegt bei 50.41484°N 10.76943°O;\n\n");
    EXPECT_EQ(goodMessages.str(), "");
}

// The command line with its files in a directory of its own.
class BatchCommandTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& arguments, const std::string& input = {},
            const std::string& dataDirectory = {})
    {
        std::istringstream in(input);
        out.str({});
        err.str({});
        return runBatchCommand(arguments, dataDirectory.empty() ? data.path() : dataDirectory, in, out, err);
    }
    std::string file(const std::string& name) const { return (files.path() / name).string(); }

    test_support::TemporaryDirectory files;
    test_support::ShippedDataDirectory data;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(BatchCommandTest, FilesInTurnStandardInputForDashAndWhenNoneIsNamed)
{
    files.write("eins.txt", "50.41484, 10.76943\nHallo\n");
    files.write("-zwei.txt", "geo:52.52,13.405");
    // A name that begins with "-" after "--", relative to the working directory.
    const std::filesystem::path workingDirectory = std::filesystem::current_path();
    std::filesystem::current_path(files.path());
    const int status = run({"--csv", "--convert", file("eins.txt"), "-", "--", "-zwei.txt"}, "JO62QM\n");
    std::filesystem::current_path(workingDirectory);
    EXPECT_EQ(status, batchLineFailed);
    EXPECT_EQ(out.str(), std::string(csvHeader) + "\n"
                             "50.414840,10.769430,32,625712,5586252,liegt bei 50.41484°N 10.76943°O;,5530/4,Hildburghausen\n"
                             ",,,,,,,\n"
                             "52.500000,13.333333,33,386866,5817958,liegt bei 52.50000°N 13.33333°O;,3446/3,Berlin\n"
                             "52.520000,13.405000,33,391779,5820072,liegt bei 52.52000°N 13.40500°O;,3446/3,Berlin\n");
    EXPECT_EQ(err.str(), file("eins.txt") + ":2: " + noCoordinates + "\n");

    EXPECT_EQ(run({"--convert"}, "50.41484, 10.76943\n"), batchConverted);
    EXPECT_EQ(out.str(), "liegt bei 50.41484°N 10.76943°O;\n");
    EXPECT_EQ(err.str(), "");

    EXPECT_EQ(run({"--convert", "-"}, "Hallo"), batchLineFailed);
    EXPECT_EQ(out.str(), "\n");
    EXPECT_EQ(err.str(), "(Standardeingabe):1: " + noCoordinates + "\n");
}

TEST_F(BatchCommandTest, GermanCsvStartsWithAByteOrderMarkBeforeItsHeaderOnly)
{
    files.write("eins.txt", "50.41484, 10.76943\n");
    EXPECT_EQ(run({"--convert", "--csv=de", file("eins.txt"), "-"}, "Hallo\n"), batchLineFailed);
    EXPECT_EQ(out.str(), "\xEF\xBB\xBF" "Breite;Länge;UTM-Zone;UTM-Rechtswert;UTM-Hochwert;Ortsangabe;TK25;TK25-Name\n"
                         "50,414840;10,769430;32;625712;5586252;\"liegt bei 50.41484°N 10.76943°O;\";5530/4;Hildburghausen\n"
                         ";;;;;;;\n");
    EXPECT_EQ(err.str(), "(Standardeingabe):1: " + noCoordinates + "\n");

    // Of two formats named, the last counts.
    EXPECT_EQ(run({"--convert", "--csv=de", "--csv"}, "50.41484, 10.76943\n"), batchConverted);
    EXPECT_EQ(out.str(), std::string(csvHeader) + "\n"
                             "50.414840,10.769430,32,625712,5586252,liegt bei 50.41484°N 10.76943°O;,5530/4,Hildburghausen\n");
}

TEST_F(BatchCommandTest, ExitStatusOverSeveralFilesAndDashAfterTheOptions)
{
    files.write("gut.txt", "50.41484, 10.76943\n");
    files.write("schlecht.txt", "Hallo\n");
    const struct {
        std::vector<std::string> names;
        int status;
    } cases[] = {
        {{"gut.txt", "gut.txt"}, batchConverted},
        {{"schlecht.txt", "gut.txt", "gut.txt"}, batchLineFailed}, // a failure early is not forgotten
        {{"gut.txt", "gut.txt", "schlecht.txt"}, batchLineFailed},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"--convert"};
        for (const std::string& name : c.names)
            arguments.push_back(file(name));
        EXPECT_EQ(run(arguments), c.status) << c.names.front() << " first";
        const std::string lines = out.str();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), static_cast<long>(c.names.size()));
    }

    // "-" after "--" is still standard input, not a file of that name.
    EXPECT_EQ(run({"--convert", "--", "-"}, "Hallo\n"), batchLineFailed);
    EXPECT_EQ(err.str(), "(Standardeingabe):1: " + noCoordinates + "\n");
    EXPECT_EQ(run({"--convert", file("gut.txt"), "--", "-"}, "geo:52.52,13.405\n"), batchConverted);
    EXPECT_EQ(out.str(), "liegt bei 50.41484°N 10.76943°O;\nliegt bei 52.52000°N 13.40500°O;\n");
}

TEST_F(BatchCommandTest, UsageErrorsConvertNothing)
{
    files.write("eins.txt", "50.41484, 10.76943\n");
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--convert", "--bogus"}, "zelv-derarar: unbekannte Option „--bogus“\n"},
        {{"--convert", "-x"}, "zelv-derarar: unbekannte Option „-x“\n"},
        {{"--convert", "--csv=en"}, "zelv-derarar: unbekannte Option „--csv=en“\n"},
        {{"--convert", "--csv="}, "zelv-derarar: unbekannte Option „--csv=“\n"},
        {{"--csv", file("eins.txt")}, "zelv-derarar: die Option --convert fehlt\n"},
        {{"--convert", file("eins.txt"), file("fehlt.txt"), files.string()},
         "zelv-derarar: Datei „" + file("fehlt.txt") + "“ kann nicht geöffnet werden\n"
         "zelv-derarar: Datei „" + files.string() + "“ kann nicht geöffnet werden\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        EXPECT_EQ(run(c.arguments, "50.41484, 10.76943\n"), batchUsageError);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().substr(0, c.message.size()), c.message);
    }
    // The option errors add how the command is called.
    run({"--convert", "--bogus"});
    EXPECT_NE(err.str().find("Aufruf: zelv-derarar --convert [--csv | --csv=de] [--bessel] [DATEI...]"), std::string::npos);
}

TEST_F(BatchCommandTest, DataDirectoryWithoutDefaultsIsAUsageError)
{
    EXPECT_EQ(run({"--convert"}, "50.41484, 10.76943\n", files.string()), batchUsageError);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "zelv-derarar: Initialization file \"proj_def.dat\" in path \"" + files.string() + "\" not found!\n");
}

TEST_F(BatchCommandTest, HelpListsEveryNotationAndVersionNamesTheProgram)
{
    EXPECT_EQ(run({"--help"}), batchConverted);
    const std::string help = out.str();
    EXPECT_EQ(err.str(), "");
    for (const char* text : {"Aufruf: zelv-derarar", "--convert [--csv | --csv=de] [--bessel] [DATEI...]",
                             "zelv-derarar --convert --csv=de orte.txt", "13.405 Ost, 52.52 Nord",
                             "East 12°34' North 51°23'", "JO62QM", "Lat: 51:15:00N (51.25) Lon: 1:30:00W (-1.5)",
                             "52°31'N 13°24'O", "50.41484, 10.76943", "50.41484°N 10.76943°E",
                             "50°24'53.4\"N 10°46'09.9\"E", "N 50° 24.890 E 010° 46.166",
                             "−33˚ 55′ 12,5″, 18º 25’ 26”", "geo:50.41484,10.76943",
                             "https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943", "32U 625712 5586252",
                             "R 4412345 H 5598765", "--bessel", "EPSG 1777", "location,tk25,tk25_name", "MTB 3446/3",
                             "33UUU 91779 20072", "https://www.google.com/maps?q=52.5200,13.4050",
                             "9F4MGCC4+22 Berlin", "52°31'12\"N 31°04'18\" östl. v. Ferro",
                             "Koordinaten: 51° 9′ 10″ N, 14° 59′ 14″ O",
                             "51°09′10″N 14°59′14″E / 51.15278°N 14.98722°E"})
        EXPECT_NE(help.find(text), std::string::npos) << text;

    EXPECT_EQ(run({"--convert", "--help", "--bogus"}), batchConverted);
    EXPECT_EQ(out.str(), help);

    EXPECT_EQ(run({"--version"}), batchConverted);
    const std::string version = out.str();
    ASSERT_EQ(version.rfind("zelv-derarar ", 0), 0u) << version;
    ASSERT_EQ(version.back(), '\n');
    const std::string number = version.substr(13, version.size() - 14);
    EXPECT_EQ(std::count(number.begin(), number.end(), '.'), 2) << version;
    EXPECT_EQ(number.find_first_not_of("0123456789."), std::string::npos) << version;
}

// Gauß-Krüger lines go into ETRS89 (BeTA2007, beyond it EPSG 1777) unless
// --bessel keeps them on DHDN; the Messtischblatt is the same either way.
TEST_F(BatchCommandTest, GaussKruegerIntoEtrs89OrKeptOnBessel)
{
    const std::string input = "R 4412345 H 5598765\n"
                              "6432378 5664319\n"
                              "2500000 5000000\n";
    EXPECT_EQ(run({"--convert", "--csv"}, input), batchLineFailed);
    EXPECT_EQ(out.str(), std::string(csvHeader) + "\n"
                             "50.518090,10.762560,32,624951,5597720,liegt bei 50.51809°N 10.76256°O;,5430/4,Schleusingen\n"
                             "51.109998,17.032006,33,642241,5664021,liegt bei 51.11000°N 17.03201°O;,4868/3,Breslau\n"
                             ",,,,,,,\n");
    EXPECT_EQ(err.str(), "(Standardeingabe):3: " + std::string(outsideDatumMessage) + "\n");

    EXPECT_EQ(run({"--convert", "--bessel"}, input), batchConverted);
    EXPECT_EQ(out.str(), "liegt bei 50.51929°N 10.76387°O;\n"
                         "liegt bei 51.11120°N 17.03425°O;\n"
                         "liegt bei 45.14003°N 6.00000°O;\n");
    EXPECT_EQ(err.str(), "");

    EXPECT_EQ(run({"--convert", "--bessel", "--csv"}, "6432378 5664319\n"), batchConverted);
    const std::string row = out.str();
    EXPECT_EQ(row.substr(row.size() - 16), ",4868/3,Breslau\n");
}

// A sheet number gives the centre of its quadrant or sheet on WGS 84, which
// lies on that quadrant; one that no sheet can have gets its message.
TEST_F(BatchCommandTest, SheetNumbersGiveTheCentreOfTheirSheet)
{
    EXPECT_EQ(run({"--convert", "--csv"}, "MTB 4868/3\nTK 25 Blatt 6417\nMTB 0046\nMe\xC3\x9F" "tischblatt 7835\n"),
              batchLineFailed);
    std::vector<std::string> rows;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].substr(rows[1].find(";,") + 2), "4868/3,Breslau");
    // A whole sheet's centre is the corner of its four quadrants: which one
    // the rounded position falls in is left open.
    const auto sheetAndName = [](const std::string& row) {
        std::string cells = row.substr(row.find(";,") + 2);
        return cells.erase(cells.find('/') + 1, 1);
    };
    EXPECT_EQ(sheetAndName(rows[2]), "6417/,K\xC3\xA4" "fertal / Viernheim");
    EXPECT_EQ(rows[3], ",,,,,,,");
    EXPECT_EQ(sheetAndName(rows[4]), "7835/,");
    EXPECT_NE(err.str().find("(Standardeingabe):3: In \xE2\x80\x9EMTB 0046\xE2\x80\x9C steht die Nummer 0046"),
              std::string::npos)
        << err.str();
}

// Within about 100 m south or west of a sheet line and of a quadrant line,
// where a position taken into DHDN once too often or not at all lands on the
// neighbouring sheet or quadrant.  Gauß-Krüger lines give the same sheet with
// and without --bessel; WGS 84 lines are shifted into DHDN once.
TEST_F(BatchCommandTest, MesstischblattNextToSheetAndQuadrantLines)
{
    const struct {
        std::string line;
        std::string tk25;
        const char* where;
    } rows[] = {
        // DHDN 48.99950°N 9.99951°O: 55 m south of 49°, 36 m west of 10°
        {"R 3573127 H 5429499", "7025/2", "sheet corner"},
        // DHDN 48.94950°N 9.91620°O: 55 m south of 48°57', 34 m west of 9°55'
        {"R 3567099 H 5423862", "7025/3", "quadrant corner"},
        // WGS 84, on DHDN the two corners above
        {"48.998476, 9.998335", "7025/2", "sheet corner"},
        {"48.948477, 9.915041", "7025/3", "quadrant corner"},
        // WGS 84 south-west of the corner, on DHDN 45 m north and east of it
        {"48.999372, 9.999228", "6926/3", "beyond the sheet corner"},
    };
    for (const auto& row : rows) {
        const bool gaussKrueger = row.line.front() == 'R';
        for (const bool bessel : {false, true}) {
            if (bessel && !gaussKrueger)
                continue;
            SCOPED_TRACE(row.line + (bessel ? " --bessel" : "") + ", " + row.where);
            std::vector<std::string> arguments{"--convert", "--csv"};
            if (bessel)
                arguments.push_back("--bessel");
            EXPECT_EQ(run(arguments, row.line + "\n"), batchConverted);
            const std::string csv = out.str();
            ASSERT_EQ(csv.rfind(std::string(csvHeader) + "\n", 0), 0u) << csv;
            // The tk25 column is the seventh; the sheet's name follows it.
            std::string_view cell = csv;
            cell.remove_prefix(csv.find('\n') + 1);
            for (int column = 0; column < 6; ++column)
                cell.remove_prefix(cell.find(',') + 1);
            EXPECT_EQ(cell.substr(0, cell.find(',')), row.tk25);
            EXPECT_EQ(err.str(), "");
        }
    }
}

TEST(BatchCommand, AskedForByConvertHelpOrVersion)
{
    using Args = std::vector<std::string>;
    EXPECT_TRUE(isBatchCommand(Args{"--convert"}));
    EXPECT_TRUE(isBatchCommand(Args{"orte.txt", "--help"}));
    EXPECT_TRUE(isBatchCommand(Args{"--version"}));
    EXPECT_FALSE(isBatchCommand(Args{}));
    EXPECT_FALSE(isBatchCommand(Args{"--csv"}));
    EXPECT_FALSE(isBatchCommand(Args{"-platform", "offscreen"})); // the toolkit's own
    EXPECT_FALSE(isBatchCommand(Args{"-convert"}));
}

} // namespace
} // namespace zelv
