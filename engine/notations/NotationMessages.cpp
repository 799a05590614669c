#include "NotationMessages.h"

#include "Exception.h"
#include "TextUtil.h"

namespace zelv {

std::string quoted(std::string_view text)
{
    constexpr std::size_t longest = 60;
    text = trimBlanks(text);
    std::string result = "\x84";
    if (text.size() > longest)
        result.append(text.substr(0, longest)).append("\x85");
    else
        result.append(text);
    return result + "\x93";
}

void throwUnusable(const std::string& message)
{
    throw UnusableCoordinatesError(message);
}

} // namespace zelv
