#pragma once
// Number texts: the one place where numbers become text and text becomes
// numbers.  Values are 80-bit extended (long double on x86-64); texts are
// Windows-1252 byte strings.  The locale's separators are a parameter, never
// read from the environment here, so every rule runs under any locale.

#include <optional>
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

// The same conversion without throwing: the value, or nullopt when the text
// does not convert.
std::optional<Extended> tryTextToFloat(std::string_view text, Separators separators);

// The conversion error for a text, as textToFloat raises it.
[[noreturn]] void throwConvertError(std::string_view text);

// printf's "%.*f": exactly `decimals` decimals with the given decimal
// separator, no group separators, "-" for a negative value.
std::string formatFixed(Extended value, int decimals, Separators separators);

// The general number form: at most `significantDigits` significant digits,
// no trailing zeros, no trailing separator, no group separators.  Plain
// decimal notation unless the decimal exponent is below -5 or at least
// `significantDigits`; then scientific ("1,5E+20").  Fewer than one
// significant digit count as one.  Next to the largest value the rounded
// digits can lie beyond it and then do not convert back.
std::string formatGeneral(Extended value, int significantDigits, Separators separators);

// ---- Number patterns --------------------------------------------------------
//
// A pattern writes a number: "0" is a digit always written, "#" a digit
// written only when significant, the first "." marks the decimal separator, a
// "," anywhere switches on grouping of the integer digits by threes, and ";"
// starts the section for negative values (written without their sign; an
// empty or missing one means the first section with a leading "-").  Text in
// single or double quotes and every other character is copied: what stands
// before the first digit or "." goes in front of the number, everything else
// after it.  The number is rounded to the last digit the section writes,
// halves away from zero, on its decimal form of 18 significant digits (those
// of 1.18973149535723176E+4932 for the values above it, whose own would
// round past the largest value).  A
// section without any "0" writes nothing at all for a number that rounds to
// zero.  A negative number that rounds to zero is written as zero; the signed
// zero itself keeps its sign ("-0" for ",0"), so a field can carry the sign of
// an angle whose whole degrees are zero.
std::string formatPattern(Extended value, std::string_view pattern, Separators separators);

// The shown form of a field: the pattern, or the general number form with 15
// significant digits when the pattern is empty ("-0" for the signed zero).
std::string formatDisplay(Extended value, std::string_view pattern, Separators separators);

// The value a field with `decimalPlaces` decimals holds once `value` is
// written to it: its edit text, formatPattern(value, editPattern(decimals)),
// read back by textToFloat.  The same value, computed without the texts
// wherever the value allows, for lists of values.
Extended valueHeldByField(Extended value, unsigned decimalPlaces);

// The pattern of a field's edit text: "0", then "." and one "#" per decimal
// place when there are any ("0.######" for 6).
std::string editPattern(unsigned decimalPlaces);

// The default display pattern built from a locale's currency settings: ",0."
// and `decimals` zeros, the symbol (each "," or "." of it quoted) before,
// after, before with a blank or after with a blank for placement 0 to 3, and
// the whole P doubled into P;-P.
std::string currencyPattern(std::string_view symbol, unsigned decimals, int placement);

// A number text made ready for conversion: blanks cut at both ends, group
// separators dropped (unless they equal the decimal separator), a "." or ","
// that is neither separator read as the decimal separator; "" becomes "0"
// and "-" becomes "-0".
std::string normalizeNumberText(std::string_view text, Separators separators);

// With grouping on, group separators between every three integer digits
// counted from the right (leading zeros count as digits); a leading sign and
// everything from the decimal separator or the exponent on stay as they are.
// With grouping off the text comes back unchanged.
std::string groupDigits(std::string_view text, bool grouping, Separators separators);

// ---- Bounds of a numeric field ----------------------------------------------

// The bounds rule: equal bounds (0..0 too) leave v alone; min < max clamps to
// both; min > max clamps only to min when max is 0, only to max when min is 0,
// and else leaves v alone.
Extended applyBounds(Extended value, Extended minValue, Extended maxValue);

// The same rule as a check: v itself when the rule leaves it, else throws
// ERangeError "Wert muß zwischen <min> und <max> liegen", both bounds written
// with `decimals` decimals.
Extended requireWithinBounds(Extended value, Extended minValue, Extended maxValue,
                             unsigned decimals, Separators separators);

// Whether a field may hold `candidate` (the edit text as it would be after a
// keystroke): after normalising, at most `decimals` characters between the
// decimal separator and an exponent or the end, only separator, signs, digits
// and "E"/"e", the first 63 characters convert, and no number below zero in a
// field whose bounds are min >= 0 and max > 0 (a lone "-" passes).
bool isAcceptableTyping(std::string_view candidate, unsigned decimals, Extended minValue,
                        Extended maxValue, Separators separators);

} // namespace zelv
