#pragma once

// Points, sizes and rectangles in pixels. Rectangles are half-open: they hold
// left <= x < right and top <= y < bottom, as Windows' RECT does.
namespace ui {

// A position; the coordinate space is named by whoever holds it.
struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A width and a height.
struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle given by its edges.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The rectangle at (x, y) with the given size.
    static constexpr TRect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    // Whether the rectangle holds no pixel.
    constexpr bool Empty() const { return right <= left || bottom <= top; }
    // Whether p lies inside (left and top inclusive, right and bottom exclusive).
    constexpr bool Contains(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // The same rectangle moved by (dx, dy).
    constexpr TRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // The same rectangle grown by dx on the left and right and dy on the top and bottom
    // (shrunk for negative values).
    constexpr TRect Inflate(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    // The common part of both rectangles; an empty rectangle when they do not meet.
    constexpr TRect Intersect(const TRect& o) const {
        TRect r{left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
                bottom < o.bottom ? bottom : o.bottom};
        if (r.Empty()) return {};
        return r;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace ui
