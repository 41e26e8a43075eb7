#include "tclientmodule1.h"

#include <chrono>

const QString TClientModule1::DefaultHost = QStringLiteral("127.0.0.1");

namespace {
constexpr auto kShutdownWait = std::chrono::seconds(3);
} // namespace

TClientModule1::TClientModule1() : m_host(DefaultHost)
{
    SQLConnection1.DriverName = QStringLiteral("DataSnap");
    SQLConnection1.LoginPrompt = false;
}

TClientModule1::~TClientModule1()
{
    SQLConnection1.Close();
}

void TClientModule1::setServer(const QString &host, int port)
{
    std::lock_guard lock(m_mutex);
    m_host = host;
    m_port = port;
}

void TClientModule1::setConnectTimeout(int ms)
{
    std::lock_guard lock(m_mutex);
    m_connectTimeoutMs = ms;
}

QStringList TClientModule1::connectionParams() const
{
    std::lock_guard lock(m_mutex);
    return {QStringLiteral("DriverUnit=Data.DBXDataSnap"),
            QStringLiteral("HostName=") + m_host,
            QStringLiteral("Port=") + QString::number(m_port),
            QStringLiteral("CommunicationProtocol=tcp/ip"),
            QStringLiteral("DSAuthenticationUser=") + ServerCredentials::User,
            QStringLiteral("DSAuthenticationPassword=") + ServerCredentials::Password,
            QStringLiteral("DatasnapContext=datasnap/"),
            QStringLiteral("ConnectTimeout=") + QString::number(m_connectTimeoutMs),
            QStringLiteral("Filters={}"),
            QStringLiteral("DriverAssemblyLoader=Borland.Data.TDBXClientDriverLoader")};
}

void TClientModule1::ConnectAppServer()
{
    if (isShutDown())
        return;
    // Reconnects from several threads take turns; each one replaces the
    // session and the proxy as a whole.
    std::lock_guard connectLock(m_connectMutex);
    ++m_connectCount;
    try {
        SQLConnection1.Close();
        SQLConnection1.DriverName = QStringLiteral("DataSnap");
        SQLConnection1.Params = connectionParams();
        if (isShutDown())
            return;
        SQLConnection1.Open();
        auto proxy = std::make_shared<TServerMethods1Client>(SQLConnection1.session(), FInstanceOwner);
        std::lock_guard lock(m_mutex);
        m_serverProxy = std::move(proxy);
    } catch (const std::exception &) {
        // Unreachable or refusing server: the old proxy stays, on a closed
        // connection, until a later reconnect succeeds.
    }
}

void TClientModule1::ReconnectAfterFailure(int generation)
{
    if (m_connectCount.load() != generation && SQLConnection1.Connected())
        return;
    ConnectAppServer();
}

std::shared_ptr<TServerMethods1Client> TClientModule1::ServerProxy() const
{
    std::lock_guard lock(m_mutex);
    return m_serverProxy;
}

std::shared_ptr<TServerMethods1Client> TClientModule1::GetServerMethods1Client()
{
    {
        std::lock_guard lock(m_mutex);
        if (FServerMethods1Client)
            return FServerMethods1Client;
    }
    std::lock_guard connectLock(m_connectMutex);
    if (!SQLConnection1.Connected()) {
        SQLConnection1.Params = connectionParams();
        SQLConnection1.Open();
    }
    auto proxy = std::make_shared<TServerMethods1Client>(SQLConnection1.session(), FInstanceOwner);
    std::lock_guard lock(m_mutex);
    if (!FServerMethods1Client)
        FServerMethods1Client = std::move(proxy);
    return FServerMethods1Client;
}

void TClientModule1::shutdown()
{
    m_shutDown.store(true, std::memory_order_release);
    {
        std::lock_guard connectLock(m_connectMutex);
        SQLConnection1.Close();
    }
    std::unique_lock lock(m_threadMutex);
    m_threadsDone.wait_for(lock, kShutdownWait, [this] { return m_threads == 0; });
}

void TClientModule1::threadStarted()
{
    std::lock_guard lock(m_threadMutex);
    ++m_threads;
}

void TClientModule1::threadFinished()
{
    std::lock_guard lock(m_threadMutex);
    if (--m_threads == 0)
        m_threadsDone.notify_all();
}

int TClientModule1::runningThreads() const
{
    std::lock_guard lock(m_threadMutex);
    return m_threads;
}
