#pragma once

// The background side of a page request: a watcher thread and a worker
// thread per request.  The worker runs the server calls of the named
// request (at most `attempts` attempts, reconnecting after each failure)
// and converts the results into records; the watcher forces a reconnect
// every `ticksPerReconnect` ticks while the request is unfinished, which
// cuts off a call that hangs.
//
// The records are kept in the request state and installed by the caller on
// the user-interface thread; the atomic completion flag is set after the
// last record was stored.

#include "data_structure.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class TClientModule1;

struct RequestTiming
{
    int tickMs = 100;
    int ticksPerReconnect = 50; // a reconnect when the tick count exceeds this
    int maxReconnects = 10;     // the watcher stops when the count exceeds this
    int maxAttempts = 10;
};

// What a request reads from the main window, taken when it starts.
struct RequestInput
{
    QString FunctionName;
    QString DeleteId;
    bool initialFlag = false;
    qint32 appid = -1;
    qint32 userid = -1;
    QString findKey;                        // "stcz"
    QString appListText;                    // "AppList"
    TUserTestsClassCountArr currentCounts; // "RefreshTestClass"
};

// Records and answers a request produced.  A request that failed after its
// first copy still carries that first record.
struct RequestOutput
{
    std::optional<TAppListArr> appList;
    std::optional<TTestClassArr> testClass;
    std::optional<TUserTestsClassCountArr> classCount;
    std::optional<TTestHelpArr> testHelp;
    std::optional<TTestTypeArr> testType;
    std::optional<TUserInfoArr> userInfo; // notes, favourites, wrong questions or search
    QString OnlineCount;
    bool isDelete = false;
};

class RequestState
{
public:
    explicit RequestState(RequestInput input) : m_input(std::move(input))
    {
        ThreadDataFlg.store(m_input.initialFlag);
    }

    const RequestInput &input() const { return m_input; }

    // Completed: set by the worker after its last write (release).
    std::atomic<bool> ThreadDataFlg{false};

    // The worker has ended, completed or not.
    bool workerEnded() const { return m_workerEnded.load(std::memory_order_acquire); }

    // Called (from a background thread) when the worker ends.  Set by the
    // waiting caller, cleared before the caller's wait goes away.
    void setNotify(std::function<void()> notify);

    RequestOutput output() const;

    // The state's own book-keeping, used by the threads.
    void store(const std::function<void(RequestOutput &)> &change);
    void endWorker();
    // Waits one watcher tick; returns early when the worker ended.
    void waitTick(int ms);

    std::atomic<int> attempts{0};
    std::atomic<int> watcherReconnects{0};

private:
    RequestInput m_input;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    RequestOutput m_output;
    std::function<void()> m_notify;
    std::atomic<bool> m_workerEnded{false};
};

// Starts the watcher, which starts the worker.  Returns at once.
std::shared_ptr<RequestState> StartRequest(const std::shared_ptr<TClientModule1> &module,
                                           RequestInput input, const RequestTiming &timing);

// One attempt of a request (the worker's step 2); throws on any failure.
// Exposed so that benchmarks can make the same calls directly.
void RunRequestAttempt(TClientModule1 &module, RequestState &state);
