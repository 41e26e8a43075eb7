#pragma once

// Maps the font families the window's design names ("微软雅黑", "黑体")
// to an installed CJK family.
void InstallFontSubstitutions();

#include <QFont>

// The design's "微软雅黑" at a pixel size (substituted by an installed CJK font).
QFont DesignFont(int pixels, bool bold = false);

#include <QColor>

class QWidget;

// Fills a widget's background with a colour through its palette (cheaper
// than a style sheet on controls that exist by the thousand).
void SetBackground(QWidget *widget, const QColor &colour);

class QPushButton;

// The client's button looks: filled blue for the action of a bar or box,
// outlined for the one beside it that backs out.
void StyleActionButton(QPushButton *button);
void StyleSecondaryButton(QPushButton *button);
