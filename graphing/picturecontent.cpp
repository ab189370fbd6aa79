#include "picturecontent.h"

#include "axes.h"
#include "curvetracer.h"
#include "functions.h"

namespace graphing {

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
