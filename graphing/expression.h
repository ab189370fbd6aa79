#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace graphing {

// Why a typed text is not a function of x, and where: `position` counts characters from 1; 0 means
// at the end of the text.
struct ExpressionError {
    enum class Kind {
        Empty,
        TooLong,              // more than maximumLength characters
        ControlCharacter,     // at `position`
        UnknownName,          // `token` at `position`
        UnexpectedCharacter,  // `token` at `position`
        MissingParenthesis,   // a ')' missing at the end
        UnmatchedParenthesis, // the ')' at `position` closes nothing
        MissingOperand,       // the text ends where an operand is due
        Unexpected            // `token` at `position` cannot stand there
    };
    Kind kind;
    std::string token;
    std::size_t position = 0;
};

// A function of x as a school calculator writes it: numbers, x, + - * / ^ (right to left, tighter
// than a leading minus), parentheses, products without a sign (2x, x sin(x)), pi, π, e, sin cos tan
// asin acos atan sinh cosh tanh exp ln log (base 10) sqrt √ abs floor ceil sign, a leading "y =".
// School notation is rewritten into the expression library's, which compiles it once.
class Expression {
public:
    static constexpr std::size_t maximumLength = 1000;

    static std::variant<Expression, ExpressionError> parse(std::string_view text);

    // The value at x; nothing where the function has none (outside its domain, at a pole).
    // Evaluating is not safe from several threads at once on one object: each copy is its own.
    std::optional<double> operator()(double x) const;

    // The text as typed, without a leading "y =" and the spaces around it.
    const std::string &text() const { return m_text; }

    Expression(const Expression &other);
    Expression &operator=(const Expression &other);
    Expression(Expression &&) noexcept;
    Expression &operator=(Expression &&) noexcept;
    ~Expression();

    friend bool operator==(const Expression &a, const Expression &b)
    {
        return a.m_text == b.m_text;
    }

private:
    struct Compiled;
    Expression(std::string text, std::unique_ptr<Compiled> compiled);

    std::string m_text;
    std::unique_ptr<Compiled> m_compiled;
};

} // namespace graphing
