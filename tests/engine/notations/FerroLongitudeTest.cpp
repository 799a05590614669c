// Longitudes east of Ferro through the clipboard reader: every mark, the
// notations before it, and the texts that get a message of their own.
#include "EntryRows.h"
#include "InLocale.h"

namespace zelv {
namespace {

using namespace entry_rows;

constexpr double dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

class FerroLongitudes : public ::testing::TestWithParam<Separators> {};

TEST_P(FerroLongitudes, TurnIntoGreenwich)
{
    const double latitude = dms(52, 31, 12);
    const double berlin = dms(13, 24, 18); // 31°04'18" east of Ferro
    const Row rows[] = {
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" \xF6stl. v. Ferro", point(ReadForm::Pair, latitude, berlin)},
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" \xF6stlich von Ferro", point(ReadForm::Pair, latitude, berlin)},
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" \xF6. v. F.", point(ReadForm::Pair, latitude, berlin)},
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" \xF6. F.", point(ReadForm::Pair, latitude, berlin)},
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" E of Ferro", point(ReadForm::Pair, latitude, berlin)},
        {"52\xB0" "31'12\"N, 31\xB0" "04'18\"\xF6. v. Ferro",
         point(ReadForm::Pair, latitude, berlin), "no blank before"},
        {"31\xB0" "04'18\" \xF6stl. v. Ferro, 52\xB0" "31'12\"N",
         point(ReadForm::Pair, latitude, berlin), "longitude first"},
        {"52.52 N 31.07 \xF6. F.", point(ReadForm::Pair, 52.52, 31.07 - 17 - 40.0 / 60, 1e-12), "decimal degrees"},
        {"52\xB0" "31'N 31\xB0" "04' \xF6. F.",
         point(ReadForm::Pair, dms(52, 31, 0), dms(13, 24, 0)), "degrees and minutes"},
        {"47\xB0" "N 10\xB0" " \xF6. F.",
         point(ReadForm::Pair, 47, -7 - 40.0 / 60), "west of Greenwich, east of Ferro"},
        {"Lage: 52\xB0" "31'12\"N 31\xB0" "04'18\" \xF6stl. v. Ferro",
         point(ReadForm::Pair, latitude, berlin), "with a label"},
        {"31 Ost \xF6. F., 52 Nord", fixed(1, 52, 31), "notation 1 reads it first and keeps its result"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(FerroLongitudes, RecognisedButUnusable)
{
    const Row rows[] = {
        {"52\xB0" "31'12\"N 31\xB0" "04'18\"E \xF6. F.", refused({"Ferro", "nicht lesbar"}),
         "a second east mark"},
        {"Blatt 3546 \xF6. v. Ferro", refused({"Ferro", "nicht lesbar"})},
        {"95\xB0" "N 31\xB0" " \xF6. F.", refused({"Ferro"}), "a latitude beyond 90 degrees"},
        // Notation 5 has no range of its own; a Ferro position off the globe
        // used to come out as a position.
        {"52\xB0" "31'N 200\xB0" "04'\xF6. F.", refused({"L\xE4nge", "Ferro", "180\xB0"})},
        {"95\xB0" "31'N 31\xB0" "04'\xF6. F.", refused({"Breite", "90\xB0"})},
        // Regression: notation 1 read the text with the German decimal comma
        // only; the notations inside a Ferro text read the same everywhere.
        {"13 Ost, 52,52 \xF6. v. F.Nord", refused({"Ferro", "nicht lesbar"})},
        {"52\xB0" "N 31\xB0" " \xF6. F. 30\xB0" " \xF6. F.", refused({"Ferro", "mehr als eine"})},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(FerroLongitudes, MarksThatAreNoFerroMark)
{
    const Row rows[] = {
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" \xF6stl. v. Paris",
         refused({"\x84\xF6stl. v. Paris\x93", "Himmelsrichtung"}),
         "another prime meridian: the words are named"},
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" W of Ferro",
         refused(RefusalKind::FerroWest, {"\x84" "31\xB0" "04'18\" W of Ferro\x93", "westlich von Ferro"})},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Locales, FerroLongitudes, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
