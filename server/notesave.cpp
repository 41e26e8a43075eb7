#include "notesave.h"

#include "tclientmodule1.h"

#include <chrono>
#include <thread>

void NoteSaveState::setNotify(std::function<void()> notify)
{
    std::lock_guard lock(m_mutex);
    m_notify = std::move(notify);
}

void NoteSaveState::cancel()
{
    m_cancelled.store(true, std::memory_order_release);
    wake();
}

void NoteSaveState::finish()
{
    std::lock_guard lock(m_mutex);
    m_finished.store(true, std::memory_order_release);
    if (m_notify)
        m_notify();
}

void NoteSaveState::waitTick(int ms)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms),
                    [this] { return isDelete.load() || cancelled(); });
}

void NoteSaveState::wake()
{
    std::lock_guard lock(m_mutex);
    m_wake.notify_all();
}

namespace {

// One update; a failure re-establishes the connection.
void sendUpdate(const std::shared_ptr<TClientModule1> &module, const std::shared_ptr<NoteSaveState> &state)
{
    const int generation = module->connectCount();
    try {
        auto proxy = module->ServerProxy();
        if (!proxy)
            throw std::runtime_error("no connection to the application server");
        if (proxy->UpdateUserNote(state->UserNoteId, state->noteText)) {
            state->isDelete.store(true, std::memory_order_release);
            state->wake();
        }
    } catch (const std::exception &) {
        module->ReconnectAfterFailure(generation);
    }
}

void runNoteSave(const std::shared_ptr<TClientModule1> &module, const std::shared_ptr<NoteSaveState> &state,
                 const NoteSaveTiming timing)
{
    int t = 0;
    while (!state->isDelete.load(std::memory_order_acquire) && !state->cancelled() &&
           !module->isShutDown()) {
        ++t;
        if (t == 1) {
            ++state->attempts;
            module->threadStarted();
            std::thread([module, state] {
                sendUpdate(module, state);
                module->threadFinished();
            }).detach();
        }
        state->waitTick(timing.tickMs);
        if (t > timing.ticksPerReconnect && !state->isDelete.load(std::memory_order_acquire)) {
            t = 0;
            module->ConnectAppServer();
            if (state->attempts.load() >= timing.maxAttempts)
                break;
        }
    }
    state->finish();
}

} // namespace

std::shared_ptr<NoteSaveState> StartNoteSave(const std::shared_ptr<TClientModule1> &module,
                                             const QString &UserNoteId, const QString &noteText,
                                             const NoteSaveTiming &timing)
{
    auto state = std::make_shared<NoteSaveState>(noteText, UserNoteId);
    module->threadStarted();
    std::thread([module, state, timing] {
        runNoteSave(module, state, timing);
        module->threadFinished();
    }).detach();
    return state;
}
