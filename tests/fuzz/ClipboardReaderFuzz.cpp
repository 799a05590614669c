// libFuzzer harness for the clipboard coordinate reader and its Windows-1252
// edge.  Any bytes are a possible clipboard text: they go to the reader as
// Windows-1252 text under both separator sets, and once more as UTF-8 through
// the conversion the window uses.  Conversion errors are the reader's normal
// answer; anything else that escapes, a sanitizer report or a broken
// invariant below is a finding.

#include "Exception.h"
#include "RoutinenU.h"
#include "Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace zelv;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The reader's position for the text; nothing for the empty text and for a
// failure of the project's own type (no notation fits, a number that does
// not convert).
std::optional<TZwischenablageKoordinaten> readUnder(std::string_view text, Separators separators)
{
    try {
        const std::optional<TZwischenablageKoordinaten> position = readCoordinates(text, separators);
        require(!position == text.empty());
        if (position) {
            require(position->Format >= 1 && position->Format <= 5);
            if (position->Format == 3)
                require(position->Laenge >= -180 && position->Laenge < 180 && position->Breite >= -90
                        && position->Breite < 90);
        }
        return position;
    } catch (const zelv::Exception&) {
        return std::nullopt;
    }
}

void readBoth(std::string_view text)
{
    const auto german = readUnder(text, germanSeparators);
    const auto point = readUnder(text, pointSeparators);
    // Only the decimal numbers of formats 1 and 4 depend on the separators;
    // the digit runs of 2 and 5 and the locator do not.
    if (german && (german->Format == 2 || german->Format == 3 || german->Format == 5)) {
        require(point.has_value());
        require(point->Format == german->Format);
        require(point->Laenge == german->Laenge);
        require(point->Breite == german->Breite);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readBoth(bytes);

    // Every character becomes at most one byte, the double prime excepted,
    // which takes three bytes in UTF-8 and two here.
    const std::string windows1252 = toWindows1252(bytes);
    require(windows1252.size() <= bytes.size());
    readBoth(windows1252);

    // Any Windows-1252 text survives the way to UTF-8 and back.
    require(toWindows1252(fromWindows1252(bytes)) == bytes);
    return 0;
}
