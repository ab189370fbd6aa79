#pragma once

#include <QPoint>
#include <QRgb>
#include <QString>
#include <QStringList>

namespace e2e {

// Pixels that fail a check: how many, and the first few for the failure message.
class Mismatches {
public:
    void add(QPoint at, const QString &what = {})
    {
        if (++m_count <= 5)
            m_examples << QStringLiteral("(%1,%2)%3").arg(at.x()).arg(at.y()).arg(what);
    }
    bool isEmpty() const { return m_count == 0; }
    QString summary(const QString &what) const
    {
        return QStringLiteral("%1 %2, e.g. %3").arg(m_count).arg(what, m_examples.join(", "));
    }

private:
    int m_count = 0;
    QStringList m_examples;
};

// A colour as " is #rrggbb", to follow a pixel's place in a summary.
inline QString isColourText(QRgb colour)
{
    return QStringLiteral(" is #%1").arg(colour & RGB_MASK, 6, 16, QLatin1Char('0'));
}

} // namespace e2e
