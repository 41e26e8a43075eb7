#include "requestrunner.h"

#include "tclientmodule1.h"

#include <chrono>
#include <thread>

void RequestState::setNotify(std::function<void()> notify)
{
    std::lock_guard lock(m_mutex);
    m_notify = std::move(notify);
}

RequestOutput RequestState::output() const
{
    std::lock_guard lock(m_mutex);
    return m_output;
}

void RequestState::store(const std::function<void(RequestOutput &)> &change)
{
    std::lock_guard lock(m_mutex);
    change(m_output);
}

void RequestState::endWorker()
{
    std::lock_guard lock(m_mutex);
    m_workerEnded.store(true, std::memory_order_release);
    m_wake.notify_all();
    if (m_notify)
        m_notify();
}

void RequestState::waitTick(int ms)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return workerEnded(); });
}

namespace {

std::shared_ptr<TServerMethods1Client> proxyOf(TClientModule1 &module)
{
    auto proxy = module.ServerProxy();
    if (!proxy)
        throw DataSnapError(QStringLiteral("no connection to the application server"));
    return proxy;
}

// Every call goes through the proxy current at that moment.
template <class T> const T &require(const std::shared_ptr<T> &object)
{
    if (!object)
        throw ConversionError(QStringLiteral("the server sent no object"));
    return *object;
}

} // namespace

void RunRequestAttempt(TClientModule1 &module, RequestState &state)
{
    const RequestInput &in = state.input();
    const QString &name = in.FunctionName;
    if (name == QLatin1String("RefreshTestClass")) {
        auto counts = proxyOf(module)->GetUserTestsClassCount(in.appid, in.userid);
        auto record = RefreshClassCount(in.currentCounts, counts.get());
        state.store([&](RequestOutput &out) { out.classCount = std::move(record); });
    } else if (name == QLatin1String("AppList")) {
        auto object = ExpectObject<TAppListObject>(JsonToObject(in.appListText));
        auto record = AppListObjectToArr(object.get());
        state.store([&](RequestOutput &out) { out.appList = std::move(record); });
    } else if (name == QLatin1String("home")) {
        const QString count = proxyOf(module)->GetOnlineCount();
        state.store([&](RequestOutput &out) { out.OnlineCount = count; });
    } else if (name == QLatin1String("zjlx")) {
        auto chapters = proxyOf(module)->GetTestsClass(in.appid);
        const TTestClassObject &chapterObject = require(chapters);
        auto classes = TestClassObjectToArr(&chapterObject);
        state.store([&](RequestOutput &out) { out.testClass = classes; });
        auto counts = proxyOf(module)->GetUserTestsClassCount(in.appid, in.userid);
        auto merged = MergeClassCount(&chapterObject, counts.get());
        state.store([&](RequestOutput &out) { out.classCount = std::move(merged); });
    } else if (name == QLatin1String("kszn")) {
        auto record = TestHelpObjectToArr(proxyOf(module)->GetTestsHelp(in.appid).get());
        state.store([&](RequestOutput &out) { out.testHelp = std::move(record); });
    } else if (name == QLatin1String("mnkc")) {
        auto classes = TestClassObjectToArr(proxyOf(module)->GetTestsClass(in.appid).get());
        state.store([&](RequestOutput &out) { out.testClass = std::move(classes); });
        auto types = TestTypeObjectToArr(proxyOf(module)->GetTestsType(in.appid).get());
        state.store([&](RequestOutput &out) { out.testType = std::move(types); });
    } else if (name == QLatin1String("wdbj") || name == QLatin1String("wdsc") ||
               name == QLatin1String("ctcz") || name == QLatin1String("stcz")) {
        auto proxy = proxyOf(module);
        std::shared_ptr<TUserInfoObject> object;
        if (name == QLatin1String("wdbj"))
            object = proxy->GetUserNote(in.appid, in.userid);
        else if (name == QLatin1String("wdsc"))
            object = proxy->GetUserFav(in.appid, in.userid);
        else if (name == QLatin1String("ctcz"))
            object = proxy->GetUserErrorTest(in.appid, in.userid);
        else
            object = proxy->FindTests(in.findKey, in.appid, 1);
        auto record = UserInfoObjectToArr(object.get());
        state.store([&](RequestOutput &out) { out.userInfo = std::move(record); });
    } else if (name == QLatin1String("DeleteFav") || name == QLatin1String("DeleteNote") ||
               name == QLatin1String("DeleteError")) {
        auto proxy = proxyOf(module);
        bool removed = false;
        if (name == QLatin1String("DeleteFav"))
            removed = proxy->DeleteUserFav(in.DeleteId);
        else if (name == QLatin1String("DeleteNote"))
            removed = proxy->DeleteUserNote(in.DeleteId);
        else
            removed = proxy->DeleteUserError(in.DeleteId);
        state.store([&](RequestOutput &out) { out.isDelete = removed; });
    }
    // Any other name does nothing and completes.
}

namespace {

void runWorker(std::shared_ptr<TClientModule1> module, std::shared_ptr<RequestState> state,
               RequestTiming timing)
{
    for (int attempt = 0; attempt < timing.maxAttempts; ++attempt) {
        if (state->ThreadDataFlg.load(std::memory_order_acquire) || module->isShutDown())
            break;
        ++state->attempts;
        const int generation = module->connectCount();
        try {
            RunRequestAttempt(*module, *state);
            state->ThreadDataFlg.store(true, std::memory_order_release);
        } catch (const std::exception &) {
            state->ThreadDataFlg.store(false, std::memory_order_release);
            module->ReconnectAfterFailure(generation);
        }
    }
    state->endWorker();
}

void runWatcher(std::shared_ptr<TClientModule1> module, std::shared_ptr<RequestState> state,
                RequestTiming timing)
{
    module->threadStarted();
    std::thread([module, state, timing] {
        runWorker(module, state, timing);
        module->threadFinished();
    }).detach();

    int ticks = 0;
    int reconnects = 0;
    while (!state->ThreadDataFlg.load(std::memory_order_acquire) && !state->workerEnded() &&
           !module->isShutDown()) {
        if (reconnects > timing.maxReconnects)
            break;
        ++ticks;
        state->waitTick(timing.tickMs);
        if (ticks > timing.ticksPerReconnect && !state->workerEnded()) {
            ticks = 0;
            module->ConnectAppServer();
            ++reconnects;
            ++state->watcherReconnects;
        }
    }
}

} // namespace

std::shared_ptr<RequestState> StartRequest(const std::shared_ptr<TClientModule1> &module,
                                           RequestInput input, const RequestTiming &timing)
{
    auto state = std::make_shared<RequestState>(std::move(input));
    module->threadStarted();
    std::thread([module, state, timing] {
        runWatcher(module, state, timing);
        module->threadFinished();
    }).detach();
    return state;
}
