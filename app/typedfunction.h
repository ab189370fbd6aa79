#pragma once

#include "expression.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace app {

// What is wrong with a typed function and where, in one sentence for the user: "a ')' is missing
// at the end", "unknown name 'sinn' at position 1".
QString describeProblem(const graphing::ExpressionError &error);

// The functions typed last, newest first, as remembered from one run to the next.
QStringList rememberedFunctions();

// Asks for a function of x, starting from `start` and offering the ones typed last. A text that
// is not a function is told with where the problem is, and the dialog stays with the text as
// typed; nothing when the user cancels. A function taken is remembered.
std::optional<graphing::Expression> askForFunction(QWidget *parent, const QString &start);

} // namespace app
