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
#include <QWindow>

#include <algorithm>
#include <map>

namespace app {

namespace {

// A function's button: one solid block, whose whole rectangle takes the click.
class FunctionButton final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &position) const override { return rect().contains(position); }

    void focusInEvent(QFocusEvent *event) override
    {
        QRadioButton::focusInEvent(event);
        // Qt keeps only the focused button of a group in the Tab chain; here Tab visits each.
        for (auto *const button :
             parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly))
            button->setFocusPolicy(Qt::StrongFocus);
    }
};

// The picture for assistive technology: an image offering its own actions beside Qt's, named by
// their text and described by their status tip.
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
        const QList<QAction *> actions = widget()->actions();
        const auto found =
            std::find_if(actions.cbegin(), actions.cend(),
                         [&](const QAction *action) { return action->text() == name; });
        return found == actions.cend() ? nullptr : *found;
    }
};

// The window and the picture as a frame and an image: Qt takes a plain widget for a generic area.
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

QString keyName(QKeyCombination key)
{
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

// `key` presses `button` wherever the focus is in the window; `description` tells a screen reader.
void giveKey(QAbstractButton &button, QKeyCombination key, const QString &description)
{
    button.setShortcut(key);
    button.setAccessibleDescription(description);
}

} // namespace

GraphWindow::GraphWindow(QWidget *parent) : QWidget(parent)
{
    // Qt keeps each factory once however often it is installed, and ignores a known substitute.
    QAccessible::installFactory(accessibleWithRole);
    QFont::insertSubstitutions(toQString(gothic1125.face),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("sans-serif")});
    QFont::insertSubstitutions(toQString(century18.face),
                               {QStringLiteral("C059"), QStringLiteral("serif")});
    const WindowDesign &design = graphWindowDesign;
    setObjectName(toQString(design.window.objectName));
    setAccessibleName(toQString(design.window.accessibleName));
    setWindowTitle(toQString(design.window.caption));
    setFixedSize(design.window.geometry.size());
    setBackground(*this, QPalette::Window, *design.window.background);

    // Gives a control its designed names, place, font and background, and its place in the focus
    // order.
    std::map<int, QWidget *> byTabIndex;
    const auto place = [&byTabIndex](QWidget *widget, const ControlDesign &control,
                                     QPalette::ColorRole backgroundRole) {
        widget->setObjectName(toQString(control.objectName));
        widget->setAccessibleName(translated(control.accessibleName));
        widget->setGeometry(control.geometry);
        if (const std::optional<FontDesign> &face = control.font) {
            QFont font(toQString(face->face));
            font.setPointSizeF(face->pointSize);
            font.setBold(face->bold);
            font.setItalic(face->italic);
            font.setStyleHint(face->serif ? QFont::Serif : QFont::SansSerif);
            widget->setFont(font);
        }
        if (control.background)
            setBackground(*widget, backgroundRole, *control.background);
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
    // Wider at its font than its designed box: the box grows to the right, where nothing stands.
    const QFontMetrics metrics(title->font());
    const int textWidth = std::max(metrics.horizontalAdvance(title->text()),
                                   metrics.boundingRect(title->text()).right() + 1);
    title->resize(std::max(title->width(), textWidth + 2), title->height());

    for (std::size_t i = 0; i < m_functionButtons.size(); ++i) {
        m_functionButtons[i] =
            new FunctionButton(toQString(design.functionButtons[i].caption), this);
        place(m_functionButtons[i], design.functionButtons[i], QPalette::Button);
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

    for (auto control = byTabIndex.cbegin(); std::next(control) != byTabIndex.cend(); ++control)
        setTabOrder(control->second, std::next(control)->second);
    // The title and the function buttons reach one pixel into the picture: it stays whole on top.
    m_picture->raise();
    describePicture();
    m_functionButtons[0]->setChecked(true);
    m_functionButtons[0]->setFocus();
}

GraphWindow::~GraphWindow()
{
    // The controls go after this window's own part: their last focus changes must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
}

std::optional<int> GraphWindow::chosenFunction() const
{
    // Read from the buttons themselves: a button is checked by a click, an arrow key, Space, its
    // key, or a screen reader's action, and only some of these say they clicked it.
    for (int i = 0; i < graphing::functionCount; ++i) {
        if (m_functionButtons[i]->isChecked())
            return i + 1;
    }
    return std::nullopt;
}

void GraphWindow::graphChosenFunction()
{
    std::optional<graphing::Function> function;
    if (const std::optional<int> number = chosenFunction())
        function = graphing::Function(*number);
    m_picture->setContent(graphing::PictureContent(std::move(function), m_picture->content().style,
                                                   m_picture->content().view));
    describePicture();
}

void GraphWindow::graphTypedFunction()
{
    // From the function graphed if it was typed, else from the chosen one's formula.
    const graphing::PictureContent &content = m_picture->content();
    QString start;
    if (content.function && !content.function->number())
        start = QString::fromStdString(content.function->formula());
    else if (const std::optional<int> number = chosenFunction())
        start = toQString(graphing::functionFormula(*number));
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
    m_actions->setDescription(
        content.function
            ? (window ? translated(graphDescription).arg(name)
                      : translated(graphInViewDescription).arg(name, view))
            : (window ? translated(axesDescription) : translated(axesInViewDescription).arg(view)));
}

void GraphWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    connect(windowHandle(), &QWindow::screenChanged, this, &GraphWindow::fitNativeSizeToScreen,
            Qt::UniqueConnection);
    fitNativeSizeToScreen();
}

// A window of fixed size keeps the native size it was made with on a screen of another scale
// (Qt 6.4); asking for its own size again makes it the right number of device pixels there.
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
