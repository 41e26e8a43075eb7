#pragma once

// Measures the longest stretch without event handling while work runs on
// the user-interface thread: a zero-interval timer fires at every turn of
// event handling and records the gap since the previous turn.

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <ctime>

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
        m_cpuAtTurn = threadCpuNs();
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
    // The user-interface thread's own CPU time within that stretch: far less
    // than the stretch means the thread was waiting for a core, not working.
    double longestCpuMs() const { return m_longestCpuNs / 1e6; }
    void reset() { m_longestNs = 0; m_longestCpuNs = 0; }

private:
    static qint64 threadCpuNs()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    }

    void noteTurn()
    {
        const qint64 cpu = threadCpuNs();
        if (m_sinceTurn.nsecsElapsed() > m_longestNs) {
            m_longestNs = m_sinceTurn.nsecsElapsed();
            m_longestCpuNs = cpu - m_cpuAtTurn;
        }
        m_sinceTurn.restart();
        m_cpuAtTurn = cpu;
    }

    QTimer m_turn;
    QElapsedTimer m_sinceTurn;
    qint64 m_longestNs = 0;
    qint64 m_longestCpuNs = 0;
    qint64 m_cpuAtTurn = 0;
};
