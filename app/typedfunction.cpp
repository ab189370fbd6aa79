#include "typedfunction.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>

namespace app {

namespace {

// Texts worded here are translated in this context.
struct TypedFunction {
    Q_DECLARE_TR_FUNCTIONS(app::TypedFunction)
};

constexpr QLatin1String rememberedKey("functions/typed");

} // namespace

QString describeProblem(const graphing::ExpressionError &error)
{
    using Kind = graphing::ExpressionError::Kind;
    const QString token = QString::fromStdString(error.token);
    const auto at = [&error](const QString &text) {
        return error.position == 0
                   ? text.arg(TypedFunction::tr("at the end"))
                   : text.arg(TypedFunction::tr("at position %1").arg(error.position));
    };
    switch (error.kind) {
    case Kind::Empty: return TypedFunction::tr("the function is empty: type a formula in x");
    case Kind::TooLong:
        return TypedFunction::tr("the function is longer than %1 characters")
            .arg(graphing::Expression::maximumLength);
    case Kind::ControlCharacter: return at(TypedFunction::tr("a control character %1"));
    case Kind::UnknownName:
        return at(TypedFunction::tr("unknown name '%1' %2").arg(token, QStringLiteral("%1")));
    case Kind::UnexpectedCharacter:
        return at(TypedFunction::tr("'%1' is not part of a formula, %2")
                      .arg(token, QStringLiteral("%1")));
    case Kind::MissingParenthesis: return at(TypedFunction::tr("a ')' is missing %1"));
    case Kind::UnmatchedParenthesis: return at(TypedFunction::tr("the ')' %1 closes no '('"));
    case Kind::MissingOperand: return at(TypedFunction::tr("a number or x is missing %1"));
    case Kind::Unexpected: break;
    }
    return at(TypedFunction::tr("'%1' cannot stand %2").arg(token, QStringLiteral("%1")));
}

std::optional<graphing::Expression> askForFunction(QWidget *parent, const QString &start)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("functionDialog"));
    dialog.setWindowTitle(TypedFunction::tr("Type a Function"));
    dialog.setLabelText(TypedFunction::tr(
        "y = a formula in x, such as 0.5x^2 - 3, tan(x) or √(1 - x^2).\n"
        "Functions: sin cos tan asin acos atan sinh cosh tanh exp ln log sqrt abs floor ceil "
        "sign; constants: pi and e."));
    QSettings settings(QStringLiteral("function-graph"), QStringLiteral("function-graph"));
    QStringList offered = settings.value(rememberedKey).toStringList();
    offered.removeAll(start);
    offered.prepend(start);
    dialog.setComboBoxItems(offered);
    dialog.setComboBoxEditable(true);
    dialog.setTextValue(start);
    while (dialog.exec() == QDialog::Accepted) {
        const QString typed = dialog.textValue();
        auto parsed = graphing::Expression::parse(typed.toStdString());
        if (auto *const expression = std::get_if<graphing::Expression>(&parsed)) {
            QStringList remembered = settings.value(rememberedKey).toStringList();
            remembered.removeAll(typed);
            remembered.prepend(typed);
            settings.setValue(rememberedKey, remembered.mid(0, 10));
            return std::move(*expression);
        }
        QMessageBox message(QMessageBox::Warning, dialog.windowTitle(),
                            TypedFunction::tr("This is not a function of x."), QMessageBox::Ok,
                            &dialog);
        message.setObjectName(QStringLiteral("functionProblem"));
        const QString problem = describeProblem(std::get<graphing::ExpressionError>(parsed));
        message.setInformativeText(problem.left(1).toUpper() + problem.mid(1) + QLatin1Char('.'));
        message.exec();
        dialog.setTextValue(typed);
    }
    return std::nullopt;
}

} // namespace app
