#include "expression.h"

#include <muParser.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace graphing {

namespace {

using Kind = ExpressionError::Kind;

constexpr std::array<std::string_view, 17> functionNames{
    "sin", "cos", "tan", "asin", "acos", "atan",  "sinh", "cosh", "tanh",
    "exp", "ln",  "log", "sqrt", "abs",  "floor", "ceil", "sign"};
constexpr std::array<std::string_view, 3> valueNames{"x", "e", "pi"};

// What the rewriting sees of the text: a number, x or a constant, a function's name, an operator
// or a parenthesis, at the position of its first character.
struct Token {
    enum class Type { Number, Value, Function, Operator, Open, Close } type;
    std::string text;
    std::size_t position;
};

// The character starting at byte `at`, which moves past it; a byte that starts no valid UTF-8
// character stands for itself.
char32_t decode(std::string_view text, std::size_t &at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    const std::size_t length = first < 0x80 ? 1 : first >> 5 == 6 ? 2 : first >> 4 == 14 ? 3 : 4;
    if (length == 1 || at + length > text.size()) {
        ++at;
        return first;
    }
    char32_t character = first & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        character = character << 6 | (byte(at + i) & 0x3F);
    at += length;
    return character;
}

bool isLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

std::variant<std::vector<Token>, ExpressionError> tokenize(std::string_view text,
                                                           std::size_t position)
{
    std::vector<Token> tokens;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const char32_t c = decode(text, at);
        ++position;
        const auto add = [&](Token::Type type, std::string spelled) {
            tokens.push_back({type, std::move(spelled), position});
        };
        if (c < 0x20 || c == 0x7F)
            return ExpressionError{Kind::ControlCharacter, {}, position};
        if (c == ' ')
            continue;
        if (isDigit(c) || c == '.') {
            bool point = c == '.';
            for (; at < text.size() && (isDigit(text[at]) || (text[at] == '.' && !point)); ++at)
                point = point || text[at] == '.';
            add(Token::Type::Number, std::string(text.substr(start, at - start)));
            position += at - start - 1;
        } else if (isLetter(c)) {
            while (at < text.size() && isLetter(static_cast<unsigned char>(text[at])))
                ++at;
            std::string name(text.substr(start, at - start));
            std::transform(name.begin(), name.end(), name.begin(),
                           [](char letter) { return letter | 0x20; });
            const bool function =
                std::find(functionNames.begin(), functionNames.end(), name) != functionNames.end();
            if (!function
                && std::find(valueNames.begin(), valueNames.end(), name) == valueNames.end())
                return ExpressionError{Kind::UnknownName,
                                       std::string(text.substr(start, at - start)), position};
            add(function ? Token::Type::Function : Token::Type::Value, name);
            position += at - start - 1;
        } else if (c == U'π') {
            add(Token::Type::Value, "pi");
        } else if (c == U'√') {
            add(Token::Type::Function, "sqrt");
        } else if (c == '(' || c == ')') {
            add(c == '(' ? Token::Type::Open : Token::Type::Close, std::string(1, char(c)));
        } else if (std::u32string_view(U"+-*/^−×·").find(c) != std::u32string_view::npos) {
            // The minus sign and the multiplication signs of print, as the keyboard's.
            add(Token::Type::Operator, c == U'−'                ? "-"
                                       : c == U'×' || c == U'·' ? "*"
                                                                : std::string(1, char(c)));
        } else {
            return ExpressionError{Kind::UnexpectedCharacter,
                                   std::string(text.substr(start, at - start)), position};
        }
    }
    return tokens;
}

// The library's notation of `tokens`, and for each of its bytes the position of the typed
// character it comes from. A product written without a sign gets its '*'; a function before a
// number or a name takes that alone as its argument (√2, sin x).
std::pair<std::string, std::vector<std::size_t>> rewrite(const std::vector<Token> &tokens)
{
    std::string rewritten;
    std::vector<std::size_t> positions;
    // Tokens stand apart, so that two names never run together; a function's name stays against
    // its parenthesis, as the library requires.
    const auto append = [&](std::string_view text, std::size_t position, bool apart = true) {
        rewritten.append(text).append(apart ? " " : "");
        positions.insert(positions.end(), text.size() + (apart ? 1 : 0), position);
    };
    using Type = Token::Type;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token &token = tokens[i];
        if (i > 0) {
            const Type before = tokens[i - 1].type;
            const bool endsOperand =
                before == Type::Number || before == Type::Value || before == Type::Close;
            const bool startsOperand = token.type == Type::Value || token.type == Type::Function
                                       || token.type == Type::Open
                                       || (token.type == Type::Number && before != Type::Number);
            if (endsOperand && startsOperand)
                append("*", token.position);
        }
        const bool bareRoot =
            token.type == Type::Function && i + 1 < tokens.size()
            && (tokens[i + 1].type == Type::Number || tokens[i + 1].type == Type::Value);
        if (bareRoot) {
            append(token.text + "(" + tokens[i + 1].text + ")", token.position);
            ++i;
        } else {
            append(token.text, token.position, token.type != Type::Function);
        }
    }
    return {rewritten, positions};
}

} // namespace

