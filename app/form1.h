#pragma once

#include "drawingfailed.h"
#include "functioncatalogue.h"
#include "optionbutton.h"
#include "picturebox.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace app {

// The program's only window: the picture, the five function choices, "Graph" and "End".
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // The chosen function at x; nothing while no function is chosen.
    std::optional<double> f(double x) const { return m_catalogue.f(x); }
    std::optional<int> funcNo() const { return m_catalogue.funcNo(); }

protected:
    // Where the handlers draw: the picture's own surface.
    virtual graphing::PlotSurface &drawingSurface();

private:
    void buildControls();
    void wireEvents();
    void setTabOrderByDesign();

    void load();
    void optionClick(std::int16_t index);
    void graphClick();
    void endClick();

    // Runs one drawing on the picture; a failed drawing call ends it there and the user is told
    // which operation failed, while the window stays usable.
    void drawOnPicture(const std::function<void(graphing::PlotSurface &)> &drawing);
    void reportDrawingFailure(const graphing::DrawingFailed &failure);

    graphing::FunctionCatalogue m_catalogue;

    QLabel *Label4 = nullptr;
    plot::PictureBox *Picture1 = nullptr;
    std::array<OptionButton *, graphing::FunctionCatalogue::functionCount> Option1{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};

} // namespace app
