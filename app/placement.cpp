#include "placement.h"

TaskbarRect TaskbarFromGeometry(const QRect &screen, const QRect &available)
{
    const int W = screen.width();
    const int H = screen.height();
    const QRect free = available.translated(-screen.topLeft());
    if (free == QRect(0, 0, W, H) || free.isEmpty())
        return {};
    if (free.bottom() < H - 1)
        return {0, free.bottom() + 1, W, H};
    if (free.right() < W - 1)
        return {free.right() + 1, 0, W, H};
    if (free.left() > 0)
        return {0, 0, free.left(), H};
    if (free.top() > 0)
        return {0, 0, W, free.top()};
    return {};
}

QRect PlaceBesideTaskbar(const TaskbarRect &taskbar, const QSize &screen, const QRect &window)
{
    const int W = screen.width();
    const int H = screen.height();
    int w = window.width();
    int h = window.height();
    const int L = taskbar.left;
    const int T = taskbar.top;
    const int R = taskbar.right;
    const int B = taskbar.bottom;

    if (taskbar.isNull())
        return QRect((W - w) / 2, (H - h) / 2, w, h);

    if (T > 0) { // bottom
        const int t = B - T;
        if (h + t >= H)
            h = H - t - 50;
        if (w >= W)
            w = W - 50;
        return QRect((W - w) / 2, (H - t - h) / 2, w, h);
    }
    if (L > 0) { // right
        const int t = R - L;
        if (h >= H)
            h = H - 50;
        if (w + t >= W)
            w = W - t - 50;
        return QRect((W - t - w) / 2, (H - h) / 2, w, h);
    }
    if (R < B) { // left
        const int t = R - L;
        if (h >= H)
            h = H - 50;
        if (w + t >= W)
            w = W - t - 50;
        return QRect(t + (W - t - w) / 2, (H - h) / 2, w, h);
    }
    if (R > B) { // top
        const int t = B - T;
        if (h + t >= H)
            h = H - t - 50;
        if (w >= W)
            w = W - 50;
        return QRect((W - w) / 2, t + (H - t - h) / 2, w, h);
    }
    return window;
}
