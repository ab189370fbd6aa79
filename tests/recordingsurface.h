#pragma once

#include "plotsurface.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A plot surface for tests: records every call, optionally passes it on to a real surface, and can
// be told to fail on one chosen call.
class RecordingSurface final : public graphing::PlotSurface {
public:
    struct Call {
        graphing::DrawingOperation operation = graphing::DrawingOperation::Clear;
        graphing::UserPoint from; // the first point of a line, else unused
        graphing::UserPoint to;   // where the call leaves the current point
        std::optional<graphing::Colour> colour;
        std::string text; // a label's text, or a line width in digits
        graphing::LabelPlacement placement = graphing::LabelPlacement::Below;
    };

    explicit RecordingSurface(graphing::PlotSurface *forwardTo = nullptr) : m_forwardTo(forwardTo)
    {}

    std::vector<Call> calls;
    std::optional<std::size_t> failOnCall; // 0-based index of the call that reports failure

    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) override
    {
        return record(call(graphing::DrawingOperation::SetScale, topLeft, bottomRight),
                      [&](PlotSurface &s) { return s.setScale(topLeft, bottomRight); });
    }
    bool clear() override
    {
        return record(call(graphing::DrawingOperation::Clear),
                      [&](PlotSurface &s) { return s.clear(); });
    }
    bool line(graphing::UserPoint from, graphing::UserPoint to,
              std::optional<graphing::Colour> colour) override
    {
        return record(call(graphing::DrawingOperation::Line, from, to, colour),
                      [&](PlotSurface &s) { return s.line(from, to, colour); });
    }
    bool lineTo(graphing::UserPoint to, graphing::Colour colour) override
    {
        return record(call(graphing::DrawingOperation::LineTo, {}, to, colour),
                      [&](PlotSurface &s) { return s.lineTo(to, colour); });
    }
    bool point(graphing::UserPoint at, graphing::Colour colour) override
    {
        return record(call(graphing::DrawingOperation::Point, {}, at, colour),
                      [&](PlotSurface &s) { return s.point(at, colour); });
    }

    bool setLineWidth(int pixels) override
    {
        return record(
            call(graphing::DrawingOperation::SetLineWidth, {}, {}, {}, std::to_string(pixels)),
            [&](PlotSurface &s) { return s.setLineWidth(pixels); });
    }
    bool label(graphing::UserPoint at, std::string_view text,
               graphing::LabelPlacement placement) override
    {
        return record(
            call(graphing::DrawingOperation::Label, {}, at, {}, std::string(text), placement),
            [&](PlotSurface &s) { return s.label(at, text, placement); });
    }

    // The forwarded surface's, else a picture pixel of the default scale.
    graphing::UserPoint pixelSize() const override
    {
        return m_forwardTo != nullptr ? m_forwardTo->pixelSize() : graphing::UserPoint{0.05, 0.05};
    }

    std::size_t count(graphing::DrawingOperation operation) const
    {
        return std::size_t(std::count_if(calls.begin(), calls.end(), [operation](const Call &call) {
            return call.operation == operation;
        }));
    }

private:
    static Call call(graphing::DrawingOperation operation, graphing::UserPoint from = {},
                     graphing::UserPoint to = {}, std::optional<graphing::Colour> colour = {},
                     std::string text = {},
                     graphing::LabelPlacement placement = graphing::LabelPlacement::Below)
    {
        Call made;
        made.operation = operation;
        made.from = from;
        made.to = to;
        made.colour = colour;
        made.text = std::move(text);
        made.placement = placement;
        return made;
    }

    template <typename Forward> bool record(const Call &call, Forward forward)
    {
        const bool fails = failOnCall == calls.size();
        calls.push_back(call);
        if (fails)
            return false;
        return m_forwardTo == nullptr || forward(*m_forwardTo);
    }

    graphing::PlotSurface *m_forwardTo;
};
