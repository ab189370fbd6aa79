#pragma once

#include "mapping.h"
#include "picturecontent.h"

#include <QImage>
#include <QWidget>

namespace plot {

// The picture area: what it shows as a value and one rendering of it, an image of exactly the
// device pixels it covers, drawn afresh when either changes; an image is never scaled.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    PictureBox(QSize size, QColor background, QColor foreground, QWidget *parent = nullptr);

    // Shows `content`, drawn at once at the current pixel grid.
    void setContent(const graphing::PictureContent &content);
    const graphing::PictureContent &content() const { return m_content; }

    // The device pixels the widget covers now, in its window at its screen's ratio.
    PixelGrid grid() const;

signals:
    // Drawing the picture stopped at this operation; the picture shows what was drawn before it.
    void renderingFailed(const QString &operation);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void render(const PixelGrid &grid);

    QColor m_background;
    QColor m_foreground;
    graphing::PictureContent m_content;
    PixelGrid m_grid;
    QImage m_image;
};

} // namespace plot
