#pragma once
// The system's one general failure: it carries a message text and nothing else.
// Messages are Windows-1252 texts like every text of the engine; the window
// converts them at its edge.

#include <stdexcept>
#include <string>

namespace zelv {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// A text that is no number ("'%s' ist kein gültiger Gleitkommawert").
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A number outside a field's range ("Wert muß zwischen %d und %d liegen").
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

} // namespace zelv
