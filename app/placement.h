#pragma once

// Placing the main window in the part of the screen that the taskbar leaves
// free.

#include <QRect>
#include <QSize>

// The taskbar's rectangle in screen pixels, right and bottom exclusive.  All
// zero when it is unknown.
struct TaskbarRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool isNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

// The taskbar as the difference between a screen's geometry and the part
// that windows may use (a panel along one edge).  All zero when they are
// equal.  Coordinates are relative to the screen's top-left corner.
TaskbarRect TaskbarFromGeometry(const QRect &screen, const QRect &available);

// The window's new geometry for a taskbar, a screen size and the window's
// current geometry.  The size shrinks where the window would not fit, with a
// 50-pixel margin; halvings round toward zero.  A taskbar that matches no
// edge leaves the window as it is, except that an unknown taskbar (all zero)
// centres the window on the screen.
QRect PlaceBesideTaskbar(const TaskbarRect &taskbar, const QSize &screen, const QRect &window);
