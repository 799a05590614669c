#pragma once
// The one grammar of latitude and longitude: two angles (AngleGrammar.h)
// that the text gives as one position, amid any other words.
//
// - Each half may carry a compass word before or after its angle ("N 51°
//   06.608", "51°06′36″ north", "é. sz. 55° 04′", "54° n. Br.") and an axis
//   word or label before it ("Breite: 54,7", "lon: 17.03", "Längengrad").
//   The words decide which half is the latitude, in either order; without
//   any, the latitude comes first, unless only the second can be one.
// - Between the halves stand blanks, one separator ("," ";" "/" "|" "-", a
//   tab or a line break), an "and" of the lexicon, and, after a compass
//   word, one short word that machine translations leave ("N. Sch.").
//   Between plain halves without words only blanks and one of "," ";" "/"
//   "|", a tab or a line break: "50.41 - 10.77" is no pair.
// - A compass word between two angles belongs to the one it stands beside;
//   where it could belong to either ("Westen. 54° 12′ N 21° 6′ O"), both
//   readings are made, and where they differ the text is refused.
// - Single compass letters pair only within their set (Lexicon.h).
// - A plain pair amid other words is read only where its halves are single
//   numbers with decimals or angles with a degree mark; halves without any
//   mark ("51 6 36.5, 17 1 57.2") only as the whole text.
// Every pair goes to the evidence as a candidate, every angle that no pair
// took as a loose angle, every number without a mark as a bare number.

#include "Lexer.h"
#include "Readings.h"

namespace zelv {

// Reads the whole text from the window into `evidence`.  The window must
// tell noteTokens of every token, with the evidence as its context.
void readPairs(TokenWindow& window, Evidence& evidence);
void noteTokens(void* evidence, std::span<const Token> tokens);

} // namespace zelv
