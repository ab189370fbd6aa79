#pragma once

#include <QPoint>
#include <QSize>

#include <vector>

namespace e2e {

// A set of pixels of one picture. Points outside the picture are never members, so drawing code
// may add them freely.
class PixelSet {
public:
    PixelSet() = default;
    explicit PixelSet(QSize size)
        : m_size(size), m_members(static_cast<std::size_t>(size.width())
                                      * static_cast<std::size_t>(size.height()),
                                  false)
    {}

    QSize size() const { return m_size; }

    bool contains(QPoint at) const { return isInside(at) && m_members[index(at)]; }

    void insert(QPoint at)
    {
        if (isInside(at))
            m_members[index(at)] = true;
    }

    // Whether a member lies at most `radius` pixels from `at` along both axes.
    bool hasMemberNear(QPoint at, int radius) const
    {
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                if (contains(at + QPoint(dx, dy)))
                    return true;
            }
        }
        return false;
    }

    template <typename Visit> void forEach(Visit visit) const
    {
        for (int y = 0; y < m_size.height(); ++y) {
            for (int x = 0; x < m_size.width(); ++x) {
                if (m_members[index({x, y})])
                    visit(QPoint(x, y));
            }
        }
    }

    int count() const
    {
        int members = 0;
        forEach([&members](QPoint) { ++members; });
        return members;
    }

private:
    bool isInside(QPoint at) const
    {
        return at.x() >= 0 && at.y() >= 0 && at.x() < m_size.width() && at.y() < m_size.height();
    }
    std::size_t index(QPoint at) const
    {
        return static_cast<std::size_t>(at.y()) * static_cast<std::size_t>(m_size.width())
               + static_cast<std::size_t>(at.x());
    }

    QSize m_size;
    std::vector<bool> m_members;
};

} // namespace e2e
