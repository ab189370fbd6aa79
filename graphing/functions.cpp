#include "functions.h"

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

} // namespace graphing
