#include "Lexer.h"

#include "TextUtil.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace zelv {

namespace {

// Wikipedia's hidden decimals carry twelve places each.
constexpr int hiddenPlaces = 12;

bool isDigitAt(std::string_view t, std::size_t i) { return i < t.size() && isDigit(t[i]); }

std::size_t skipDigits(std::string_view t, std::size_t i)
{
    while (i < t.size() && isDigit(t[i]))
        ++i;
    return i;
}

CharClass classAt(std::string_view t, std::size_t i)
{
    return i < t.size() ? charClass(codePointAt(t, i).value) : CharClass::Other;
}

// The character class just before `i`.
CharClass classBefore(std::string_view t, std::size_t i)
{
    if (i == 0)
        return CharClass::Other;
    std::size_t start = i - 1;
    while (start > 0 && i - start < 4 && (static_cast<unsigned char>(t[start]) & 0xC0) == 0x80)
        --start;
    return classAt(t, start);
}

// Powers of ten that a long double holds exactly (5^27 < 2^64).
constexpr int exactPowers = 27;
constexpr std::array<long double, exactPowers + 1> powersOfTen = [] {
    std::array<long double, exactPowers + 1> p{};
    long double v = 1;
    for (auto& e : p) {
        e = v;
        v *= 10;
    }
    return p;
}();

// The value of digits with an optional decimal mark at `mark` (npos for
// none).  Up to 18 digits and 27 places, the digits and the power of ten
// are exact and their one division rounds correctly.  Longer numbers are
// read from their first digits: 30 integer digits exceed every range here,
// and decimals after the thirtieth change nothing a coordinate can show.
Extended valueOf(std::string_view t, std::size_t begin, std::size_t integerEnd, std::size_t end)
{
    const std::size_t integerDigits = integerEnd - begin;
    const std::size_t places = end > integerEnd ? end - integerEnd - 1 : 0;
    if (integerDigits + places <= 18 && places <= exactPowers) {
        unsigned long long digits = 0;
        for (std::size_t i = begin; i < end; ++i)
            if (i != integerEnd)
                digits = digits * 10 + static_cast<unsigned>(t[i] - '0');
        return static_cast<Extended>(digits) / powersOfTen[places];
    }
    std::size_t first = begin;
    while (first + 1 < integerEnd && t[first] == '0')
        ++first;
    if (integerEnd - first > 30)
        return std::numeric_limits<Extended>::infinity();
    std::string number(t.substr(first, integerEnd - first));
    if (places > 0)
        number.append(".").append(t.substr(integerEnd + 1, std::min<std::size_t>(places, 30)));
    Extended value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

} // namespace

std::optional<Extended> numberTextValue(std::string_view t)
{
    const std::size_t integerEnd = skipDigits(t, 0);
    if (integerEnd == 0)
        return std::nullopt;
    if (integerEnd == t.size())
        return valueOf(t, 0, integerEnd, integerEnd);
    if ((t[integerEnd] != '.' && t[integerEnd] != ',') || skipDigits(t, integerEnd + 1) != t.size()
        || integerEnd + 1 == t.size())
        return std::nullopt;
    return valueOf(t, 0, integerEnd, t.size());
}

void Lexer::queue(std::initializer_list<Token> tokens)
{
    queuedCount_ = 0;
    for (const Token& t : tokens)
        queued_[queuedCount_++] = t;
}

Token Lexer::make(TokenKind kind, std::size_t begin, std::size_t end)
{
    Token t;
    t.kind = kind;
    t.blankBefore = blank_;
    t.begin = begin;
    t.end = end;
    blank_ = false;
    return t;
}

Token Lexer::numberToken(std::size_t begin, std::size_t integerEnd, std::size_t end, char mark)
{
    Token t = make(TokenKind::Number, begin, end);
    t.integerDigits = static_cast<int>(std::min<std::size_t>(integerEnd - begin, 1000));
    t.places = mark ? static_cast<int>(std::min<std::size_t>(end - integerEnd - 1, 1'000'000)) : 0;
    t.decimalMark = mark;
    t.value = valueOf(text_, begin, integerEnd, end);
    t.letterBefore = classBefore(text_, begin) == CharClass::Letter;
    t.letterAfter = classAt(text_, end) == CharClass::Letter;
    return t;
}

// "51.06.36", "51.06.36,5": degrees, two-digit minutes and two-digit
// seconds with points between them, as some GPS programs write them.  A
// date ("12.03.2024") has more digits at its end and stays a number.
bool Lexer::dottedAngle(std::size_t start)
{
    const std::string_view t = text_;
    const std::size_t degreesEnd = skipDigits(t, start);
    if (degreesEnd - start > 3 || degreesEnd + 6 > t.size() || t[degreesEnd] != '.')
        return false;
    const std::size_t minutes = degreesEnd + 1;
    if (skipDigits(t, minutes) != minutes + 2 || t[minutes + 2] != '.')
        return false;
    const std::size_t seconds = minutes + 3;
    if (skipDigits(t, seconds) != seconds + 2)
        return false;
    std::size_t end = seconds + 2;
    char mark = 0;
    if (end + 1 < t.size() && (t[end] == '.' || t[end] == ',') && isDigit(t[end + 1])) {
        mark = t[end];
        end = skipDigits(t, end + 1);
    }
    if (end < t.size() && t[end] == '.' && isDigitAt(t, end + 1))
        return false;
    const Token first = numberToken(start, degreesEnd, degreesEnd, 0);
    Token dot1;
    dot1.kind = TokenKind::PartSeparator;
    dot1.separator = CharClass::Point;
    dot1.begin = degreesEnd;
    dot1.end = minutes;
    Token second = numberToken(minutes, minutes + 2, minutes + 2, 0);
    Token dot2 = dot1;
    dot2.begin = minutes + 2;
    dot2.end = seconds;
    Token third = numberToken(seconds, seconds + 2, end, mark);
    second.letterBefore = third.letterBefore = false;
    // Queued in reverse: the last goes out first.
    queue({third, dot2, second, dot1, first});
    i_ = end;
    return true;
}

void Lexer::number(std::size_t start)
{
    if (dottedAngle(start))
        return;
    const std::string_view t = text_;
    const std::size_t integerEnd = skipDigits(t, start);
    std::size_t end = integerEnd;
    char mark = 0;
    if (integerEnd + 1 < t.size() && (t[integerEnd] == '.' || t[integerEnd] == ',') && isDigit(t[integerEnd + 1])) {
        mark = t[integerEnd];
        end = skipDigits(t, integerEnd + 1);
    }
    const std::size_t places = mark ? end - integerEnd - 1 : 0;
    if (mark == '.' && places > static_cast<std::size_t>(hiddenPlaces) && end < t.size() && t[end] == '.'
        && isDigitAt(t, end + 1)) {
        // Two hidden decimals glued: this one ends after twelve places.
        const std::size_t cut = integerEnd + 1 + hiddenPlaces;
        Token first = numberToken(start, integerEnd, cut, mark);
        first.hidden = true;
        first.letterAfter = false;
        nextHidden_ = true;
        queue({first});
        i_ = cut;
        return;
    }
    Token token = numberToken(start, integerEnd, end, mark);
    if (nextHidden_) {
        token.hidden = true;
        token.letterBefore = false;
        nextHidden_ = false;
    }
    queue({token});
    i_ = end;
}

// "https://…", "http://…", "geo:…": the address up to the next blank.
bool Lexer::link(std::size_t start)
{
    const char first = text_[start];
    if (first != 'h' && first != 'H' && first != 'g' && first != 'G')
        return false;
    const std::string_view rest = text_.substr(start);
    const auto startsWith = [&](std::string_view prefix) {
        if (rest.size() < prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if ((rest[i] | 0x20) != prefix[i] && rest[i] != prefix[i])
                return false;
        return true;
    };
    if (!startsWith("https://") && !startsWith("http://") && !startsWith("geo:"))
        return false;
    std::size_t end = start;
    while (end < text_.size()) {
        const CharClass c = classAt(text_, end);
        if (c == CharClass::Blank || c == CharClass::LineBreak || c == CharClass::Tab)
            break;
        end += codePointAt(text_, end).length;
    }
    queue({make(TokenKind::Link, start, end)});
    i_ = end;
    return true;
}

void Lexer::word(std::size_t start)
{
    if (link(start))
        return;
    const WordMatch known = matchLexiconWord(text_, start);
    if (known.word) {
        Token t = make(TokenKind::Word, start, known.end);
        t.word = known.word;
        t.dotted = text_[known.end - 1] == '.';
        queue({t});
        i_ = known.end;
        return;
    }
    std::size_t end = start;
    while (end < text_.size() && classAt(text_, end) == CharClass::Letter)
        end += codePointAt(text_, end).length;
    const std::size_t letterEnd = start + 1;
    // Only a capital letter glued to a capitalised word can be one.
    const auto capital = [&](std::size_t i) { return text_[i] >= 'A' && text_[i] <= 'Z'; };
    if (letterEnd + 1 < end && std::string_view("NSEOW").find(text_[start]) != std::string_view::npos
        && capital(letterEnd) && !capital(letterEnd + 1) && isGluedToLabel(text_, letterEnd, end)) {
        const WordMatch letter = matchLexiconWord(text_.substr(0, letterEnd), start);
        if (letter.word && letter.word->kind == WordKind::Compass) {
            Token t = make(TokenKind::Word, start, letterEnd);
            t.word = letter.word;
            queue({t});
            i_ = letterEnd;
            return;
        }
    }
    Token t = make(TokenKind::Word, start, end);
    if (end < text_.size() && text_[end] == '.') {
        t.dotted = true;
        t.end = ++end;
    }
    queue({t});
    i_ = end;
}

// The bytes at which reading must look closely: digits, and the braces of
// wikitext templates.
constexpr std::array<bool, 256> closeLook = [] {
    std::array<bool, 256> look{};
    for (int b = '0'; b <= '9'; ++b)
        look[static_cast<std::size_t>(b)] = true;
    look['{'] = true;
    return look;
}();

// What may stand before a number and belong to it, at the most: "nördlicher
// Breite: ", "zeměpisná šířka: ", "Geographische Koordinaten: ".
constexpr std::size_t wordsBefore = 64;
// What may follow a number and belong to it: marks, compass words, the
// second half of a pair.
constexpr std::size_t wordsAfter = 160;

Lexer::Lexer(std::string_view utf8) : text_(utf8), readUntil_(wordsBefore + wordsAfter) {}

// Passes over prose that no number is near, as one token.
void Lexer::skipProse()
{
    const std::string_view t = text_;
    std::size_t next = i_;
    bool letters = false;
    while (next < t.size() && !closeLook[static_cast<unsigned char>(t[next])]) {
        const auto b = static_cast<unsigned char>(t[next]);
        letters = letters || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0xC3;
        ++next;
    }
    if (next - i_ <= wordsBefore + wordsAfter)
        return;
    // Back to the start of the words before the number, after a blank.
    std::size_t resume = next - wordsBefore;
    while (resume < next && t[resume] != ' ' && t[resume] != '\n' && t[resume] != '\t')
        ++resume;
    if (resume == next)
        resume = next - wordsBefore;
    while (resume < next && (static_cast<unsigned char>(t[resume]) & 0xC0) == 0x80)
        ++resume;
    sawLetters_ = sawLetters_ || letters;
    Token gap = make(TokenKind::Other, i_, resume);
    queue({gap});
    i_ = resume;
    readUntil_ = resume + wordsBefore + wordsAfter;
}

std::optional<Token> Lexer::next()
{
    const std::string_view t = text_;
    while (queuedCount_ == 0) {
        if (i_ >= t.size())
            return std::nullopt;
        if (i_ >= readUntil_) {
            skipProse();
            readUntil_ = std::max(readUntil_, i_ + wordsBefore + wordsAfter);
            if (queuedCount_ != 0)
                break;
        }
        const std::size_t start = i_;
        const CodePoint c = codePointAt(t, start);
        const CharClass k = charClass(c.value);
        const std::size_t after = start + c.length;
        switch (k) {
        case CharClass::Blank:
            blank_ = true;
            i_ = after;
            break;
        case CharClass::Invisible:
            i_ = after;
            break;
        case CharClass::LineBreak: {
            std::size_t end = after;
            while (end < t.size()) {
                const CharClass n = classAt(t, end);
                if (n != CharClass::LineBreak && n != CharClass::Blank && n != CharClass::Invisible)
                    break;
                end += codePointAt(t, end).length;
            }
            queue({make(TokenKind::LineBreak, start, end)});
            i_ = end;
            break;
        }
        case CharClass::Digit:
            number(start);
            readUntil_ = std::max(readUntil_, i_ + wordsAfter);
            break;
        case CharClass::Letter:
            sawLetters_ = true;
            word(start);
            break;
        case CharClass::DegreeMark:
            queue({make(TokenKind::DegreeMark, start, after)});
            i_ = after;
            break;
        case CharClass::MinuteMark:
            if (classAt(t, after) == CharClass::MinuteMark) {
                const std::size_t end = after + codePointAt(t, after).length;
                queue({make(TokenKind::SecondMark, start, end)});
                i_ = end;
            } else {
                queue({make(TokenKind::MinuteMark, start, after)});
                i_ = after;
            }
            break;
        case CharClass::SecondMark:
            queue({make(TokenKind::SecondMark, start, after)});
            i_ = after;
            break;
        case CharClass::Minus:
        case CharClass::Plus: {
            const bool afterDigit = !blank_ && classBefore(t, start) == CharClass::Digit;
            Token token;
            if (isDigitAt(t, after) && afterDigit && k == CharClass::Minus) {
                token = make(TokenKind::PartSeparator, start, after);
            } else if (isDigitAt(t, after) && !afterDigit) {
                token = make(TokenKind::Sign, start, after);
                token.minus = k == CharClass::Minus;
            } else {
                token = make(TokenKind::Separator, start, after);
            }
            token.separator = k;
            queue({token});
            i_ = after;
            break;
        }
        case CharClass::Tab:
        case CharClass::Comma:
        case CharClass::Semicolon:
        case CharClass::Colon:
        case CharClass::Slash:
        case CharClass::Bar:
        case CharClass::Equals:
        case CharClass::Ampersand: {
            Token token = make(TokenKind::Separator, start, after);
            token.separator = k;
            queue({token});
            i_ = after;
            break;
        }
        case CharClass::OpenBrace:
            if (after < t.size() && t[after] == '{') {
                queue({make(TokenKind::TemplateOpen, start, after + 1)});
                i_ = after + 1;
                break;
            }
            [[fallthrough]];
        default: {
            // A run of other characters is one token, but for the marks of
            // a lost character and brackets, which are read one by one.
            std::size_t end = after;
            if (k == CharClass::Other && c.value != '(' && c.value != ')')
                while (end < t.size()) {
                    const CodePoint n = codePointAt(t, end);
                    if (charClass(n.value) != CharClass::Other || n.value == '(' || n.value == ')')
                        break;
                    end += n.length;
                }
            Token token = make(TokenKind::Other, start, end);
            token.separator = k;
            queue({token});
            i_ = end;
            break;
        }
        }
    }
    return queued_[--queuedCount_];
}

const Token* TokenWindow::fill(std::size_t k)
{
    while (!ended_ && tokens_.size() - head_ <= k) {
        if (head_ > 4096) {
            tokens_.erase(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(head_));
            head_ = 0;
        }
        std::optional<Token> next = lexer_.next();
        if (!next) {
            ended_ = true;
        } else {
            tokens_.push_back(*next);
            if (seen_)
                seen_(context_, *next);
        }
    }
    return head_ + k < tokens_.size() ? &tokens_[head_ + k] : nullptr;
}

void TokenWindow::advance(std::size_t n)
{
    at(n); // lexes up to there, so that the head never passes the tokens read
    head_ = std::min(head_ + n, tokens_.size());
}

} // namespace zelv
