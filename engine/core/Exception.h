#pragma once
// The system's one failure type and its kinds.  Every expected failure is a
// zelv::Exception carrying a message, a Windows-1252 text like every text
// of the engine (the window converts it at its edge); a caller that expects
// one kind catches that kind by type and lets the rest go on to the
// window's guard, which shows the message.

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace zelv {

class Exception : public std::runtime_error {
public:
    // The message is taken over, not copied: it may quote a megabyte of
    // clipboard text.
    explicit Exception(std::string message)
        : std::runtime_error(std::string()), message_(std::make_shared<const std::string>(std::move(message)))
    {
    }
    const char* what() const noexcept override { return message_->c_str(); }
    std::string message() const { return *message_; }

private:
    std::shared_ptr<const std::string> message_;
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

// Why a grid conversion failed.  A caller that tells the user picks its
// words by the kind, never by the message.
enum class GridFailure {
    DefinitionRejected,  // the projection library refused the definition text
    PointNotProjectable, // the library gave no finite result for the point
    ValueNotRoundable,   // a grid value is no finite number in the 64-bit integer range
    ServiceEmpty,        // a projection was asked of a service that holds none
    OutsideDatumGrid,    // the grid itself works for the point, the datum grid does not cover it
};

class GridConversionError : public Exception {
public:
    GridConversionError(GridFailure kind, const std::string& message) : Exception(message), kind_(kind) {}
    GridFailure kind() const { return kind_; }

private:
    GridFailure kind_;
};

// A clipboard text in which no notation fits; the window shows the message
// in a box of its own.
class NoCoordinatesError : public Exception {
public:
    using Exception::Exception;
};

// A clipboard text in a notation that is recognised but cannot give a
// position (a short link, a polar grid reference, two notations that
// disagree); the message names the notation and the cause.  Shown as the
// text in no notation is, with its own message.
class UnusableCoordinatesError : public NoCoordinatesError {
public:
    using NoCoordinatesError::NoCoordinatesError;
};

} // namespace zelv
