#pragma once
// Conversion between UTF-8 (what the window and the clipboard deliver) and the
// Windows-1252 texts of the engine, by the code page's table.  The clipboard
// reader converts every text it is given, up to megabytes, so this takes no
// detour through a general converter.

#include <string>
#include <string_view>

namespace zelv {

// The character that stands for one that Windows-1252 lacks.  It matches no
// literal of the clipboard reader and is no digit, blank or sign, so a
// replaced character can never make a text look like a coordinate.
inline constexpr char unrepresentableChar = '?';

// UTF-8 to Windows-1252, one character for each character, except for the
// typographic marks that web pages and word processors use in coordinates
// and the code page lacks: the prime U+2032 and the modifier apostrophe
// U+02BC become "'", the double prime U+2033 becomes "''", the ring above
// U+02DA becomes the degree sign 0xB0, the minus sign U+2212 becomes "-",
// and the spaces that group digits (figure space U+2007, thin space U+2009,
// narrow no-break space U+202F) become the no-break space 0xA0; the
// invisible format characters U+FEFF, U+200B, U+200E, U+200F and U+2060
// are dropped.
// Every other character that Windows-1252 lacks, and every byte that is no
// valid UTF-8, becomes unrepresentableChar.  Control characters pass as they
// are; the C1 controls U+0081, U+008D, U+008F, U+0090 and U+009D become the
// byte of the same number, so that fromWindows1252 is undone exactly.
std::string toWindows1252(std::string_view utf8);

// The same, appended to `out`: a text converted piece by piece.
void appendWindows1252(std::string_view utf8, std::string& out);

// Whether the bytes are UTF-8: no overlong form, surrogate or code beyond
// U+10FFFF, and no sequence cut short.
bool isValidUtf8(std::string_view bytes);

// Windows-1252 to UTF-8.  The five codes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
std::string fromWindows1252(std::string_view windows1252);

} // namespace zelv
