#include "ClipboardReader.h"

#include "GaussKruegerText.h"
#include "Lexer.h"
#include "MapLinks.h"
#include "MesstischblattText.h"
#include "MgrsText.h"
#include "NotationText.h"
#include "PairGrammar.h"
#include "PlusCode.h"
#include "Resolver.h"
#include "RoutinenU.h"
#include "Windows1252.h"

namespace zelv {

namespace {

// The text after a label at its start ("Koordinaten:", "Position ",
// "Koordinaten (Morąg):"), where the forms that are the whole text stand.
std::size_t bodyBegin(TokenWindow& w)
{
    const Token* label = w.at(0);
    if (!label)
        return w.text().size();
    if (!label->isWord(WordKind::Label))
        return label->begin;
    std::size_t k = 1;
    const Token* t = w.at(k);
    // A place in round brackets, without digits: a place, not a position.
    if (t && t->kind == TokenKind::Other && w.text()[t->begin] == '(') {
        std::size_t close = k + 1;
        for (const Token* x = w.at(close); x && w.text()[x->begin] != ')'; x = w.at(++close))
            if (x->kind == TokenKind::Number || close > k + 8)
                return label->begin;
        if (!w.at(close))
            return label->begin;
        k = close + 1;
        if (!w.at(k) || !w.at(k)->isSeparator(CharClass::Colon))
            return label->begin;
    }
    if (w.at(k) && w.at(k)->isSeparator(CharClass::Colon))
        ++k;
    return w.at(k) ? w.at(k)->begin : w.text().size();
}

std::size_t trimmedEnd(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0) {
        const std::size_t start = codePointStartBefore(text, end);
        const CharClass c = charClass(codePointAt(text, start).value);
        if (c != CharClass::Blank && c != CharClass::Tab && c != CharClass::LineBreak && c != CharClass::Invisible)
            break;
        end = start;
    }
    return end;
}

// The text without blanks around it and without one pair of round brackets
// around the whole (Windows-1252).
std::string_view withoutFrame(std::string_view text)
{
    text = trimBlanksAndNoBreakSpaces(text);
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
        text = trimBlanksAndNoBreakSpaces(text.substr(1, text.size() - 2));
    return text;
}

Reading reading(ReadForm form, std::variant<GeographicPoint, UtmPosition, GaussKruegerPosition, Tk25SheetReference> position)
{
    Reading r;
    r.form = form;
    r.position = position;
    return r;
}

// A form's result into the findings; true where the form recognised the
// text.
template <class T>
bool take(Findings& f, const FormResult<T>& result, ReadForm form)
{
    if (const T* value = std::get_if<T>(&result)) {
        f.wholeText = reading(form, *value);
        return true;
    }
    if (const Refusal* refusal = std::get_if<Refusal>(&result)) {
        f.wholeTextRefusal = *refusal;
        return true;
    }
    return false;
}

// The forms that are the whole text after a label, on its Windows-1252
// copy.
void readWholeText(Findings& f, std::string_view body, std::string_view whole, bool labelled)
{
    const std::string_view framed = withoutFrame(body);
    if (const std::optional<LinkReading> link = readLink(framed)) {
        if (link->point)
            f.wholeText = reading(link->form, *link->point);
        else
            f.wholeTextRefusal = link->refusal ? *link->refusal : refusalOf(RefusalKind::LinkWithoutPosition, framed);
        return;
    }
    if (const std::optional<UtmPosition> utm = readUtmText(framed)) {
        f.wholeText = reading(ReadForm::Utm, *utm);
        return;
    }
    if (const std::optional<GaussKruegerPosition> grid = readGaussKruegerText(body)) {
        f.wholeText = reading(ReadForm::GaussKrueger, *grid);
        return;
    }
    if (take(f, readMgrs(body), ReadForm::Mgrs) || take(f, readPlusCode(body), ReadForm::PlusCode))
        return;
    if (labelled)
        if (const std::optional<TZwischenablageKoordinaten> locator = readGridLocator(trimBlanks(body))) {
            f.wholeText = reading(ReadForm::GridLocator, GeographicPoint{locator->Laenge, locator->Breite});
            return;
        }
    take(f, readMesstischblattText(whole), ReadForm::Messtischblatt);
}

// The text's Windows-1252 copy, in a buffer kept for the next text: a
// fresh buffer of megabytes costs a page fault for every 4 kB, more than
// reading it does.  A buffer beyond a few megabytes is given back.
class Windows1252Copy {
public:
    explicit Windows1252Copy(std::string_view utf8) : text_(buffer())
    {
        text_.clear();
        appendWindows1252(utf8, text_);
    }
    ~Windows1252Copy()
    {
        if (text_.capacity() > keptAtMost)
            std::string().swap(text_);
    }
    Windows1252Copy(const Windows1252Copy&) = delete;
    Windows1252Copy& operator=(const Windows1252Copy&) = delete;

