#pragma once
// The messages for a text in a notation that is recognised but cannot give a
// position: they name the notation and the cause, and quote the text.
// Windows-1252, as every engine text.

#include <string>
#include <string_view>

namespace zelv {

// The text in German quotation marks („…“), without blanks around it; a text
// of more than 60 characters is cut there and ends in "…".
std::string quoted(std::string_view text);

// Throws UnusableCoordinatesError with the message.
[[noreturn]] void throwUnusable(const std::string& message);

} // namespace zelv
