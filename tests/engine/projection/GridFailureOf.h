#pragma once
// The kind of grid failure a conversion ends in, nullopt when it succeeds.

#include "Exception.h"

#include <optional>

namespace zelv::test_support {

template <class Conversion>
std::optional<GridFailure> failureOf(Conversion conversion)
{
    try {
        conversion();
    } catch (const GridConversionError& e) {
        return e.kind();
    }
    return std::nullopt;
}

} // namespace zelv::test_support
