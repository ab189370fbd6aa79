#pragma once

#include "functions.h"
#include "picturebox.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>
#include <optional>

namespace app {

class PictureActions;

// The program's only window: the picture, the five function buttons, "Graph" and "End".
class GraphWindow : public QWidget {
    Q_OBJECT

public:
    explicit GraphWindow(QWidget *parent = nullptr);
    ~GraphWindow() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The number of the function whose button is checked; nothing when none is.
    std::optional<int> chosenFunction() const;
    void graphChosenFunction();
    // Asks for a function of x and graphs it over the view shown.
    void graphTypedFunction();
    void describePicture();
    void fitNativeSizeToScreen();

    plot::PictureBox *m_picture = nullptr;
    PictureActions *m_actions = nullptr;
    std::array<QRadioButton *, graphing::functionCount> m_functionButtons{};
};

} // namespace app