    const std::string& text() const { return text_; }

private:
    static constexpr std::size_t keptAtMost = std::size_t{16} << 20;
    static std::string& buffer()
    {
        thread_local std::string kept;
        return kept;
    }
    std::string& text_;
};

// The forms read the text's Windows-1252 copy, which has "?" for letters
// of other scripts; a part they quote is put back as the text has it.
std::string asWritten(std::string_view utf8, std::string_view windows1252, const std::string& quoted)
{
    const std::string quotedIn1252 = toWindows1252(quoted);
    const std::size_t at = windows1252.find(quotedIn1252);
    if (quoted.empty() || at == std::string_view::npos)
        return quoted;
    const std::size_t end = at + quotedIn1252.size();
    std::size_t converted = 0;
    std::size_t begin = utf8.size();
    for (std::size_t i = 0; i < utf8.size();) {
        if (converted == at && begin == utf8.size())
            begin = i;
        if (converted >= end)
            return std::string(utf8.substr(begin, i - begin));
        const std::size_t n = codePointAt(utf8, i).length;
        converted += toWindows1252(utf8.substr(i, n)).size();
        i += n;
    }
    return begin < utf8.size() ? std::string(utf8.substr(begin)) : quoted;
}

} // namespace

ReaderResult readCoordinatesOfUtf8(std::string_view utf8, Separators separators)
{
    std::string_view ruleUsed;
    return readCoordinatesOfUtf8(utf8, separators, ruleUsed);
}

ReaderResult readCoordinatesOfUtf8(std::string_view utf8, Separators separators, std::string_view& ruleUsed)
{
    ruleUsed = {};
    const Windows1252Copy copy(utf8);
    const std::string& windows1252 = copy.text();
    if (windows1252.empty())
        return NothingToRead{};
    Findings f;
    f.text = utf8;
    FixedNotationResult fixed = readFixedNotations(windows1252, separators);
    if (fixed.reading) {
        Reading r = reading(ReadForm::FixedNotation,
                            GeographicPoint{fixed.reading->Laenge, fixed.reading->Breite});
        r.fixedFormat = fixed.reading->Format;
        f.fixed = r;
        return resolve(f, &ruleUsed);
    }
    if (fixed.unconvertible) {
        Refusal r;
        r.kind = RefusalKind::NumberNotConvertible;
        r.first = fromWindows1252(*fixed.unconvertible);
        f.fixedFailure = r;
    }

    Evidence& e = f.evidence;
    TokenWindow window(utf8, noteTokens, &e);
    e.bodyBegin = bodyBegin(window);
    e.bodyEnd = trimmedEnd(utf8);
    const std::size_t bodyIn1252 = toWindows1252(utf8.substr(0, e.bodyBegin)).size();
    const bool labelled = window.at(0) && window.at(0)->isWord(WordKind::Label);
    readWholeText(f, std::string_view(windows1252).substr(bodyIn1252), windows1252, labelled);
    if (f.wholeTextRefusal)
        f.wholeTextRefusal->first = asWritten(utf8, windows1252, f.wholeTextRefusal->first);
    readPairs(window, e);
    e.words = window.sawLetters();
    // The words far from any number were passed over; where a plain "S"
    // waits for the text's language, they are looked at too.
    if (!e.plainSouth.empty() && !e.czechCompassWord && !e.czechWord)
        e.czechWord = mentionsCzechOrSlovak(utf8);
    return resolve(f, &ruleUsed);
}

} // namespace zelv
