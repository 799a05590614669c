#pragma once
// What the readers of a text find, handed to the resolver: every reading of
// a position with its span and the precision it is written to, the angles
// that no reading took, and the refusals that only a whole reading can
// override.

#include "CoordinateTranslator.h"
#include "Lexer.h"
#include "Lexicon.h"
#include "NumberText.h"
#include "Refusals.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace zelv {

// A position read from a part of the text.  It stands for the interval of
// half its last written place around each value.
struct Candidate {
    enum class Source : std::uint8_t {
        Directed, // both halves named by compass words, axis words or labels
        Plain,    // latitude first, as written
        Hidden,   // Wikipedia's hidden decimals: only beside a shown position
        Template, // a wikitext coordinate template
    };
    GeographicPoint point;
    Extended latitudePlace = 1;
    Extended longitudePlace = 1;
    std::size_t begin = 0;
    std::size_t end = 0;
    Source source = Source::Directed;
    // Plain halves without any mark ("51 6 36.5, 17 1 57.2"): only as the
    // whole text.
    bool wholeTextOnly = false;
    // The latitude's letter is a plain "S" beside E, O or W: south, or north
    // in a Czech or Slovak text.  Its point is south until then.
    bool plainS = false;
    bool ferro = false; // the longitude is counted from Ferro
};

// Whether two readings are one position, on each axis, across the
// antimeridian too: written to different places, their intervals share a
// point; written to the same place, they are the same number.
bool agree(const Candidate& a, const Candidate& b);

double widthOf(const Candidate& c);

// The readings of one kind in a text.  Whether all of them agree, and which
// is the finest, depends on the extremes alone: two intervals of a set part
// exactly where one's lower end lies above another's upper end.  So a text
// of thousands of repeats keeps the first readings, the finest and those at
// the ends of each axis, not every one.
class CandidateStore {
public:
    void add(const Candidate& c);
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The readings kept: the first ones in the text's order, then the finest
    // and the extreme ones where more stood in the text.
    std::vector<const Candidate*> kept() const;

private:
    static constexpr std::size_t mostInFull = 64;
    std::vector<Candidate> first_;
    // finest, highest lower end and lowest upper end of latitude, then of
    // longitude
    std::array<std::optional<Candidate>, 5> extremes_;
    std::array<double, 5> keys_{}; // by which each of them was chosen
    std::size_t count_ = 0;
};

// An angle that no reading took: with its compass word, where one stands
// beside it, and the unknown word after it, where one does.
struct LooseAngle {
    std::size_t begin = 0; // the angle with its compass word
    std::size_t end = 0;
    const LexiconWord* compass = nullptr;
    Axis axis = Axis::None; // by its compass word or axis word
    std::size_t wordBegin = 0; // an unknown word after it
    std::size_t wordEnd = 0;
};

struct Stray {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool marked = false; // with a minute or second sign
};

struct Evidence {
    CandidateStore named;  // by compass words, axis words or a template
    CandidateStore hidden; // Wikipedia's hidden decimals
    CandidateStore plain;
    // Readings whose latitude is a plain "S", kept apart until the text's
    // language is known: as south, and as north.
    CandidateStore plainSouth;
    CandidateStore plainSNorth;
    // A refusal found on the way that stands unless a reading is found
    // (letters of two languages, a sign beside a compass word, a latitude
    // beyond 90°, ...), the first of each kind.
    std::vector<Refusal> pairRefusals;
    // Refusals that stand whatever else the text holds.
    std::optional<Refusal> overriding;
    std::vector<LooseAngle> looseAngles; // the first few
    std::size_t looseAngleCount = 0;
    std::size_t brokenAngles = 0; // written as one angle, but none ("50°60′")
    // Numbers that no reading took and that are no angle alone, the first
    // few: marked ones ("58.086″" after "008°") and plain ones.
    std::vector<Stray> strays;
    std::size_t bareNumbers = 0; // numbers without marks that no reading took
    std::size_t gluedNumbers = 0; // numbers glued to letters ("B96", "e3")
    std::size_t bareDecimals = 0;
    std::size_t plainNumbers = 0; // the numbers of plain pairs
    std::size_t plainDecimals = 0;
    // A "?" glued to a number or mark: a character lost to a code page.
    std::optional<std::size_t> lostCharacter;
    std::optional<std::size_t> lostCandidate;
    TokenKind previousToken = TokenKind::Other;
    bool words = false; // the text holds words
    // Czech or Slovak: a compass word of theirs beside an angle, or any word
    // of theirs anywhere.
    bool czechCompassWord = false;
    bool czechWord = false;
    int ferroMarks = 0;
    std::optional<Refusal> templateRefusal;

    void add(const Candidate& c);
    // The text after its label, trimmed, where whole-text forms stand.
    std::size_t bodyBegin = 0;
    std::size_t bodyEnd = 0;

    void refuse(Refusal refusal);
};

} // namespace zelv
