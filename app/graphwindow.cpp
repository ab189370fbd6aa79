#include "graphwindow.h"

#include "designdata.h"
#include "pictureactions.h"
#include "picturefile.h"
#include "typedfunction.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <map>

namespace app {

namespace {

// The button that chooses one function: one solid block, whose whole rectangle takes the click
// and shows its background colour, not only the indicator and the caption.
class FunctionButton final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &position) const override { return rect().contains(position); }

    void focusInEvent(QFocusEvent *event) override
    {
        QRadioButton::focusInEvent(event);
        // Qt keeps only the focused button of a group in the Tab chain, the others being reached
        // with the arrow keys; here Tab visits every function button in its designed place.
        for (auto *const button :
             parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly))
            button->setFocusPolicy(Qt::StrongFocus);
    }
};

// Teaches the font database the faces the design names, by fonts this system has: a Japanese
// proportional Gothic for the buttons, a Century-like serif for the title. Qt ignores a
// substitute it already knows, so every window may ask again.
void installFontSubstitutes()
{
    // Tried in order; the generic families catch a system with neither font installed.
    QFont::insertSubstitutions(toQString(gothic1125.face),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("sans-serif")});
    QFont::insertSubstitutions(toQString(century18.face),
                               {QStringLiteral("C059"), QStringLiteral("serif")});
}

// The picture for assistive technology: an image offering its own actions (Play the Curve) beside
// Qt's, named by their text and described by their status tip.
class AccessiblePicture final : public QAccessibleWidget {
public:
    explicit AccessiblePicture(QWidget *picture) : QAccessibleWidget(picture, QAccessible::Graphic)
    {}
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        for (const QAction *const action : widget()->actions())
            names << action->text();
        return names;
    }
    QString localizedActionDescription(const QString &name) const override
    {
        const QAction *const action = own(name);
        return action ? action->statusTip() : QAccessibleWidget::localizedActionDescription(name);
    }
    void doAction(const QString &name) override
    {
        if (QAction *const action = own(name))
            return action->trigger();
        QAccessibleWidget::doAction(name);
    }

private:
    QAction *own(const QString &name) const
    {
        for (QAction *const action : widget()->actions())
            if (action->text() == name)
                return action;
        return nullptr;
    }
};

// Tells assistive technology what the window and the picture are, a frame and an image: Qt takes
// any plain widget for a generic area.
QAccessibleInterface *accessibleWithRole(const QString & /*className*/, QObject *object)
{
    if (auto *const window = qobject_cast<GraphWindow *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto *const picture = qobject_cast<plot::PictureBox *>(object))
        return new AccessiblePicture(picture);
    return nullptr;
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
    widget.setObjectName(toQString(design.objectName));
    widget.setAccessibleName(translated(design.accessibleName));
    widget.setGeometry(design.geometry);
    if (const std::optional<FontDesign> &face = design.font) {
        QFont font(toQString(face->face));
        font.setPointSizeF(face->pointSize);
        font.setBold(face->bold);
        font.setItalic(face->italic);
        font.setStyleHint(face->serif ? QFont::Serif : QFont::SansSerif);
        widget.setFont(font);
    }
    if (design.background)
        setBackground(widget, backgroundRole, *design.background);
}

QString keyName(QKeyCombination key)
{
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

// Lets `key` press `button` wherever the focus is in the window; `description`, which names the
// key, tells a screen reader so.
void giveKey(QAbstractButton &button, QKeyCombination key, const QString &description)
{
    button.setShortcut(key);
    button.setAccessibleDescription(description);
}

} // namespace

