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
    return i == 0 ? CharClass::Other : classAt(t, codePointStartBefore(t, i));
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

// Up to 18 digits and 27 places, the digits and the power of ten are exact
// and their one division rounds correctly.
bool readExactly(std::size_t integerDigits, std::size_t places)
{
    return integerDigits + places <= 18 && places <= exactPowers;
}

Extended exactValue(unsigned long long digits, std::size_t places)
{
    return places == 0 ? static_cast<Extended>(digits) : static_cast<Extended>(digits) / powersOfTen[places];
}

// The value of digits with an optional decimal mark at `integerEnd`.
// Longer numbers than are read exactly are read from their first digits:
// 30 integer digits exceed every range here, and decimals after the
// thirtieth change nothing a coordinate can show.
Extended valueOf(std::string_view t, std::size_t begin, std::size_t integerEnd, std::size_t end)
{
    const std::size_t integerDigits = integerEnd - begin;
    const std::size_t places = end > integerEnd ? end - integerEnd - 1 : 0;
    if (readExactly(integerDigits, places)) {
        unsigned long long digits = 0;
        for (std::size_t i = begin; i < end; ++i)
            if (i != integerEnd)
                digits = digits * 10 + static_cast<unsigned>(t[i] - '0');
        return exactValue(digits, places);
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

inline Token& Lexer::emit(TokenKind kind, std::size_t begin, std::size_t end)
{
    Token& t = out_->emplace_back();
    t.kind = kind;
    t.blankBefore = blank_;
    t.begin = begin;
    t.end = end;
    blank_ = false;
    return t;
}

inline void Lexer::mark(TokenKind kind, AngleUnit unit, std::size_t begin, std::size_t end)
{
    Token& t = emit(kind, begin, end);
    t.marksPart = true;
    t.part = unit;
}

Token& Lexer::numberToken(std::size_t begin, std::size_t integerEnd, std::size_t end, char mark)
{
    return numberToken(begin, integerEnd, end, mark, valueOf(text_, begin, integerEnd, end));
}

inline Token& Lexer::numberToken(std::size_t begin, std::size_t integerEnd, std::size_t end, char mark, Extended value)
{
    Token& t = emit(TokenKind::Number, begin, end);
    t.integerDigits = static_cast<int>(std::min<std::size_t>(integerEnd - begin, 1000));
    t.places = mark ? static_cast<int>(std::min<std::size_t>(end - integerEnd - 1, 1'000'000)) : 0;
    t.decimalMark = mark;
    t.value = value;
    t.letterBefore = classBefore(text_, begin) == CharClass::Letter;
    t.letterAfter = classAt(text_, end) == CharClass::Letter;
    return t;
}

// "51.06.36", "51.06.36,5": degrees, two-digit minutes and two-digit
// seconds with points between them, as some GPS programs write them.  A
// date ("12.03.2024") has more digits at its end and stays a number.
bool Lexer::dottedAngle(std::size_t start, std::size_t degreesEnd)
{
    const std::string_view t = text_;
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
    numberToken(start, degreesEnd, degreesEnd, 0);
    const auto dot = [&](std::size_t begin) {
        Token& d = emit(TokenKind::PartSeparator, begin, begin + 1);
        d.separator = CharClass::Point;
    };
    dot(degreesEnd);
    numberToken(minutes, minutes + 2, minutes + 2, 0).letterBefore = false;
    dot(minutes + 2);
    numberToken(seconds, seconds + 2, end, mark).letterBefore = false;
    i_ = end;
    return true;
}

void Lexer::number(std::size_t start)
{
    const std::string_view t = text_;
    // The digits' value is gathered as they are passed: exact while it fits
    // (readExactly), and read by valueOf where it does not.
    unsigned long long digits = 0;
    std::size_t integerEnd = start;
    for (; integerEnd < t.size() && isDigit(t[integerEnd]); ++integerEnd)
        digits = digits * 10 + static_cast<unsigned>(t[integerEnd] - '0');
    if (integerEnd < t.size() && t[integerEnd] == '.' && dottedAngle(start, integerEnd))
        return;
    std::size_t end = integerEnd;
    char mark = 0;
    if (integerEnd + 1 < t.size() && (t[integerEnd] == '.' || t[integerEnd] == ',') && isDigit(t[integerEnd + 1])) {
        mark = t[integerEnd];
        for (end = integerEnd + 1; end < t.size() && isDigit(t[end]); ++end)
            digits = digits * 10 + static_cast<unsigned>(t[end] - '0');
    }
    const std::size_t places = mark ? end - integerEnd - 1 : 0;
    if (mark == '.' && places > static_cast<std::size_t>(hiddenPlaces) && end < t.size() && t[end] == '.'
        && isDigitAt(t, end + 1)) {
        // Two hidden decimals glued: this one ends after twelve places.
        const std::size_t cut = integerEnd + 1 + hiddenPlaces;
        Token& first = numberToken(start, integerEnd, cut, mark);
        first.hidden = true;
        first.letterAfter = false;
        nextHidden_ = true;
        i_ = cut;
        return;
    }
    Token& token = readExactly(integerEnd - start, places) ? numberToken(start, integerEnd, end, mark, exactValue(digits, places))
                                                            : numberToken(start, integerEnd, end, mark);
    if (nextHidden_) {
        token.hidden = true;
        token.letterBefore = false;
        nextHidden_ = false;
    }
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
    emit(TokenKind::Link, start, end);
    i_ = end;
    return true;
}

void Lexer::word(std::size_t start)
{
    if (link(start))
        return;
    const WordMatch known = matchLexiconWord(text_, start);
    if (known.word) {
        Token& t = emit(TokenKind::Word, start, known.end);
        t.word = known.word;
        t.dotted = text_[known.end - 1] == '.';
        t.marksPart = known.word->kind == WordKind::Unit;
        t.part = known.word->unit;
        i_ = known.end;
        return;
    }
    std::size_t end = known.runEnd;
    const std::size_t letterEnd = start + 1;
    // Only a capital letter glued to a capitalised word can be one.
    const auto capital = [&](std::size_t i) { return text_[i] >= 'A' && text_[i] <= 'Z'; };
    if (letterEnd + 1 < end && std::string_view("NSEOW").find(text_[start]) != std::string_view::npos
        && capital(letterEnd) && !capital(letterEnd + 1) && isGluedToLabel(text_, letterEnd, end)) {
        const WordMatch letter = matchLexiconWord(text_.substr(0, letterEnd), start);
        if (letter.word && letter.word->kind == WordKind::Compass) {
            Token& t = emit(TokenKind::Word, start, letterEnd);
            t.word = letter.word;
            i_ = letterEnd;
            return;
        }
    }
    Token& t = emit(TokenKind::Word, start, end);
    if (end < text_.size() && text_[end] == '.') {
        t.dotted = true;
        t.end = ++end;
    }
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
    emit(TokenKind::Other, i_, resume);
    i_ = resume;
    readUntil_ = resume + wordsBefore + wordsAfter;
}

bool Lexer::lex(std::vector<Token>& out, std::size_t count)
{
    out_ = &out;
    const std::string_view t = text_;
    const std::size_t wanted = out.size() + count;
    // Each turn reads one token or a few, or a blank or invisible character
    // that makes none.
    while (out.size() < wanted) {
        if (i_ >= t.size())
            return false;
        if (i_ >= readUntil_) {
            const std::size_t before = out.size();
            skipProse();
            readUntil_ = std::max(readUntil_, i_ + wordsBefore + wordsAfter);
            if (out.size() != before)
                continue;
        }
        const std::size_t start = i_;
        const CodePoint c = codePointAt(t, start);
        const CharClass k = charClass(c.value);
        const std::size_t after = start + c.length;
        switch (k) {
        case CharClass::Blank: {
            blank_ = true;
            // The spaces after it at once, but not past where prose may be
            // passed over.
            const std::size_t stop = std::min(t.size(), readUntil_);
            std::size_t end = after;
            while (end < stop && t[end] == ' ')
                ++end;
            i_ = end;
            break;
        }
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
            emit(TokenKind::LineBreak, start, end);
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
            mark(TokenKind::DegreeMark, AngleUnit::Degree, start, after);
            i_ = after;
            break;
        case CharClass::MinuteMark:
            if (classAt(t, after) == CharClass::MinuteMark) {
                const std::size_t end = after + codePointAt(t, after).length;
                mark(TokenKind::SecondMark, AngleUnit::Second, start, end);
                i_ = end;
            } else {
                mark(TokenKind::MinuteMark, AngleUnit::Minute, start, after);
                i_ = after;
            }
            break;
        case CharClass::SecondMark:
            mark(TokenKind::SecondMark, AngleUnit::Second, start, after);
            i_ = after;
            break;
        case CharClass::Minus:
        case CharClass::Plus: {
            const bool afterDigit = !blank_ && classBefore(t, start) == CharClass::Digit;
            Token* token;
            if (isDigitAt(t, after) && afterDigit && k == CharClass::Minus) {
                token = &emit(TokenKind::PartSeparator, start, after);
            } else if (isDigitAt(t, after) && !afterDigit) {
                token = &emit(TokenKind::Sign, start, after);
                token->minus = k == CharClass::Minus;
            } else {
                token = &emit(TokenKind::Separator, start, after);
            }
            token->separator = k;
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
        case CharClass::Ampersand:
            emit(TokenKind::Separator, start, after).separator = k;
            i_ = after;
            break;
        case CharClass::OpenBrace:
            if (after < t.size() && t[after] == '{') {
                emit(TokenKind::TemplateOpen, start, after + 1);
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
            emit(TokenKind::Other, start, end).separator = k;
            i_ = end;
            break;
        }
        }
    }
    return true;
}

namespace {

// How many tokens the window lexes at a time.
constexpr std::size_t lexedAtOnce = 32;

} // namespace

TokenWindow::TokenWindow(std::string_view utf8, Observer seen, void* context)
    : lexer_(utf8), seen_(seen), context_(context)
{
    tokens_.reserve(droppedAfter + 4 * lexedAtOnce);
}

const Token* TokenWindow::fill(std::size_t k)
{
    while (!ended_ && tokens_.size() - head_ <= k) {
        const std::size_t first = tokens_.size();
        ended_ = !lexer_.lex(tokens_, std::max(k + 1 - (first - head_), lexedAtOnce));
        if (seen_)
            seen_(context_, std::span<const Token>(tokens_).subspan(first));
    }
    keepHead();
    return k < ahead_ ? first_ + k : nullptr;
}

void TokenWindow::advanceFar(std::size_t n)
{
    at(n); // lexes up to there, so that the head never passes the tokens read
    head_ = std::min(head_ + n, tokens_.size());
    if (head_ >= droppedAfter) {
        tokens_.erase(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(head_));
        head_ = 0;
    }
    keepHead();
}

} // namespace zelv
