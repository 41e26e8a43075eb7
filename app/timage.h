#pragma once

// A picture control: draws its picture stretched over its area and reports
// presses, releases, clicks, double-clicks and the pointer entering and
// leaving.  The navigation and title-bar pictures are of this kind.

#include <QIcon>
#include <QWidget>

class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    void setPicture(const QIcon &picture);
    void setPicture(const QString &resourcePath);
    QIcon picture() const { return m_picture; }
    QString picturePath() const { return m_picturePath; }

    // Tiled pictures repeat at their natural size instead of stretching.
    void setTiled(bool tiled);
    // Draws the picture at this size, centred, instead of filling the control.
    void setPictureSize(const QSize &size);

    // The press effect: the picture drawn a pixel lower and to the right.
    void setPressed(bool pressed);
    bool isPressed() const { return m_pressed; }

Q_SIGNALS:
    void mouseDown(QPointF localPos);
    void mouseUp(QPointF localPos);
    void clicked();
    void doubleClicked();
    void mouseEntered();
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QIcon m_picture;
    QString m_picturePath;
    bool m_tiled = false;
    QSize m_pictureSize;
    bool m_pressed = false;
    bool m_armed = false;
};
