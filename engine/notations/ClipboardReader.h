#pragma once
// The clipboard reader's entry, for the window and the batch mode alike: a
// UTF-8 text in, one result out, a reading or a refusal, never an exception.
//
// In this order:
// 1. The five fixed notations (RoutinenU.h) on the text's Windows-1252 copy,
//    unchanged: what they read stands.
// 2. One pass over the text (Lexer.h) hands its tokens to
//    - the forms that are the whole text, after an optional label
//      ("Koordinaten:"): map links and geo: addresses, UTM, MGRS, Gauß-Krüger
//      values, Plus Codes, the grid locator, Messtischblatt numbers;
//    - wikitext coordinate templates wherever they stand;
//    - the pair grammar (PairGrammar.h), which reads every latitude and
//      longitude the text gives, in any order, with compass words of many
//      languages (Lexicon.h), axis words and labels, amid other words.
// 3. The resolver (Resolver.h) decides by one table which reading wins or
//    which refusal is shown; repeats of one position give the finest.
// Refusals carry their kind and the parts of the text that stopped the
// reader; Refusals.h words them.

#include "GaussKruegerText.h"
#include "Messtischblatt.h"
#include "NumberText.h"
#include "Refusals.h"
#include "UtmText.h"

#include <cstdint>
#include <string_view>
#include <variant>

namespace zelv {

// What read the text.
enum class ReadForm : std::uint8_t {
    FixedNotation, // one of the five; Reading::fixedFormat says which
    Pair,          // latitude and longitude by the pair grammar
    GeoUri,
    MapLink,
    Utm,
    Mgrs,
    GaussKrueger,
    PlusCode,
    GridLocator,   // after a label; alone it is fixed notation 3
    Messtischblatt,
    WikiTemplate,
};

struct Reading {
    ReadForm form = ReadForm::Pair;
    std::int32_t fixedFormat = 0; // 1..5 for a fixed notation
    // Decimal degrees, east and north positive; or a UTM position for the
    // window's UTM fields; or Gauß-Krüger values on DHDN for its Transverse
    // Mercator fields; or a Messtischblatt sheet or quadrant, whose centre
    // stands for the place.
    std::variant<GeographicPoint, UtmPosition, GaussKruegerPosition, Tk25SheetReference> position;
};

// Nothing to read: the empty text, which is no error.
struct NothingToRead {};

using ReaderResult = std::variant<NothingToRead, Reading, Refusal>;

ReaderResult readCoordinatesOfUtf8(std::string_view utf8, Separators separators);

// The same, telling which rule of the resolver's precedence table
// (precedenceRules() in Resolver.h) gave the answer; empty for the empty
// text.
ReaderResult readCoordinatesOfUtf8(std::string_view utf8, Separators separators, std::string_view& ruleUsed);

} // namespace zelv