GraphWindow::GraphWindow(QWidget *parent) : QWidget(parent)
{
    // Qt keeps each factory once however often it is installed.
    QAccessible::installFactory(accessibleWithRole);
    installFontSubstitutes();
    const WindowDesign &design = graphWindowDesign;
    setObjectName(toQString(design.window.objectName));
    setAccessibleName(toQString(design.window.accessibleName));
    setWindowTitle(toQString(design.window.caption));
    setFixedSize(design.window.geometry.size());
    setBackground(*this, QPalette::Window, *design.window.background);

    // The controls that take the focus, by their designed place in the focus order.
    std::map<int, QWidget *> byTabIndex;
    const auto place = [&byTabIndex](QWidget *widget, const ControlDesign &control,
                                     QPalette::ColorRole backgroundRole) {
        applyDesign(*widget, control, backgroundRole);
        if (control.tabIndex && widget->focusPolicy() != Qt::NoFocus)
            byTabIndex.emplace(*control.tabIndex, widget);
    };

    m_picture = new plot::PictureBox(design.picture.geometry.size(),
                                     QColor::fromRgb(*design.picture.background),
                                     QColor::fromRgb(pictureForeground), this);
    m_picture->setFocusPolicy(Qt::TabFocus);
    place(m_picture, design.picture, QPalette::Window);
    m_actions = new PictureActions(*this, *m_picture);
    connect(m_actions, &PictureActions::functionRequested, this, &GraphWindow::graphTypedFunction);
    connect(m_actions, &PictureActions::contentChanged, this, &GraphWindow::describePicture);
    connect(m_picture, &plot::PictureBox::renderingFailed, this, [this](const QString &operation) {
        m_actions->tell(QStringLiteral("drawingFailure"),
                        tr("The picture could not be drawn: the drawing operation \"%1\" failed.")
                            .arg(operation),
                        tr("Press Graph to draw it again."));
    });
    // The picture's focus is shown in the margin around it, which this window paints.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (old == m_picture || now == m_picture)
            update();
    });

    auto *const title = new QLabel(translated(design.title.caption), this);
    place(title, design.title, QPalette::Window);
    title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The title is wider at its font than its designed box: the box grows to the right (where
    // nothing else stands) so that the whole title shows.
    const QFontMetrics metrics(title->font());
    const int textWidth = std::max(metrics.horizontalAdvance(title->text()),
                                   metrics.boundingRect(title->text()).right() + 1);
    title->resize(std::max(title->width(), textWidth + 2), title->height());

    // The buttons, their designs and keys are arrays of graphing::functionCount elements each.
    for (std::size_t i = 0; i < m_functionButtons.size(); ++i) {
        const ControlDesign &button = design.functionButtons[i];
        m_functionButtons[i] = new FunctionButton(toQString(button.caption), this);
        place(m_functionButtons[i], button, QPalette::Button);
        giveKey(*m_functionButtons[i], functionKeys[i],
                tr(functionButtonDescription).arg(keyName(functionKeys[i])));
    }
    auto *const graphButton = new QPushButton(translated(design.graphButton.caption), this);
    place(graphButton, design.graphButton, QPalette::Button);
    giveKey(*graphButton, graphKey, tr(graphButtonDescription).arg(keyName(graphKey)));
    connect(graphButton, &QAbstractButton::clicked, this, &GraphWindow::graphChosenFunction);
    auto *const endButton = new QPushButton(translated(design.endButton.caption), this);
    place(endButton, design.endButton, QPalette::Button);
    giveKey(*endButton, endKey, tr(endButtonDescription).arg(keyName(endKey), keyName(quitKey)));
    connect(endButton, &QAbstractButton::clicked, qApp, &QApplication::quit);
    auto *const quit = new QAction(this);
    quit->setShortcut(quitKey);
    connect(quit, &QAction::triggered, qApp, &QApplication::quit);
    addAction(quit);

    QWidget *previous = nullptr;
    for (const auto &[tabIndex, widget] : byTabIndex) {
        if (previous != nullptr)
            setTabOrder(previous, widget);
        previous = widget;
    }
    // The title and the function buttons reach one pixel into the picture's edges; the picture
    // stays whole on top, so its end ticks and curve show in full.
    m_picture->raise();
    describePicture();

    // The first function starts chosen, and its button holds the focus.
    m_functionButtons[0]->setChecked(true);
    m_functionButtons[0]->setFocus();
}

GraphWindow::~GraphWindow()
{
    // The controls go after this window's own part: their last focus changes must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
}

void GraphWindow::graphChosenFunction()
{
    // Read from the buttons themselves: a button is checked by a click, an arrow key, Space, its
    // key, or a screen reader's action, and only some of these say they clicked it.
    const auto *const chosen =
        std::find_if(m_functionButtons.cbegin(), m_functionButtons.cend(),
                     [](const QRadioButton *button) { return button->isChecked(); });
    std::optional<int> function;
    if (chosen != m_functionButtons.cend())
        function = static_cast<int>(chosen - m_functionButtons.cbegin()) + 1;
    m_picture->setContent(graphing::PictureContent(
        function ? std::optional<graphing::Function>(*function) : std::nullopt,
        m_picture->content().style, m_picture->content().view));
    describePicture();
}

void GraphWindow::graphTypedFunction()
{
    // From the function graphed if it was typed, else from the chosen one's formula.
    const graphing::PictureContent &content = m_picture->content();
    QString start;
    if (content.function && !content.function->number()) {
        start = QString::fromStdString(content.function->formula());
    } else {
        for (int i = 0; i < graphing::functionCount; ++i)
            if (m_functionButtons[i]->isChecked())
                start = toQString(graphing::functionFormula(i + 1));
    }
    std::optional<graphing::Expression> typed = askForFunction(this, start);
    if (!typed)
        return;
    m_picture->setContent(graphing::PictureContent(graphing::Function(std::move(*typed)),
                                                   content.style, content.view));
    describePicture();
}

void GraphWindow::describePicture()
{
    const graphing::PictureContent &content = m_picture->content();
    const std::optional<int> number = content.function ? content.function->number() : std::nullopt;
    const QString name = number             ? m_functionButtons[*number - 1]->accessibleName()
                         : content.function ? QString::fromStdString(content.function->formula())
                                            : QString();
    const bool window = content.view == graphing::View{};
    const QString view = viewInWords(content.view);
    const QString description =
        content.function
            ? (window ? translated(graphDescription).arg(name)
                      : translated(graphInViewDescription).arg(name, view))
            : (window ? translated(axesDescription) : translated(axesInViewDescription).arg(view));
    m_actions->setDescription(description);
}

void GraphWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    connect(windowHandle(), &QWindow::screenChanged, this, &GraphWindow::fitNativeSizeToScreen,
            Qt::UniqueConnection);
    fitNativeSizeToScreen();
}

// A window of fixed size keeps the native size it was made with when it shows on, or moves to, a
// screen of another scale; asking for its own size again makes it the right number of device
// pixels there. Measured with Qt 6.4 on two monitors of scales 1 and 2: without this, a window on
// the scale-2 monitor stays 639x436 device pixels and shows 623x356 of its 882x770 picture.
void GraphWindow::fitNativeSizeToScreen()
{
    windowHandle()->resize(size());
}

void GraphWindow::paintEvent(QPaintEvent * /*event*/)
{
    if (!m_picture->hasFocus())
        return;
    // The plot fills its every pixel, so its focus is a frame in the blue margin around it.
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(QRectF(m_picture->geometry()).adjusted(-2, -2, 2, 2));
}

} // namespace app
