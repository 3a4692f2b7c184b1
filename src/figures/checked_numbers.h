#pragma once
// A figure job's numbers as read from its fields, or nullopt after the message naming the field:
// the reading's own refusal first, then what `rangeProblem` (numbers -> optional message) finds
// against the picture. The figure windows and vexa-cli check alike.

#include <optional>
#include <string>
#include <variant>

#include "link/prompts.h"

namespace vexa::figures {

template <typename Numbers, typename RangeProblem>
std::optional<Numbers> CheckedNumbers(link::Prompts& prompts,
                                      const std::variant<Numbers, std::string>& read,
                                      RangeProblem&& rangeProblem) {
  std::optional<std::string> problem;
  if (const auto* unread = std::get_if<std::string>(&read)) {
    problem = *unread;
  } else {
    problem = rangeProblem(std::get<Numbers>(read));
  }
  if (!problem) return std::get<Numbers>(read);
  prompts.message(link::kErrorCaption, *problem);
  return std::nullopt;
}

}  // namespace vexa::figures
