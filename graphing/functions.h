#pragma once

#include <optional>
#include <string_view>

namespace graphing {

// The functions on offer, numbered 1..5 in the order the window lists them.
inline constexpr int functionCount = 5;

// Function `number` at x; nothing for a number outside 1..5.
std::optional<double> functionValue(int number, double x);

// Function `number` as a reader writes it: "y = 5 sin(x)/x". Empty for a number outside 1..5.
std::string_view functionFormula(int number);

} // namespace graphing
