#include "ApplicationTitle.h"

namespace zelv {

namespace {

// Lower case on the Windows-1252 code page: ASCII, the Latin-1 capitals
// 0xC0..0xDE except the multiplication sign, and the four capitals that
// code page adds in 0x80..0x9F (Š, Œ, Ž, Ÿ).
char toLower1252(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return static_cast<char>(u + ('a' - 'A'));
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
        return static_cast<char>(u + 0x20);
    switch (u) {
    case 0x8A: return '\x9A';
    case 0x8C: return '\x9C';
    case 0x8E: return '\x9E';
    case 0x9F: return '\xFF';
    default: return c;
    }
}

} // namespace

std::string applicationTitle(std::string_view executablePath)
{
    std::string_view name = executablePath;
    if (const auto slash = name.rfind('/'); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    if (const auto dot = name.find('.'); dot != std::string_view::npos)
        name = name.substr(0, dot);

    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = toLower1252(title[i]);
    return title;
}

} // namespace zelv
