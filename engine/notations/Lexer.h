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
#include <initializer_list>
#include <optional>
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
    const LexiconWord* word = nullptr; // a word the lexicon knows
    std::size_t begin = 0;
    std::size_t end = 0;

    bool isWord(WordKind kind) const { return word && word->kind == kind; }
    // Whether this token can begin an angle or the words before one.
    bool canBeginHalf() const
    {
        return kind == TokenKind::Number || kind == TokenKind::Sign
               || (word && (word->kind == WordKind::Compass || word->kind == WordKind::AxisName));
    }
    bool isSeparator(CharClass c) const { return kind == TokenKind::Separator && separator == c; }
};

class Lexer {
public:
    explicit Lexer(std::string_view utf8);

    // The next token; nothing at the end of the text.
    std::optional<Token> next();

    std::string_view text() const { return text_; }
    // Whether the text holds letters, read or passed over.
    bool sawLetters() const { return sawLetters_; }

private:
    void skipProse();
    void number(std::size_t start);
    bool dottedAngle(std::size_t start);
    void word(std::size_t start);
    bool link(std::size_t start);
    Token make(TokenKind kind, std::size_t begin, std::size_t end);
    Token numberToken(std::size_t begin, std::size_t integerEnd, std::size_t end, char mark);

    std::string_view text_;
    std::size_t i_ = 0;
    bool blank_ = false;
    bool nextHidden_ = false;
    bool sawLetters_ = false;
    // Up to here the text is read token by token: the words after a number
    // can belong to it.
    std::size_t readUntil_ = 0;
    // Tokens read ahead, in reverse order: the last goes out first.
    void queue(std::initializer_list<Token> tokens);
    std::array<Token, 5> queued_;
    std::size_t queuedCount_ = 0;
};

// The value of a number text: digits with at most one decimal mark ("." or
// ",") followed by digits, as the lexer reads numbers; nothing for any
// other text.
std::optional<Extended> numberTextValue(std::string_view number);

// The tokens ahead of the reader, lexed as far as it looks.
class TokenWindow {
public:
    // `seen` is told of every token once, as it is lexed.
    using Observer = void (*)(void* context, const Token& token);
    explicit TokenWindow(std::string_view utf8, Observer seen = nullptr, void* context = nullptr)
        : lexer_(utf8), seen_(seen), context_(context)
    {
    }

    // The token `k` places ahead, or nullptr beyond the end.
    const Token* at(std::size_t k)
    {
        return head_ + k < tokens_.size() ? &tokens_[head_ + k] : fill(k);
    }
    void advance(std::size_t n);
    bool atEnd() { return at(0) == nullptr; }
    std::string_view text() const { return lexer_.text(); }
    bool sawLetters() const { return lexer_.sawLetters(); }

private:
    const Token* fill(std::size_t k);

    Lexer lexer_;
    Observer seen_;
    void* context_;
    std::vector<Token> tokens_;
    std::size_t head_ = 0;
    bool ended_ = false;
};

} // namespace zelv
