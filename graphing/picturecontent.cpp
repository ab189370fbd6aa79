#include "picturecontent.h"

#include "axes.h"
#include "curvetracer.h"
#include "functions.h"

namespace graphing {

std::optional<double> valueOnPicture(const PictureContent &content, double x)
{
    if (!content.graphedFunction)
        return std::nullopt;
    const std::optional<double> value = functionValue(*content.graphedFunction, x);
    // Written so that a value that is not a number fails it too.
    const bool onPicture = value && *value >= plotBottomRight.y && *value <= plotTopLeft.y;
    return onPicture ? value : std::nullopt;
}

void drawPicture(PlotSurface &surface, const PictureContent &content)
{
    if (!content.graphedFunction) {
        drawStartupFrame(surface, content.style);
        return;
    }
    // The start-up frame sets the scale itself; the graph's frame leaves it as it finds it.
    require(surface.setScale(plotTopLeft, plotBottomRight), DrawingOperation::SetScale);
    const int function = *content.graphedFunction;
    traceCurve(
        surface, [function](double x) { return functionValue(function, x); }, content.style);
}

} // namespace graphing
