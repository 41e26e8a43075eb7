#include "timage.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
}

void TImage::setPicture(const QIcon &picture)
{
    m_picture = picture;
    update();
}

void TImage::setPicture(const QString &resourcePath)
{
    m_picturePath = resourcePath;
    setPicture(QIcon(resourcePath));
}

void TImage::setTiled(bool tiled)
{
    m_tiled = tiled;
    update();
}

void TImage::setPictureSize(const QSize &size)
{
    m_pictureSize = size;
    update();
}

void TImage::setPressed(bool pressed)
{
    if (m_pressed == pressed)
        return;
    m_pressed = pressed;
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = rect().translated(m_pressed ? QPoint(1, 1) : QPoint());
    if (m_tiled) {
        const QSize natural = m_picture.availableSizes().value(0, QSize(64, 64));
        painter.drawTiledPixmap(area, m_picture.pixmap(natural));
        return;
    }
    if (m_pictureSize.isValid()) {
        const QRect centred(area.x() + (area.width() - m_pictureSize.width()) / 2,
                            area.y() + (area.height() - m_pictureSize.height()) / 2,
                            m_pictureSize.width(), m_pictureSize.height());
        painter.drawPixmap(centred, m_picture.pixmap(m_pictureSize));
        return;
    }
    m_picture.paint(&painter, area, Qt::AlignCenter, QIcon::Normal, QIcon::Off);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_armed = true;
    Q_EMIT mouseDown(event->position());
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    const bool wasArmed = m_armed;
    m_armed = false;
    Q_EMIT mouseUp(event->position());
    if (wasArmed && inside)
        Q_EMIT clicked();
}

void TImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

void TImage::enterEvent(QEnterEvent *)
{
    Q_EMIT mouseEntered();
}

void TImage::leaveEvent(QEvent *)
{
    Q_EMIT mouseLeft();
}
