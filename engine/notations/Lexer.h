#pragma once
// The clipboard reader's one pass over a UTF-8 text: tokens with their spans
// in the text, read as they are needed, so that a text of megabytes never
// stands as a list of tokens in memory.
//
// - Numbers: digits with at most one decimal mark ("." or ",") followed by
//   digits; the value, the number of decimal places as written and which
//   mark.  A "," after a number that has its decimals already separates:
//   "50,41484,10,76943" is two numbers.  Wikipedia's hidden decimals, two
//   numbers of twelve places glued together ("54.86666666666721.1"), become
//   two numbers marked hidden.  Dotted degrees, minutes and seconds
//   ("51.06.36N", "51.06.36,5N") become three numbers with part separators.
// - Marks of degrees, minutes and seconds; two minute marks in a row are a
//   second mark.
// - Words as the lexicon classes them, or unknown words; a compass letter
//   glued to a label ("OKoordinaten") is two words.
// - A sign right before digits; a "-" between digits is a part separator
//   ("51-06.608N").
// - Web addresses and geo: addresses as one token each, so that their
//   numbers are never read as anything else.
// - Separators, line breaks and everything else; blanks are no tokens but a
//   flag on the token after them.
// - Prose far from any number is passed over as one token of kind Other:
//   only the words right before and after a number can belong to a
//   position.

#include "Lexicon.h"
#include "NumberText.h"

#include <cstddef>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zelv {

enum class TokenKind : std::uint8_t {
    Number,
    DegreeMark,
    MinuteMark,
    SecondMark,
    Word,
    Sign,
    PartSeparator, // between the parts of one angle: "51-06", "51.06.36"
    Separator,     // "," ";" "/" "|" ":" "=" "&" a tab, a "-" between blanks
    LineBreak,
    TemplateOpen,  // "{{"
    Link,          // a web address or geo: address, up to the next blank
    Other,
};

struct Token {
    TokenKind kind = TokenKind::Other;
    CharClass separator = CharClass::Other; // which separator
    bool blankBefore = false;
    // Numbers:
    bool letterBefore = false; // glued to a letter before ("B96", "Ziemia54")
    bool letterAfter = false;  // glued to a letter after ("32U", "5106.608N")
    bool hidden = false;       // one of Wikipedia's hidden decimals
    char decimalMark = 0;
    int integerDigits = 0;
    int places = 0;
    Extended value = 0;
    // Signs: whether it is a minus.  Words: whether a dot ends them.
    bool minus = false;
    bool dotted = false;
    // Marks and unit words: which part of an angle they mark.
    bool marksPart = false;
    AngleUnit part = AngleUnit::Degree;
    const LexiconWord* word = nullptr; // a word the lexicon knows
    std::size_t begin = 0;
    std::size_t end = 0;

    bool isWord(WordKind kind) const { return word && word->kind == kind; }
    // Whether it is the mark or unit word of this part of an angle.
    bool marks(AngleUnit unit) const { return marksPart && part == unit; }
    // Whether this token can begin an angle or the words before one.
    bool canBeginHalf() const
    {
        return kind == TokenKind::Number || kind == TokenKind::Sign
               || (word && (word->kind == WordKind::Compass || word->kind == WordKind::AxisName));
    }
    bool isSeparator(CharClass c) const { return kind == TokenKind::Separator && separator == c; }
    // Whether it is a "?" or U+FFFD: a character lost to a code page.
    bool isLost() const { return kind == TokenKind::Other && separator == CharClass::Question; }
};

class Lexer {
public:
    explicit Lexer(std::string_view utf8);

    // Appends the next tokens to `out` until it holds `count` more, or the
    // text ends; false where it ended before.
    bool lex(std::vector<Token>& out, std::size_t count);

    std::string_view text() const { return text_; }
    // Whether the text holds letters, read or passed over.
    bool sawLetters() const { return sawLetters_; }

private:
    void skipProse();
    void number(std::size_t start);
    bool dottedAngle(std::size_t start, std::size_t degreesEnd);
    void word(std::size_t start);
    bool link(std::size_t start);
    Token& emit(TokenKind kind, std::size_t begin, std::size_t end);
    void mark(TokenKind kind, AngleUnit unit, std::size_t begin, std::size_t end);
    Token& numberToken(std::size_t begin, std::size_t integerEnd, std::size_t end, char mark);
    Token& numberToken(std::size_t begin, std::size_t integerEnd, std::size_t end, char mark, Extended value);

    std::string_view text_;
    std::vector<Token>* out_ = nullptr; // where the tokens go
    std::size_t i_ = 0;
    bool blank_ = false;
    bool nextHidden_ = false;
    bool sawLetters_ = false;
    // Up to here the text is read token by token: the words after a number
    // can belong to it.
    std::size_t readUntil_ = 0;
};

// The value of a number text: digits with at most one decimal mark ("." or
// ",") followed by digits, as the lexer reads numbers; nothing for any
// other text.
std::optional<Extended> numberTextValue(std::string_view number);

// The tokens ahead of the reader, lexed as far as it looks.  A token's
// address stays valid until the window advances.
class TokenWindow {
public:
    // `seen` is told of every token once, in order, a few at a time as they
    // are lexed.
    using Observer = void (*)(void* context, std::span<const Token> tokens);
    explicit TokenWindow(std::string_view utf8, Observer seen = nullptr, void* context = nullptr);

    // The token `k` places ahead, or nullptr beyond the end.
    const Token* at(std::size_t k) { return k < ahead_ ? first_ + k : fill(k); }
    void advance(std::size_t n)
    {
        if (n < ahead_ && head_ + n < droppedAfter) {
            head_ += n;
            first_ += n;
            ahead_ -= n;
        } else {
            advanceFar(n);
        }
    }
    bool atEnd() { return at(0) == nullptr; }
    std::string_view text() const { return lexer_.text(); }
    bool sawLetters() const { return lexer_.sawLetters(); }

private:
    const Token* fill(std::size_t k);
    void advanceFar(std::size_t n);

    // How far the head moves before the tokens passed are dropped.
    static constexpr std::size_t droppedAfter = 256;

    Lexer lexer_;
    Observer seen_;
    void* context_;
    // The tokens from the head on, and those passed since the last move to
    // the front; it keeps its capacity, so that lexing ahead never moves it.
    std::vector<Token> tokens_;
    std::size_t head_ = 0;
    bool ended_ = false;
    // The head's token and how many are lexed from it on, for at().
    const Token* first_ = nullptr;
    std::size_t ahead_ = 0;
    void keepHead()
    {
        first_ = tokens_.data() + head_;
        ahead_ = tokens_.size() - head_;
    }
};

} // namespace zelv
