#pragma once
// The rules of a numeric entry field, without the edit box: the stored value
// and its bounds, the edit text and the shown text made from it, the value
// read back from an edit text, what typing may leave in the box, and the
// check when the focus leaves.  The widget keeps the box, the focus and the
// events and asks this class whenever a text becomes a value or a value a
// text, as a spin box asks its valueFromText, textFromValue and validate.
//
// Texts are Windows-1252; the separators are a parameter.  Examples give the
// German separators ("," decimal, "." group).

#include "NumberText.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelv {

class NumericFieldModel {
public:
    explicit NumericFieldModel(Separators separators, std::string displayFormat = ",0.##");

    // ---- The stored value ---------------------------------------------------

    Extended value() const { return value_; }
    // Stores the value within the bounds, silently, and a zero without its
    // sign unless KeepsSignOfZero.  A value that is not finite is ignored
    // (false), so "inf" or "nan" never shows.
    bool setValue(Extended value);

    // The number an edit text stands for, before the bounds: "1.234,5" gives
    // 1234.5, "" 0, "-" -0, "1e" 1.  Throws EConvertError naming the
    // normalised text ("'+' ist kein gültiger Gleitkommawert").
    Extended numberFromText(std::string_view text) const;
    // Stores the number of an edit text as setValue does.  Throws as
    // numberFromText and then leaves the stored value alone.
    void readText(std::string_view text);
    // The same without an error: a text that is no number stores MinValue.
    // Gives the stored value.
    Extended readTextOrMinValue(std::string_view text);

    // ---- Texts made from the stored value -------------------------------------

    // The edit text: the value with DecimalPlaces decimals at most, no group
    // separators, no trailing zeros ("1234,5"); empty for zero with ZeroEmpty
    // on.  A zero that keeps its sign is "-0".  The reference holds until
    // the next call.
    const std::string& editText() const;
    // The shown text: the value written with DisplayFormat, or in the general
    // number form when that is empty ("1.234,500000" for ",0.000000").
    std::string shownText() const;

    // ---- Typing ---------------------------------------------------------------

    // The character a typed one stands for: a "." or "," that is not the
    // group separator is the decimal separator.
    char typedCharacter(char typed) const;
    // Whether the box may hold `candidate`, the edit text as a keystroke would
    // leave it: a number text (a lone "-" or decimal separator included) with
    // at most DecimalPlaces decimals, and no number below zero where the
    // bounds start at zero.
    bool acceptsTyping(std::string_view candidate) const;
    // An edit text as it shows while the user types with FormatOnEditing on:
    // normalised and, when DisplayFormat groups, grouped ("1234567" gives
    // "1.234.567", "10.5" gives "105").  "" and "-" stay as they are.
    std::string regrouped(std::string_view text) const;

    // ---- Leaving --------------------------------------------------------------

    // The exit check with CheckOnExit on: throws EConvertError for an edit
    // text that is no number and ERangeError ("Wert muß zwischen -180 und 180
    // liegen") for one beyond the bounds.  Stores nothing.
    void checkExit(std::string_view text) const;

    // ---- Settings -------------------------------------------------------------
    //
    // Each setter gives whether the edit text must be made again.

    Separators separators() const { return separators_; }

    unsigned decimalPlaces() const { return decimalPlaces_; }
    bool setDecimalPlaces(unsigned decimalPlaces);

    const std::string& displayFormat() const { return displayFormat_; }
    bool setDisplayFormat(std::string_view pattern);

    // The bounds rule of NumberText's applyBounds; a new bound applies to the
    // stored value at once.  NaN is ignored.
    Extended minValue() const { return minValue_; }
    bool setMinValue(Extended minValue);
    Extended maxValue() const { return maxValue_; }
    bool setMaxValue(Extended maxValue);

    bool zeroEmpty() const { return zeroEmpty_; }
    bool setZeroEmpty(bool on);

    // Whether a zero keeps its sign.  On only where the whole degrees of an
    // angle are written: "-0" there carries the sign of an angle between -1
    // and 0 degrees.  Elsewhere every zero is stored as +0, so a lone "-"
    // left in the box comes back as the field's zero.
    bool keepsSignOfZero() const { return keepsSignOfZero_; }
    bool setKeepsSignOfZero(bool on);

    // Flags the widget acts on; the model only keeps them.
    bool formatOnEditing() const { return formatOnEditing_; }
    void setFormatOnEditing(bool on) { formatOnEditing_ = on; }
    bool checkOnExit() const { return checkOnExit_; }
    void setCheckOnExit(bool on) { checkOnExit_ = on; }

private:
    Extended withinBounds(Extended value) const;
    std::optional<Extended> tryNumberFromText(std::string_view text) const;
    bool setBound(Extended& bound, Extended value);

    Separators separators_;
    Extended value_ = 0;
    Extended minValue_ = 0;
    Extended maxValue_ = 0;
    unsigned decimalPlaces_ = 2;
    bool checkOnExit_ = false;
    bool zeroEmpty_ = true;
    bool formatOnEditing_ = false;
    bool keepsSignOfZero_ = false;
    std::string displayFormat_;

    // The last edit text read with its number before the bounds, and the last
    // edit text made with the value and decimals it came from.  The window
    // reads a field several times between two writes, and a refresh writes
    // many fields their old values again; both conversions are pure
    // functions of these keys, so a hit gives the same result.
    struct ReadMemo {
        std::string text;
        Extended number = 0;
        bool valid = false;
    };
    struct RenderMemo {
        Extended value = 0;
        unsigned decimalPlaces = 0;
        std::string text;
        bool valid = false;
    };
    mutable ReadMemo readMemo_;
    mutable RenderMemo renderMemo_;
};

} // namespace zelv
