#pragma once
// Number texts: the one place where numbers become text and text becomes
// numbers.  Values are 80-bit extended (long double on x86-64); texts are
// Windows-1252 byte strings.  The locale's separators are a parameter, never
// read from the environment here, so every rule runs under any locale.

#include <string>
#include <string_view>

namespace zelv {

using Extended = long double;

// The locale's decimal and group (thousands) separators.
struct Separators {
    char decimal = ',';
    char group = '.';
};

inline constexpr Separators germanSeparators{',', '.'};
inline constexpr Separators pointSeparators{'.', ','};

// The general text-to-number conversion: blanks (0x20) around an optional
// "+" or "-", digits with at most one decimal separator (at least a digit or
// the separator), and an optional exponent ("E"/"e", optional sign, digits,
// which may be missing: "1e" is 1).  Anything else, the empty text included,
// throws EConvertError "'%s' ist kein gültiger Gleitkommawert" naming the
// text exactly as given.
Extended textToFloat(std::string_view text, Separators separators);

// The same test without throwing: true and the value when the text converts.
bool tryTextToFloat(std::string_view text, Separators separators, Extended& value);

// The conversion error for a text, as textToFloat raises it.
[[noreturn]] void throwConvertError(std::string_view text);

// printf's "%.*f": exactly `decimals` decimals with the given decimal
// separator, no group separators, "-" for a negative value.
std::string formatFixed(Extended value, int decimals, Separators separators);

// The general number form: at most `significantDigits` significant digits,
// no trailing zeros, no trailing separator, no group separators.  Plain
// decimal notation unless the decimal exponent is below -5 or at least
// `significantDigits`; then scientific ("1,5E+20").
std::string formatGeneral(Extended value, int significantDigits, Separators separators);

} // namespace zelv
