#pragma once
// The forms that the clipboard reader tries last, where the five fixed
// notations and those of CoordinateNotations.h give nothing:
// - a label before the text, and the same position in two or three
//   notations separated by "/" (LabelsAndRepeats.h);
// - map services' share links beyond OpenStreetMap and Google's place
//   marker, and short links (MapServiceLinks.h);
// - MGRS grid references (MgrsText.h);
// - full Plus Codes (PlusCode.h);
// - longitudes east of Ferro (FerroLongitude.h).
// A text that one of them recognises but cannot use gets its own message
// (UnusableCoordinatesError); a text that none of them recognises is left
// to the reader's own message.

#include "Exception.h"
#include "RoutinenU.h"

#include <functional>
#include <optional>
#include <string_view>

namespace zelv {

// Repeated forms that were each read but disagree: a refusal that no
// reading of the text around a position overrides.
class DisagreeingRepeatsError : public UnusableCoordinatesError {
public:
    using UnusableCoordinatesError::UnusableCoordinatesError;
};

// The reader of the notations inside these forms: the position, or nothing
// where none fits; may throw EConvertError.
using KnownNotationReader = std::function<std::optional<ClipboardPosition>(std::string_view)>;

// Reads the forms above out of a whole Windows-1252 text; each notation
// inside a labelled, repeated or Ferro text is read by `readKnown` first.
// The result of a repeated text is its first part's reading, a label's that
// of the text after it.  Nothing when no form recognises the text.  Throws
// UnusableCoordinatesError as above, for two or three parts that are not all
// read or disagree, and as the forms' own headers say.
std::optional<ClipboardPosition> readFurtherNotations(std::string_view text, const KnownNotationReader& readKnown);

} // namespace zelv
