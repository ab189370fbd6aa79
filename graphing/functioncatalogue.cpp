#include "functioncatalogue.h"

#include <cmath>

namespace graphing {

// Each expression keeps its own grouping and order of operations, so that every value is the
// same double the formula gives when evaluated step by step.
std::optional<double> FunctionCatalogue::f(double x) const
{
    const std::optional<int> chosen = m_funcNo;
    if (chosen == 1)
        return x * x - 2;
    if (chosen == 2)
        return x * std::exp(-x) + 2;
    if (chosen == 3) {
        // 5 sin(x)/x tends to 5 at 0; the quotient itself would be 0/0 there.
        if (x == 0)
            return 5.0;
        return std::sin(x) * 5.0 / x;
    }
    if (chosen == 4)
        return std::exp(x) - 1.0 - std::pow(x, 2);
    if (chosen == 5)
        return std::sqrt(std::pow(x, 2) + 1);
    return std::nullopt;
}

} // namespace graphing
