#pragma once

#include <optional>

namespace graphing {

// Function `number` (1..5) at x; nothing for another number.
std::optional<double> functionValue(int number, double x);

// The five functions on offer and which one the user has chosen.
class FunctionCatalogue {
public:
    static constexpr int functionCount = 5;

    // Records the choice made with option button `optionIndex` (0-based): function optionIndex + 1.
    void choose(int optionIndex) { m_funcNo = optionIndex + 1; }

    // The chosen function's number 1..5, or nothing before the first choice.
    std::optional<int> funcNo() const { return m_funcNo; }

    // The chosen function at x, or nothing when no function is chosen.
    std::optional<double> f(double x) const
    {
        return m_funcNo ? functionValue(*m_funcNo, x) : std::nullopt;
    }

private:
    std::optional<int> m_funcNo;
};

} // namespace graphing
