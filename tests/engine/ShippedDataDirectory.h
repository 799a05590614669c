#pragma once
// A data directory as the program ships it: the defaults and the BeTA2007
// grid, in a temporary directory of its own.

#include "GridWorkflows.h"
#include "TemporaryDirectory.h"

#include <filesystem>
#include <string>

namespace zelv::test_support {

class ShippedDataDirectory {
public:
    ShippedDataDirectory()
    {
        std::filesystem::copy_file(std::filesystem::path(ZELV_SOURCE_NAD) / "proj_def.dat",
                                   directory_.path() / "proj_def.dat");
        std::filesystem::copy_file(ZELV_DATUM_GRID, directory_.path() / beta2007GridFileName);
    }
    std::string path() const { return directory_.string(); }

private:
    TemporaryDirectory directory_;
};

} // namespace zelv::test_support
