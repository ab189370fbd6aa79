#pragma once

#include "drawingfailed.h"
#include "functionbutton.h"
#include "functioncatalogue.h"
#include "picturebox.h"
#include "picturecontent.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

namespace app {

class PictureReadOff;

// The program's only window: the picture, the five function buttons, "Graph" and "End".
class GraphWindow : public QWidget {
    Q_OBJECT

public:
    explicit GraphWindow(QWidget *parent = nullptr);
    ~GraphWindow() override;

    GraphWindow(const GraphWindow &) = delete;
    GraphWindow &operator=(const GraphWindow &) = delete;

    // The chosen function at x; nothing while no function is chosen.
    std::optional<double> f(double x) const { return m_catalogue.f(x); }
    std::optional<int> funcNo() const { return m_catalogue.funcNo(); }

protected:
    // Where the handlers draw: the picture's own surface.
    virtual graphing::PlotSurface &drawingSurface();

    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void wireEvents();
    void setTabOrderByDesign();

    void drawStartupFrame();
    void chooseFunction(int buttonIndex);
    void graphChosenFunction();

    // Runs one drawing on the picture, which then shows `content`; a failed drawing call ends it
    // there and the user is told which operation failed, while the window stays usable.
    void drawOnPicture(const std::function<void(graphing::PlotSurface &)> &drawing,
                       const graphing::PictureContent &content);
    void reportDrawingFailure(const QString &operation);
    void describePicture();
    void fitNativeSizeToScreen();

    graphing::FunctionCatalogue m_catalogue;

    QLabel *m_title = nullptr;
    plot::PictureBox *m_picture = nullptr;
    PictureReadOff *m_readOff = nullptr;
    std::array<FunctionButton *, graphing::FunctionCatalogue::functionCount> m_functionButtons{};
    QPushButton *m_graphButton = nullptr;
    QPushButton *m_endButton = nullptr;
};

} // namespace app
