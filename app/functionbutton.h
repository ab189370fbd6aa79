#pragma once

#include <QRadioButton>

namespace app {

// The button that chooses one function: one solid block, whose whole rectangle takes the click
// and shows its background colour, not only the indicator and the caption.
class FunctionButton final : public QRadioButton {
    Q_OBJECT

public:
    explicit FunctionButton(const QString &caption, QWidget *parent = nullptr);

protected:
    bool hitButton(const QPoint &position) const override;
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace app
