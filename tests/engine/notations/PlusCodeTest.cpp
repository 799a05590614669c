// Plus Codes through the clipboard reader: the decoding rule's own test
// vectors, rows at the poles and the antimeridian, the forms that get a
// message of their own, and texts that only look like a code.
#include "EntryRows.h"
#include "InLocale.h"

namespace zelv {
namespace {

using namespace entry_rows;
constexpr ReadForm plus = ReadForm::PlusCode;

class PlusCodes : public ::testing::TestWithParam<Separators> {};

TEST_P(PlusCodes, DecodeToTheCentreOfTheirArea)
{
    const Row rows[] = {
        {"8FVC9G8F+6X", point(plus, 47.3655625, 8.5249375)},
        {"9F4MGCC4+22", point(plus, 52.5200625, 13.4050625)},
        {"9F4MGCC4+222", point(plus, 52.5200125, 13.405015625), "one grid digit: 5 rows, 4 columns"},
        {"4FRW3CGF+2JQR", point(plus, -33.9249025, 18.424097656, 1e-9)},
        {"6FG22222+22", point(plus, 0.0000625, 0.0000625)},
        {"9F4MGCC4+", point(plus, 52.52 + 1.0 / 800, 13.405 + 1.0 / 800), "eight digits: the 1/400 degree cell"},
        {"9f4mgcc4+22", point(plus, 52.5200625, 13.4050625), "small letters"},
        {"9F4MGCC4+22 Berlin", point(plus, 52.5200625, 13.4050625), "with the town"},
        {"  9F4MGCC4+22\xA0" "Frankfurt/Oder, Deutschland\r\n", point(plus, 52.5200625, 13.4050625),
         "the town may hold a slash"},
        // Poles and the antimeridian: the centre stays inside the globe.
        {"CVXXXXXX+XX", point(plus, 89.9999375, 179.9999375)},
        {"CVXXXXXX+XXX", point(plus, 89.9999875, 179.999984375), "the last row and column"},
        {"22222222+22", point(plus, -89.9999375, -179.9999375)},
        {"C2X2X2X2+X2", point(plus, 89.9999375, -179.9999375)},
        {"2V2X2X2X+2X", point(plus, -89.9999375, 179.9999375)},
        {"9F4MGCC4+22XXXXX", point(plus, 52.5200625 - 1.0 / 16000 + (1 - 1.0 / 5 / 5 / 5 / 5 / 5 / 2) / 8000,
                                    13.4050625 - 1.0 / 16000 + (1 - 1.0 / 4 / 4 / 4 / 4 / 4 / 2) / 8000),
         "fifteen digits, the most"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(PlusCodes, RecognisedButUnusable)
{
    const Row rows[] = {
        {"GCC4+22 Berlin", refused({"Plus Code", "\x84GCC4+22 Berlin\x93", "vollst\xE4ndigen"}),
         "a short code needs a reference place"},
        {"MGCC4+22", noCoordinates, "an odd number of digits before the \"+\" is no code"},
        {"4MGCC4+22 Berlin", refused({"Plus Code", "verk\xFCrzt"})},
        {"9F4M0000+", refused({"Plus Code", "Gebiet"}), "padded: an area, not a place"},
        {"9F000000+ Berlin", refused({"Plus Code", "Gebiet"})},
        {"9F4MGCC4+2", refused({"Plus Code", "nur ein Zeichen"})},
        {"9F4MGCC4+22XXXXXX", refused({"Plus Code", "15"})},
        {"F24MGCC4+22", refused({"Plus Code", "Breite", "90\xB0"}), "first latitude digit 9: 90 degrees and more"},
        {"9X4MGCC4+22", refused({"Plus Code", "L\xE4nge", "180\xB0"})},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(PlusCodes, TextsThatAreNoCode)
{
    const Row rows[] = {
        {"2+2", noCoordinates},
        {"22+22", noCoordinates, "a short code of two digits is taken for a sum"},
        {"52+13", noCoordinates},
        {"9F4MGCC4+22+", noCoordinates, "two plus signs"},
        {"9F4MGCC4-22", noCoordinates},
        {"9F4MGCC4A+22", noCoordinates, "nine digits before the plus"},
        {"9F4M0C00+", noCoordinates, "a digit inside the padding"},
        {"9F4M0000+22", noCoordinates, "digits after a padded code"},
        {"9F4MGCC4+0", noCoordinates},
        {"9F4MGDC4+22", noCoordinates, "D is no code digit"},
        {"Berlin 9F4MGCC4+22", noCoordinates, "the code comes first"},
        {"9F4MGCC4+22XXXXXXXXXXXXXXXXXXXXXXX", noCoordinates, "a word beyond 32 characters is no code"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Locales, PlusCodes, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
