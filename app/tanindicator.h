#pragma once

// The busy indicator: a ring of dots whose brightness turns while it is
// visible.  The timer runs only while the indicator is shown.

#include <QBasicTimer>
#include <QWidget>

class TAniIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit TAniIndicator(QWidget *parent = nullptr);

    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    QBasicTimer m_timer;
    int m_frame = 0;
};
