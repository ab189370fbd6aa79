#include "form1.h"

#include "axes.h"
#include "curvetracer.h"
#include "designdata.h"
#include "fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>

#include <algorithm>
#include <map>

namespace app {

namespace {

QString optionName(std::size_t index)
{
    return QStringLiteral("Option1(%1)").arg(index);
}

void setBackground(QWidget &widget, QPalette::ColorRole role, QRgb colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, QColor::fromRgb(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// Gives `widget` its designed names, place, caption font and background.
void applyDesign(QWidget &widget, const ControlDesign &design, QPalette::ColorRole backgroundRole)
{
    widget.setObjectName(toQString(design.name));
    widget.setAccessibleName(toQString(design.accessibleName));
    widget.setGeometry(design.rect());
    if (design.font)
        widget.setFont(fontFor(*design.font));
    if (design.background)
        setBackground(widget, backgroundRole, *design.background);
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    buildControls();
    wireEvents();
    setTabOrderByDesign();
    load();

    // The first option starts chosen, as if clicked, and holds the focus.
    Option1[0]->click();
    Option1[0]->setFocus();
}

void Form1::buildControls()
{
    const ControlDesign &form = designOf("Form1");
    setObjectName(toQString(form.name));
    setAccessibleName(toQString(form.accessibleName));
    setWindowTitle(toQString(form.caption));
    setFixedSize(form.rect().size());
    setBackground(*this, QPalette::Window, *form.background);

    const ControlDesign &picture = designOf("Picture1");
    Picture1 = new plot::PictureBox(picture.rect().size(), QColor::fromRgb(*picture.background),
                                    QColor::fromRgb(pictureForeground), this);
    applyDesign(*Picture1, picture, QPalette::Window);
    Picture1->setFocusPolicy(Qt::TabFocus);

    const ControlDesign &label = designOf("Label4");
    Label4 = new QLabel(toQString(label.caption), this);
    applyDesign(*Label4, label, QPalette::Window);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The title is wider at its font than its designed box: the box grows to the right (where
    // nothing else stands) so that the whole title shows.
    const QFontMetrics metrics(Label4->font());
    const int textWidth = std::max(metrics.horizontalAdvance(Label4->text()),
                                   metrics.boundingRect(Label4->text()).right() + 1);
    Label4->resize(std::max(Label4->width(), textWidth + 2), Label4->height());

    for (std::size_t i = 0; i < Option1.size(); ++i) {
        const ControlDesign &option = designOf(optionName(i).toStdString());
        Option1[i] = new OptionButton(toQString(option.caption), this);
        applyDesign(*Option1[i], option, QPalette::Button);
    }

    const ControlDesign &graph = designOf("Command1");
    Command1 = new QPushButton(toQString(graph.caption), this);
    applyDesign(*Command1, graph, QPalette::Button);

    const ControlDesign &end = designOf("Command2");
    Command2 = new QPushButton(toQString(end.caption), this);
    applyDesign(*Command2, end, QPalette::Button);

    // The title and the option buttons reach one pixel into the picture's edges; the picture
    // stays whole on top, so its end ticks and curve show in full.
    Picture1->raise();
}

void Form1::wireEvents()
{
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        connect(Option1[i], &QAbstractButton::clicked, this,
                [this, i] { optionClick(static_cast<std::int16_t>(i)); });
    }
    connect(Command1, &QAbstractButton::clicked, this, &Form1::graphClick);
    connect(Command2, &QAbstractButton::clicked, this, &Form1::endClick);
}

void Form1::setTabOrderByDesign()
{
    std::map<int, QWidget *> byTabIndex;
    for (const ControlDesign &control : form1Design) {
        auto *const widget = findChild<QWidget *>(toQString(control.name));
        if (control.tabIndex && widget != nullptr && widget->focusPolicy() != Qt::NoFocus)
            byTabIndex.emplace(*control.tabIndex, widget);
    }
    QWidget *previous = nullptr;
    for (const auto &[tabIndex, widget] : byTabIndex) {
        if (previous != nullptr)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

graphing::PlotSurface &Form1::drawingSurface()
{
    return Picture1->surface();
}

void Form1::load()
{
    drawOnPicture([](graphing::PlotSurface &surface) { graphing::drawStartupFrame(surface); });
    Picture1->setAccessibleDescription(toQString(axesDescription));
}

void Form1::optionClick(std::int16_t index)
{
    m_catalogue.choose(index);
}

void Form1::graphClick()
{
    drawOnPicture([this](graphing::PlotSurface &surface) {
        graphing::traceCurve(surface, [this](double x) { return f(x); });
    });
    // Without a known choice the curve runs along y = 0, as no value plots as 0.
    const std::optional<int> shown = funcNo();
    const bool known = shown && *shown >= 1 && *shown <= int(Option1.size());
    const QString function =
        known ? Option1[std::size_t(*shown - 1)]->accessibleName() : QStringLiteral("y = 0");
    Picture1->setAccessibleDescription(toQString(graphDescription).arg(function));
}

void Form1::endClick()
{
    QApplication::quit();
}

void Form1::drawOnPicture(const std::function<void(graphing::PlotSurface &)> &drawing)
{
    try {
        drawing(drawingSurface());
    } catch (const graphing::DrawingFailed &failure) {
        reportDrawingFailure(failure);
    }
    Picture1->update();
}

void Form1::reportDrawingFailure(const graphing::DrawingFailed &failure)
{
    // Not modal to the application: the message waits beside a window that stays usable.
    auto *const message =
        new QMessageBox(QMessageBox::Warning, windowTitle(),
                        tr("The picture could not be drawn: the drawing operation \"%1\" failed.")
                            .arg(QString::fromLatin1(graphing::operationName(failure.operation()))),
                        QMessageBox::Ok, this);
    message->setObjectName(QStringLiteral("drawingFailure"));
    message->setInformativeText(tr("Press Graph to draw it again."));
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setWindowModality(Qt::NonModal);
    message->show();
}

} // namespace app
