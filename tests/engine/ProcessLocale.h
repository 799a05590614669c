#pragma once
// Sets the process's C locale for a scope, as QApplication does from LANG:
// what the program writes or reads must not change with it.

#include <clocale>
#include <string>

namespace zelv {

class ProcessLocale {
public:
    explicit ProcessLocale(const char* name) : old_(std::setlocale(LC_ALL, nullptr))
    {
        valid_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;
    // Whether the locale exists on this machine.
    bool valid() const { return valid_; }

private:
    std::string old_;
    bool valid_ = false;
};

} // namespace zelv
