#include "CountText.h"

namespace zelv {

std::string groupedNumber(std::uint64_t number)
{
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += '.';
        grouped += digits[i];
    }
    return grouped;
}

std::string countText(std::uint64_t number, std::string_view one, std::string_view many)
{
    return groupedNumber(number) + ' ' + std::string(number == 1 ? one : many);
}

} // namespace zelv