struct Expression::Compiled {
    explicit Compiled(std::string text) : rewritten(std::move(text))
    {
        parser.DefineVar("x", &x);
        parser.DefineConst("e", std::numbers::e);
        parser.DefineConst("pi", std::numbers::pi);
        // The library's own log is the natural one; school's is base 10, and ln the natural.
        parser.DefineFun(
            "log", +[](double value) { return std::log10(value); });
        parser.DefineFun(
            "floor", +[](double value) { return std::floor(value); });
        parser.DefineFun(
            "ceil", +[](double value) { return std::ceil(value); });
        parser.SetExpr(rewritten);
        // The library compiles on the first evaluation, where it reports what it cannot read.
        parser.Eval();
    }
    std::string rewritten;
    mu::Parser parser;
    double x = 0;
};

Expression::Expression(std::string text, std::unique_ptr<Compiled> compiled)
    : m_text(std::move(text)), m_compiled(std::move(compiled))
{}

Expression::Expression(const Expression &other)
    : m_text(other.m_text), m_compiled(std::make_unique<Compiled>(other.m_compiled->rewritten))
{}

Expression &Expression::operator=(const Expression &other)
{
    if (this != &other)
        *this = Expression(other);
    return *this;
}

Expression::Expression(Expression &&) noexcept = default;
Expression &Expression::operator=(Expression &&) noexcept = default;
Expression::~Expression() = default;

std::variant<Expression, ExpressionError> Expression::parse(std::string_view text)
{
    std::size_t length = 0;
    for (std::size_t at = 0; at < text.size(); ++length)
        decode(text, at);
    if (length > maximumLength)
        return ExpressionError{Kind::TooLong, {}, 0};
    // A leading "y =", as the program's own captions write a function.
    const std::size_t start = text.find_first_not_of(' ');
    std::size_t skipped = 0;
    if (start != std::string_view::npos && (text[start] == 'y' || text[start] == 'Y')) {
        const std::size_t equals = text.find_first_not_of(' ', start + 1);
        if (equals != std::string_view::npos && text[equals] == '=')
            skipped = equals + 1;
    }
    // Every character skipped is a byte of ASCII.
    auto tokens = tokenize(text.substr(skipped), skipped);
    if (const auto *const error = std::get_if<ExpressionError>(&tokens))
        return *error;
    const std::vector<Token> &found = std::get<std::vector<Token>>(tokens);
    if (found.empty())
        return ExpressionError{Kind::Empty, {}, 0};
    const auto [rewritten, positions] = rewrite(found);
    std::string typed(text.substr(skipped));
    typed.erase(0, typed.find_first_not_of(' '));
    typed.erase(typed.find_last_not_of(' ') + 1);
    try {
        return Expression(std::move(typed), std::make_unique<Compiled>(rewritten));
    } catch (const mu::Parser::exception_type &error) {
        const auto at = static_cast<std::size_t>(std::max(0, error.GetPos()));
        const std::size_t position = at < positions.size() ? positions[at] : 0;
        switch (error.GetCode()) {
        case mu::ecMISSING_PARENS: return ExpressionError{Kind::MissingParenthesis, ")", 0};
        case mu::ecUNEXPECTED_PARENS:
            return ExpressionError{Kind::UnmatchedParenthesis, ")", position};
        case mu::ecUNEXPECTED_EOF: return ExpressionError{Kind::MissingOperand, {}, 0};
        default: break;
        }
        // The library names the token it stopped at, somewhere a number or x was due.
        return ExpressionError{position == 0 ? Kind::MissingOperand : Kind::Unexpected,
                               error.GetToken(), position};
    }
}

std::optional<double> Expression::operator()(double x) const
{
    m_compiled->x = x;
    const double value = m_compiled->parser.Eval();
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

} // namespace graphing
