#include "NumericFieldModel.h"

#include "Exception.h"

#include <cmath>
#include <utility>

namespace zelv {

NumericFieldModel::NumericFieldModel(Separators separators, std::string displayFormat)
    : separators_(separators), displayFormat_(std::move(displayFormat))
{
}

Extended NumericFieldModel::withinBounds(Extended value) const
{
    value = applyBounds(value, minValue_, maxValue_);
    if (value == 0 && !keepsSignOfZero_)
        return 0;
    return value;
}

bool NumericFieldModel::setValue(Extended value)
{
    if (!std::isfinite(value))
        return false;
    value_ = withinBounds(value);
    return true;
}

std::optional<Extended> NumericFieldModel::tryNumberFromText(std::string_view text) const
{
    if (readMemo_.valid && readMemo_.text == text)
        return readMemo_.number;
    const std::optional<Extended> number = tryTextToFloat(normalizeNumberText(text, separators_), separators_);
    if (!number)
        return std::nullopt;
    readMemo_.text = text;
    readMemo_.number = *number;
    readMemo_.valid = true;
    return number;
}

Extended NumericFieldModel::numberFromText(std::string_view text) const
{
    const std::optional<Extended> number = tryNumberFromText(text);
    if (!number)
        throwConvertError(normalizeNumberText(text, separators_));
    return *number;
}

void NumericFieldModel::readText(std::string_view text)
{
    value_ = withinBounds(numberFromText(text));
}

Extended NumericFieldModel::readTextOrMinValue(std::string_view text)
{
    const std::optional<Extended> number = tryNumberFromText(text);
    value_ = number ? withinBounds(*number) : minValue_;
    return value_;
}

const std::string& NumericFieldModel::editText() const
{
    static const std::string empty;
    if (value_ == 0 && !std::signbit(value_) && zeroEmpty_)
        return empty;
    RenderMemo& memo = renderMemo_;
    if (!(memo.valid && memo.value == value_ && std::signbit(memo.value) == std::signbit(value_)
          && memo.decimalPlaces == decimalPlaces_)) {
        memo.text = formatPattern(value_, editPattern(decimalPlaces_), separators_);
        memo.value = value_;
        memo.decimalPlaces = decimalPlaces_;
        memo.valid = true;
    }
    return memo.text;
}

std::string NumericFieldModel::shownText() const
{
    return formatDisplay(value_, displayFormat_, separators_);
}

char NumericFieldModel::typedCharacter(char typed) const
{
    if ((typed == '.' || typed == ',') && typed != separators_.group)
        return separators_.decimal;
    return typed;
}

bool NumericFieldModel::acceptsTyping(std::string_view candidate) const
{
    return isAcceptableTyping(candidate, decimalPlaces_, minValue_, maxValue_, separators_);
}

std::string NumericFieldModel::regrouped(std::string_view text) const
{
    // Normalising would write a "0" the user did not type into an empty box
    // or after a lone "-".
    const std::string plain =
        text.empty() || text == "-" ? std::string(text) : normalizeNumberText(text, separators_);
    return groupDigits(plain, displayFormat_.find(',') != std::string::npos, separators_);
}

void NumericFieldModel::checkExit(std::string_view text) const
{
    if (checkOnExit_)
        requireWithinBounds(numberFromText(text), minValue_, maxValue_, decimalPlaces_, separators_);
}

bool NumericFieldModel::setDecimalPlaces(unsigned decimalPlaces)
{
    if (decimalPlaces == decimalPlaces_)
        return false;
    decimalPlaces_ = decimalPlaces;
    return true;
}

bool NumericFieldModel::setDisplayFormat(std::string_view pattern)
{
    if (pattern == displayFormat_)
        return false;
    displayFormat_ = pattern;
    return true;
}

bool NumericFieldModel::setBound(Extended& bound, Extended value)
{
    if (std::isnan(value) || value == bound)
        return false;
    bound = value;
    value_ = withinBounds(value_);
    return true;
}

bool NumericFieldModel::setMinValue(Extended minValue)
{
    return setBound(minValue_, minValue);
}

bool NumericFieldModel::setMaxValue(Extended maxValue)
{
    return setBound(maxValue_, maxValue);
}

bool NumericFieldModel::setZeroEmpty(bool on)
{
    if (on == zeroEmpty_)
        return false;
    zeroEmpty_ = on;
    return true;
}

bool NumericFieldModel::setKeepsSignOfZero(bool on)
{
    if (on == keepsSignOfZero_)
        return false;
    keepsSignOfZero_ = on;
    value_ = withinBounds(value_);
    return true;
}

} // namespace zelv
