#pragma once
// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace zelv::test_support {

class TemporaryDirectory {
public:
    TemporaryDirectory()
    {
        std::random_device random;
        for (;;) {
            path_ = std::filesystem::temp_directory_path() /
                    ("zelv-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(path_))
                break;
        }
    }
    ~TemporaryDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string string() const { return path_.string(); }

    // Writes `content` to the file `name` inside the directory.
    void write(const std::string& name, std::string_view content) const
    {
        std::ofstream file(path_ / name, std::ios::binary);
        file << content;
    }

private:
    std::filesystem::path path_;
};

} // namespace zelv::test_support
