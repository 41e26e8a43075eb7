#pragma once

// The background task that saves a changed note.  The update is sent once
// and, while the server has not confirmed it, again after every reconnect
// (one every `ticksPerReconnect` + 1 ticks).  After `maxAttempts` updates
// the task gives up; the caller keeps the user's text.
//
// The call runs on a thread of its own so that the ticks go on while it
// hangs; the reconnect at the end of a round cuts a hanging call off.

#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class TClientModule1;

struct NoteSaveTiming
{
    int tickMs = 100;
    int ticksPerReconnect = 50;
    int maxAttempts = 3; // about 15 s with the default ticks
};

class NoteSaveState
{
public:
    NoteSaveState(QString text, QString userNoteId)
        : noteText(std::move(text)), UserNoteId(std::move(userNoteId))
    {
    }

    const QString noteText;
    const QString UserNoteId;
    // The server confirmed the update.
    std::atomic<bool> isDelete{false};
    // The task ended: confirmed, given up, cancelled or shut down.
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Updates sent so far.
    std::atomic<int> attempts{0};

    // Called (from a background thread) when the task ends.  Cleared by the
    // caller before its wait goes away.
    void setNotify(std::function<void()> notify);
    // Ends the task at its next tick (the window is closing).
    void cancel();
    bool cancelled() const { return m_cancelled.load(std::memory_order_acquire); }

    // The task's own book-keeping.
    void finish();
    void waitTick(int ms);
    void wake();

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::function<void()> m_notify;
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_cancelled{false};
};

// Starts the task; returns at once.
std::shared_ptr<NoteSaveState> StartNoteSave(const std::shared_ptr<TClientModule1> &module,
                                             const QString &UserNoteId, const QString &noteText,
                                             const NoteSaveTiming &timing = {});
