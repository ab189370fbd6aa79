#include "picturecontent.h"

#include "axes.h"
#include "curvetracer.h"
#include "drawingfailed.h"
#include "functioncatalogue.h"

namespace graphing {

void drawPicture(PlotSurface &surface, const PictureContent &content)
{
    if (!content.graphedFunction) {
        drawStartupFrame(surface);
        return;
    }
    // A press draws on a surface whose scale the start-up frame set; a fresh one needs it first.
    require(surface.setScale(plotTopLeft, plotBottomRight), DrawingOperation::SetScale);
    FunctionCatalogue catalogue;
    catalogue.choose(*content.graphedFunction - 1);
    traceCurve(surface, [&catalogue](double x) { return catalogue.f(x); });
}

} // namespace graphing
