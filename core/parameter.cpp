#include "core/parameter.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::span<const std::int32_t> lf_nonEmpty(std::span<const std::int32_t> choices) {
    if (choices.empty()) {
        throw std::logic_error("a choice setting needs at least one choice");
    }
    return choices;
}

}  // namespace

std::int32_t IntParameter::clamped(std::int32_t number) const { return std::clamp(number, min, max); }

IntChoiceParameter::IntChoiceParameter(std::string name_, std::int32_t defaultValue_,
                                       std::span<const std::int32_t> choices_, std::uint16_t controlId_,
                                       std::int32_t y_)
    : IntControlParameter(std::move(name_), defaultValue_, lf_nonEmpty(choices_).front(), choices_.back(), controlId_,
                          y_),
      choices(choices_.begin(), choices_.end()) {}
