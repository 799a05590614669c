#pragma once
// Expected texts are written for the German locale; the point locale gets
// the same text with "," and "." swapped.

#include "NumberText.h"

#include <string>

namespace zelv {

inline std::string inLocale(std::string german, Separators separators)
{
    if (separators.decimal == ',')
        return german;
    for (char& c : german)
        c = c == ',' ? '.' : c == '.' ? ',' : c;
    return german;
}

inline std::string localeName(Separators separators)
{
    return separators.decimal == ',' ? "German" : "Point";
}

} // namespace zelv
