#include "MesstischblattText.h"

#include "MesstischblattIndex.h"
#include "Windows1252.h"
#include "NotationText.h"

#include <array>
#include <cstddef>

namespace zelv {

namespace {

// A small reader over the text; every step skips the blanks before it.
class Scanner {
public:
    explicit Scanner(std::string_view text) : rest_(trimBlanksAndNoBreakSpaces(text)) {}

    void skipBlanks()
    {
        while (!rest_.empty() && isBlankOrNoBreakSpace(rest_.front()))
            rest_.remove_prefix(1);
    }

    // Takes `word` (any case) when it stands next and no letter or digit
    // follows it.
    bool word(std::string_view word)
    {
        skipBlanks();
        if (!startsWithIgnoringCase(rest_, word))
            return false;
        if (rest_.size() > word.size() && isWordCharacter(rest_[word.size()]) && isWordCharacter(word.back()))
            return false;
        rest_.remove_prefix(word.size());
        return true;
    }

    bool character(char c)
    {
        skipBlanks();
        if (rest_.empty() || rest_.front() != c)
            return false;
        rest_.remove_prefix(1);
        return true;
    }

    std::string_view digits()
    {
        skipBlanks();
        std::size_t n = 0;
        while (n < rest_.size() && isDigit(rest_[n]))
            ++n;
        const std::string_view run = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return run;
    }

    bool atEnd() const { return rest_.empty(); }
    std::string_view rest() const { return rest_; }

private:
    static bool isWordCharacter(char c)
    {
        const auto u = static_cast<unsigned char>(c);
        return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 0xC0;
    }

    std::string_view rest_;
};

// "Meßtischblatt", and the spelling without "ß".
constexpr std::array<std::string_view, 7> sheetWordList = {
    "Messtischblatt", "Me\xDFtischblatt", "MTB", "TK25", "TK 25", "TK", "Blatt",
};

bool sheetWord(Scanner& s)
{
    for (const std::string_view word : sheetWordList) {
        Scanner attempt = s;
        // "TK 25" only where no further digit makes it "TK 2544".
        if (attempt.word(word)) {
            s = attempt;
            return true;
        }
    }
    return false;
}

// The words before the number: one sheet word or more, then "Nr." and ":".
bool wordsBeforeNumber(Scanner& s)
{
    if (!sheetWord(s))
        return false;
    while (sheetWord(s)) {
    }
    if (s.word("Nr") || s.word("No"))
        s.character('.');
    s.character(':');
    return true;
}

// The quadrant's digits after a mark that was taken from `attempt`.
std::optional<std::string_view> quadrantDigits(Scanner& s, Scanner& attempt, bool& given)
{
    const std::string_view d = attempt.digits();
    if (d.empty())
        return std::nullopt;
    s = attempt;
    given = true;
    return d;
}

// The quadrant after the number, "" where none is given.
std::optional<std::string_view> quadrant(Scanner& s, bool& given)
{
    given = false;
    Scanner attempt = s;
    if (attempt.character('/') || attempt.character('-'))
        return quadrantDigits(s, attempt, given);
    attempt = s;
    attempt.character(',');
    if (attempt.word("Quadrant") || attempt.word("Qu.") || attempt.word("Q")) {
        attempt.character(':');
        return quadrantDigits(s, attempt, given);
    }
    return std::string_view{};
}

// What may follow: nothing, or a name after a blank or a comma.
bool onlyANameFollows(const Scanner& s)
{
    if (s.atEnd())
        return true;
    const std::string_view rest = s.rest();
    if (!isBlankOrNoBreakSpace(rest.front()) && rest.front() != ',')
        return false;
    Scanner name(rest);
    name.character(',');
    const std::string_view start = name.rest();
    if (start.empty())
        return true;
    const auto c = static_cast<unsigned char>(start.front());
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0 || c == '(';
}

int digitValue(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// Row and column of a four- or five-digit number; nothing for any other.
std::optional<Tk25SheetReference> sheetNumber(std::string_view digits)
{
    if (digits.size() != 4 && digits.size() != 5)
        return std::nullopt;
    const int row = digitValue(digits.substr(0, 2));
    const int column = digitValue(digits.substr(2));
    // Five digits are for the columns from 100 on alone: "34046" is no sheet.
    if ((digits.size() == 5) != (column >= 100) || !tk25NumberPossible(row, column))
        return std::nullopt;
    return Tk25SheetReference{row, column, 0};
}

} // namespace

FormResult<Tk25SheetReference> readMesstischblattText(std::string_view text)
{
    Scanner s(text);
    const bool withWord = wordsBeforeNumber(s);
    const std::string_view number = s.digits();
    if (number.empty())
        return {};
    bool quadrantGiven = false;
    const std::optional<std::string_view> quadrantText = quadrant(s, quadrantGiven);
    if (!quadrantText || !onlyANameFollows(s))
        return {};
    // Without a word only "3446-3": the hyphen and the quadrant make it a sheet.
    if (!withWord) {
        const std::string_view afterNumber = trimBlanksAndNoBreakSpaces(text).substr(number.size());
        if (!quadrantGiven || afterNumber.empty() || afterNumber.front() != '-')
            return {};
    }

    std::optional<Tk25SheetReference> sheet = sheetNumber(number);
    if (!sheet) {
        if (!withWord)
            return {};
        Refusal r = refusalOf(RefusalKind::SheetNumberImpossible, text);
        r.second = std::string(number);
        return r;
    }
    if (quadrantGiven) {
        const int q = quadrantText->size() == 1 ? digitValue(*quadrantText) : 0;
        if (q < 1 || q > 4) {
            if (!withWord)
                return {};
            Refusal r = refusalOf(RefusalKind::SheetQuadrantImpossible, text);
            r.second = std::string(number);
            r.third = std::string(*quadrantText);
            return r;
        }
        sheet->quadrant = q;
    }
    return *sheet;
}

std::string tk25CentreNote(const Tk25SheetReference& reference)
{
    std::string note = "Mitte von Messtischblatt " + tk25ReferenceText(reference);
    const std::string names = tk25SheetNames(reference.row, reference.column);
    if (!names.empty())
        note += ' ' + names;
    // Half the diagonal of a quadrant (about 6 by 5,5 km) or of a sheet.
    note += reference.quadrant != 0 ? " \x96 die Lage ist auf etwa 3 km genau"
                                    : " \x96 die Lage ist auf etwa 6 km genau";
    return note;
}

} // namespace zelv
