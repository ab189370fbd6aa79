#include "readouttext.h"

#include "axes.h"
#include "functioncatalogue.h"

#include <QCoreApplication>

#include <cmath>

namespace app {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ReadOut", text);
}

// The words about the graphed function at `x`, once one is graphed: "f(x) = 4.21" or
// "f(x) off the picture".
std::optional<QString> functionPart(const graphing::PictureContent &content, double x)
{
    if (!content.graphedFunction)
        return std::nullopt;
    const std::optional<double> value = valueOnPicture(content, x);
    return value ? tr("f(x) = %1").arg(readOutNumber(*value)) : tr("f(x) off the picture");
}

} // namespace

QString readOutNumber(double value)
{
    const QString text = QString::number(value, 'f', 2);
    // A value that rounds to zero from below is zero to the reader.
    return text == QLatin1String("-0.00") ? QStringLiteral("0.00") : text;
}

std::optional<double> valueOnPicture(const graphing::PictureContent &content, double x)
{
    if (!content.graphedFunction)
        return std::nullopt;
    graphing::FunctionCatalogue catalogue;
    catalogue.choose(*content.graphedFunction - 1);
    const std::optional<double> value = catalogue.f(x);
    if (!value || !std::isfinite(*value) || *value < graphing::plotBottomRight.y
        || *value > graphing::plotTopLeft.y)
        return std::nullopt;
    return value;
}

QString pointerReadOut(QPointF user, const graphing::PictureContent &content)
{
    QString text = tr("x = %1, y = %2").arg(readOutNumber(user.x()), readOutNumber(user.y()));
    if (const std::optional<QString> function = functionPart(content, user.x()))
        text += QLatin1Char('\n') + *function;
    return text;
}

QString keyboardReadOut(double x, const graphing::PictureContent &content)
{
    QString text = tr("x = %1").arg(readOutNumber(x));
    if (const std::optional<QString> function = functionPart(content, x))
        text += QLatin1Char('\n') + *function;
    return text;
}

QString spokenReadOut(double x, const graphing::PictureContent &content)
{
    QString text = tr("At x = %1").arg(readOutNumber(x));
    if (const std::optional<QString> function = functionPart(content, x))
        text += QStringLiteral(": ") + *function;
    return text;
}

} // namespace app
