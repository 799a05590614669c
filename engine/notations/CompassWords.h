#pragma once
// The compass words and labels of the neighbours' Wikipedias, read in the
// UTF-8 text before it becomes Windows-1252, which lacks their letters:
//   Russian     54°48′00″ с. ш. 21°25′00″ в. д.    Координаты: …
//   Lithuanian  55°42′15″ š. pl. 21°13′10″ r. ilg. Koordinatės: …
//   Czech and Slovak  50°5′16″ s. š., 14°25′13″ v. d.   Souřadnice: …
//                     53°12′ severní šířky 22°23′ východní délky
//   Polish label      Współrzędne: 54°18′19″N 16°28′45″E
//   German words      21°43´30" östliche Länge, 54°1´20" nördliche Breite
//                     54° n. Br., 20° ö. L.
// Each compass word becomes the hemisphere letter N, S, E or W, each label
// "Lage", so that the notations read the text as any other.  A
// compass word counts only right after a number or its mark (blanks
// between), so that words of a sentence stay as they are.  Letters glued
// to the second compass word, as copies of ru.wikipedia bring them from the
// map links ("в. д.HGЯO"), are dropped, and so is an "and" between the
// halves (и, und, and, ir, a).

#include "RoutinenU.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelv {

// The UTF-8 text with the words above in their reader's form (UTF-8).
std::string withCompassWordsAsLetters(std::string_view utf8);

// The clipboard reader on a UTF-8 text, as the window and the batch mode
// hand it on: the words above first, then the conversion to Windows-1252,
// then readCoordinates.
std::optional<ClipboardPosition> readCoordinatesOfUtf8(std::string_view utf8, Separators separators);

} // namespace zelv
