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

// Asks for a function of x, starting from `start` and offering the ten typed last (remembered).
// A text that is not a function is told, and the dialog stays; nothing when the user cancels.
std::optional<graphing::Expression> askForFunction(QWidget *parent, const QString &start);

} // namespace app
