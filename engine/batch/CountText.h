#pragma once
// Counts in German words, the same under every locale: "1 Zeile",
// "2 Zeilen", "175.000 Zeilen" (a point between each three digits).

#include <cstdint>
#include <string>
#include <string_view>

namespace zelv {

std::string groupedNumber(std::uint64_t number);

// "<number> <one>" for 1, else "<number> <many>".
std::string countText(std::uint64_t number, std::string_view one, std::string_view many);

} // namespace zelv
