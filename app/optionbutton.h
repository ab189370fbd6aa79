#pragma once

#include <QRadioButton>

namespace app {

// An option button that is one solid block: its whole rectangle takes the click and shows its
// background colour, not only the indicator and the caption.
class OptionButton final : public QRadioButton {
    Q_OBJECT

public:
    explicit OptionButton(const QString &caption, QWidget *parent = nullptr);

protected:
    bool hitButton(const QPoint &position) const override;
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace app
