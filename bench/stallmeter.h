#pragma once

// Measures the longest stretch without event handling while work runs on
// the user-interface thread: a zero-interval timer fires at every turn of
// event handling and records the gap since the previous turn.

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

class StallMeter
{
public:
    StallMeter()
    {
        m_turn.setInterval(0);
        QObject::connect(&m_turn, &QTimer::timeout, [this] { noteTurn(); });
    }

    // Runs f and returns its duration in ms; the stall is kept in longestMs().
    template <class F> double run(F &&f)
    {
        m_sinceTurn.start();
        m_turn.start();
        QElapsedTimer t;
        t.start();
        f();
        const double ms = t.nsecsElapsed() / 1e6;
        noteTurn(); // from the last turn (or the start) to the end of the work
        m_turn.stop();
        return ms;
    }

    double longestMs() const { return m_longestNs / 1e6; }
    void reset() { m_longestNs = 0; }

private:
    void noteTurn()
    {
        m_longestNs = std::max(m_longestNs, m_sinceTurn.nsecsElapsed());
        m_sinceTurn.restart();
    }

    QTimer m_turn;
    QElapsedTimer m_sinceTurn;
    qint64 m_longestNs = 0;
};
