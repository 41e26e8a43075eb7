#include "tanindicator.h"

#include <QPainter>
#include <QTimerEvent>

namespace {
constexpr int kDots = 12;
constexpr int kFrameMs = 80;
} // namespace

TAniIndicator::TAniIndicator(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TAniIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    const qreal dot = side / 9.0;
    const qreal radius = side / 2.0 - dot;
    painter.translate(width() / 2.0, height() / 2.0);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < kDots; ++i) {
        // The head of the ring is the current frame; the dots behind it fade.
        const int age = (m_frame - i + kDots) % kDots;
        QColor colour(0x32, 0x8B, 0xE5);
        colour.setAlphaF(1.0 - age / qreal(kDots) * 0.85);
        painter.setBrush(colour);
        painter.save();
        painter.rotate(i * 360.0 / kDots);
        painter.drawEllipse(QPointF(0, -radius), dot, dot);
        painter.restore();
    }
}

void TAniIndicator::showEvent(QShowEvent *)
{
    m_timer.start(kFrameMs, this);
}

void TAniIndicator::hideEvent(QHideEvent *)
{
    m_timer.stop();
}

void TAniIndicator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return;
    m_frame = (m_frame + 1) % kDots;
    update();
}
