#include "curvetracer.h"

#include <algorithm>
#include <cmath>

namespace graphing {

namespace {

constexpr double step = 0.01;
// How closely a chord must follow the curve, and how narrow an interval becomes before the values
// at its ends are taken to part for good, in picture pixels.
constexpr double chordTolerance = 0.25;
constexpr double narrowest = 1.0 / 16;
// Bisections spent on finding a pole, a jump or a domain's end: far below a pixel.
constexpr int bisections = 48;

// The five have always been drawn through single precision: the picture stays as it was.
UserPoint singlePrecision(double x, double y)
{
    return {static_cast<float>(x), static_cast<float>(y)};
}

struct Sample {
    double x;
    std::optional<double> y;
};

class Sampler {
public:
    Sampler(const CurveFunction &f, const View &view, UserPoint pixel)
        : m_f(f), m_view(view), m_tolerance(chordTolerance * pixel.y),
          m_narrowest(narrowest * pixel.x), m_far(1e3 * (view.top - view.bottom))
    {}

    SampledCurve trace(double pixelWidth)
    {
        const auto columns = static_cast<int>(
            std::clamp(std::ceil((m_view.right - m_view.left) / pixelWidth), 1.0, 4096.0));
        m_reserve = columns + 2 * bisections;
        Sample before = at(m_view.left);
        add(before);
        for (int i = 1; i <= columns; ++i) {
            const Sample next =
                at(i == columns ? m_view.right
                                : m_view.left + (m_view.right - m_view.left) * i / columns);
            follow(before, next);
            before = next;
        }
        return std::move(m_curve);
    }

private:
    Sample at(double x)
    {
        ++m_curve.evaluations;
        return {x, m_f(x)};
    }
    // Refining stops early enough to leave room for every column and the bisections of one.
    bool budgetLeft() const { return m_curve.evaluations < mostEvaluations - m_reserve; }

    // Adds a point with a value to the open piece, or opens one; a point without ends it.
    void add(const Sample &sample)
    {
        if (!sample.y) {
            m_open = false;
            return;
        }
        if (!m_open)
            m_curve.pieces.emplace_back();
        m_open = true;
        // Far off the picture a point only gives its piece a direction to leave in.
        m_curve.pieces.back().push_back(
            {sample.x, std::clamp(*sample.y, m_view.bottom - m_far, m_view.top + m_far)});
    }

    bool offSameSide(const Sample &a, const Sample &b) const
    {
        return (*a.y > m_view.top && *b.y > m_view.top)
               || (*a.y < m_view.bottom && *b.y < m_view.bottom);
    }

    // The curve from `a`, already added, to `b`.
    void follow(const Sample &a, const Sample &b)
    {
        if (!a.y && !b.y)
            return;
        const bool wide = b.x - a.x > m_narrowest;
        if (wide && budgetLeft()) {
            const Sample middle = at(a.x + (b.x - a.x) / 2);
            const bool chordFollows = a.y && b.y && middle.y
                                      && (std::abs(*middle.y - (*a.y + *b.y) / 2) <= m_tolerance
                                          || (offSameSide(a, middle) && offSameSide(middle, b)));
            if (!chordFollows) {
                follow(a, middle);
                follow(middle, b);
                return;
            }
        } else if (!a.y || !b.y) {
            // The domain ends in between: its last point with a value ends or starts the piece.
            add(domainEnd(a, b));
            m_open = b.y.has_value();
        } else if (std::abs(*b.y - *a.y) > m_tolerance && !offSameSide(a, b) && parts(a, b)) {
            m_open = false;
        }
        add(b);
    }

    // Whether the values at `a` and `b` part for good (a pole or a jump lies between them): the
    // half that holds most of the change is followed while it keeps nearly all of it.
    bool parts(Sample a, Sample b)
    {
        for (int i = 0; i < bisections && budgetLeft(); ++i) {
            const Sample middle = at(a.x + (b.x - a.x) / 2);
            if (!middle.y || middle.x == a.x || middle.x == b.x)
                return true;
            const double left = std::abs(*middle.y - *a.y);
            const double right = std::abs(*b.y - *middle.y);
            if (std::max(left, right) <= m_tolerance
                || std::max(left, right) < 0.75 * std::abs(*b.y - *a.y))
                return false;
            (left > right ? b : a) = middle;
        }
        // Out of evaluations the curve is joined, as a chord would join it.
        return budgetLeft();
    }

    // The point nearest the end of the domain between `a` and `b`, one of which has a value.
    Sample domainEnd(Sample a, Sample b)
    {
        Sample &inside = a.y ? a : b;
        Sample &outside = a.y ? b : a;
        for (int i = 0; i < bisections && budgetLeft(); ++i) {
            const Sample middle = at(a.x + (b.x - a.x) / 2);
            if (middle.x == a.x || middle.x == b.x)
                break;
            (middle.y ? inside : outside) = middle;
        }
        return inside;
    }

    const CurveFunction &m_f;
    View m_view;
    double m_tolerance;
    double m_narrowest;
    double m_far;
    int m_reserve = 0;
    SampledCurve m_curve;
    bool m_open = false;
};

} // namespace

void traceCurve(PlotSurface &surface, const CurveFunction &f)
{
    const View window;
    const double a = window.left;
    const double b = window.right;

    // The start point is the current point even off the picture: the first visible sample is
    // joined to it. No value plots as 0.
    require(surface.point(singlePrecision(a, f(a).value_or(0)), curveColour),
            DrawingOperation::Point);

    // x grows by repeated addition: the rounding keeps every sample off exactly 0 and makes 2001
    // of them. A sample outside the band is skipped: the next visible one is joined across.
    for (double x = a; x <= b; x += step) {
        const double y = f(x).value_or(0);
        if (y > window.bottom && y < window.top)
            require(surface.lineTo(singlePrecision(x, y), curveColour), DrawingOperation::LineTo);
    }
}

SampledCurve sampleCurve(const CurveFunction &f, const View &view, UserPoint pixel)
{
    return Sampler(f, view, pixel).trace(pixel.x);
}

void drawCurve(PlotSurface &surface, const SampledCurve &curve)
{
    for (const std::vector<UserPoint> &piece : curve.pieces) {
        if (piece.size() == 1) {
            require(surface.point(piece.front(), curveColour), DrawingOperation::Point);
            continue;
        }
        require(surface.line(piece[0], piece[1], curveColour), DrawingOperation::Line);
        for (std::size_t i = 2; i < piece.size(); ++i)
            require(surface.lineTo(piece[i], curveColour), DrawingOperation::LineTo);
    }
}

} // namespace graphing
