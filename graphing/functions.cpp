#include "functions.h"

#include <array>
#include <cmath>

namespace graphing {

// Each expression keeps its own grouping and order of operations, so that every value is the
// same double the formula gives when evaluated step by step.
std::optional<double> functionValue(int number, double x)
{
    if (number == 1)
        return x * x - 2;
    if (number == 2)
        return x * std::exp(-x) + 2;
    if (number == 3) {
        // 5 sin(x)/x tends to 5 at 0; the quotient itself would be 0/0 there.
        if (x == 0)
            return 5.0;
        return std::sin(x) * 5.0 / x;
    }
    if (number == 4)
        return std::exp(x) - 1.0 - std::pow(x, 2);
    if (number == 5)
        return std::sqrt(std::pow(x, 2) + 1);
    return std::nullopt;
}

std::string_view functionFormula(int number)
{
    constexpr std::array<std::string_view, functionCount> formulas{
        "y = x^2 - 2", "y = x exp(-x) + 2", "y = 5 sin(x)/x", "y = exp(x) - 1 - x^2",
        "y = sqrt(x^2 + 1)"};
    return number >= 1 && number <= functionCount ? formulas.at(std::size_t(number - 1))
                                                  : std::string_view();
}

} // namespace graphing
