// Messtischblatt numbers read as a place: the written forms, what is not
// read, the numbers no sheet can have, and the way through the whole
// clipboard reader after every other form.
#include "EntryRows.h"
#include "MesstischblattText.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace zelv {
namespace {

std::string readAs(std::string_view text)
{
    const FormResult<Tk25SheetReference> result = readMesstischblattText(text);
    if (const auto* sheet = std::get_if<Tk25SheetReference>(&result))
        return tk25ReferenceText(*sheet);
    if (const auto* refusal = std::get_if<Refusal>(&result))
        return "refused: " + refusalMessage(*refusal);
    return "nothing";
}

TEST(MesstischblattText, WrittenForms)
{
    const struct {
        const char* text;
        const char* sheet;
    } cases[] = {
        {"MTB 3446", "3446"},
        {"MTB 3446/3", "3446/3"},
        {"TK25 3446", "3446"},
        {"TK 25 Blatt 3446", "3446"},
        {"Messtischblatt 3446", "3446"},
        {"Me\xDFtischblatt Nr. 3446", "3446"},
        {"Blatt 3446 Quadrant 3", "3446/3"},
        {"TK 25 Blatt 4868, Quadrant 3", "4868/3"},
        {"Messtischblatt 3446/3", "3446/3"},
        {"3446-3", "3446/3"},
        {"MTB 3446-4", "3446/4"},
        {"  mtb:\xA0" "1289 ", "1289"},
        {"TK 2544", "2544"},
        {"MTB 13102/1", "13102/1"},
        {"MTB 6000", "6000"},
        {"Me\xDFtischblatt 3759 Schwiebus", "3759"},
        {"MTB 3446/3 Berlin", "3446/3"},
        {"Blatt Nr. 3446, Qu. 2", "3446/2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAs(c.text), c.sheet) << c.text;
}

TEST(MesstischblattText, NotASheet)
{
    const char* const cases[] = {
        "3446",          // a number alone is too easily something else
        "3446/3",        // and with a quadrant but no word
        "3446 Berlin",   //
        "0046-3",        // no word, no sheet: not this form at all
        "3446-7",        //
        "MTB",           //
        "MTB Berlin",    //
        "MTB 3446 12",   // a second number is no name
        "MTB 3446/",     //
        "MTB3446",       // the word runs into the number
        "Blattlaus 3446" //
    };
    for (const char* text : cases)
        EXPECT_EQ(readAs(text), "nothing") << text;
}

TEST(MesstischblattText, NumbersNoSheetCanHaveGetAMessageNamingThem)
{
    const struct {
        const char* text;
        const char* named;
    } cases[] = {
        {"MTB 0046", "Nummer 0046"},    // row 00
        {"MTB 34110", "Nummer 34110"},  // column beyond 109
        {"MTB 34046", "Nummer 34046"},  // five digits with a two-digit column
        {"TK25 346", "Nummer 346"},     // three digits
        {"MTB 100101", "Nummer 100101"}, // row beyond 99
        {"MTB 3446/5", "Quadrant 5"},
        {"Blatt 3446 Quadrant 0", "Quadrant 0"},
    };
    for (const auto& c : cases) {
        const FormResult<Tk25SheetReference> result = readMesstischblattText(c.text);
        const auto* refusal = std::get_if<Refusal>(&result);
        ASSERT_NE(refusal, nullptr) << c.text << ": no refusal";
        const std::string message = refusalMessage(*refusal);
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
    }
}

TEST(MesstischblattText, ThroughTheClipboardReaderAfterEveryOtherForm)
{
    using namespace entry_rows;
    const Row rows[] = {
        {"MTB 4868/3", sheet("4868/3")},
        {"3446-3", sheet("3446/3")},
        {"TK 25 Blatt 4868, Quadrant 3", sheet("4868/3")},
        {"Blatt 3446 Quadrant 3", sheet("3446/3")},
        {"3446", noCoordinates, "a number alone"},
        {"MTB 0046", refused({"Nummer 0046"})},
        {"50.41484, 10.76943", point(ReadForm::Pair, 50.41484, 10.76943), "other forms still go first"},
    };
    for (const Row& row : rows)
        check(row, germanSeparators);
}

TEST(MesstischblattText, CentreNote)
{
    EXPECT_EQ(tk25CentreNote({48, 68, 3}),
              "Mitte von Messtischblatt 4868/3 Breslau \x96 die Lage ist auf etwa 3 km genau");
    EXPECT_EQ(tk25CentreNote({34, 46, 0}), "Mitte von Messtischblatt 3446 Berlin \x96 die Lage ist auf etwa 6 km genau");
    EXPECT_EQ(tk25CentreNote({78, 35, 3}), "Mitte von Messtischblatt 7835/3 \x96 die Lage ist auf etwa 3 km genau");
}

} // namespace
} // namespace zelv
