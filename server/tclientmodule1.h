#pragma once

// The data module: the connection to the application server and the shared
// proxy through which every feature calls it.
//
// Threads that use the module (request workers and watchers, the note save,
// the update check) hold shared ownership of it.  shutdown() closes the
// connection, stops later reconnects and waits a bounded time for those
// threads to finish, so nothing touches the module after the program ends.

#include "tservermethods1client.h"
#include "tsqlconnection.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

class TClientModule1 : public std::enable_shared_from_this<TClientModule1>
{
public:
    static constexpr int DefaultPort = 211;
    static const QString DefaultHost;

    TClientModule1();
    ~TClientModule1();

    // Where the application server is; used by the next ConnectAppServer.
    void setServer(const QString &host, int port);
    // The connect time-out in milliseconds (3000 in the program).
    void setConnectTimeout(int ms);

    // (Re)opens SQLConnection1 and replaces ServerProxy with a proxy on the
    // new session.  Never raises: when the server cannot be reached it
    // returns after at most the connect time-out and ServerProxy keeps its
    // old proxy, whose calls then fail.
    void ConnectAppServer();

    // The reconnect after a failed call: skipped when another thread has
    // reconnected since `generation` (connectCount() when the call began)
    // and that connection is open, so that two requests whose calls were
    // cut off by each other's reconnects do not keep cutting each other off.
    void ReconnectAfterFailure(int generation);

    // The shared proxy, read afresh for every call; may be none before the
    // first successful connect.
    std::shared_ptr<TServerMethods1Client> ServerProxy() const;

    // A proxy of the module's own, made on first use on the open connection.
    std::shared_ptr<TServerMethods1Client> GetServerMethods1Client();

    // Closes the connection for good and waits (bounded) for the threads
    // that still use the module.
    void shutdown();
    bool isShutDown() const { return m_shutDown.load(std::memory_order_acquire); }

    // Book-keeping of threads that use the module.
    void threadStarted();
    void threadFinished();
    int runningThreads() const;

    // How many times ConnectAppServer ran (tests watch reconnects).
    int connectCount() const { return m_connectCount.load(); }

    TSQLConnection SQLConnection1;
    const bool FInstanceOwner = true;

private:
    QStringList connectionParams() const;

    mutable std::mutex m_mutex; // configuration, proxy, reconnects
    std::mutex m_connectMutex;
    QString m_host;
    int m_port = DefaultPort;
    int m_connectTimeoutMs = 3000;
    std::shared_ptr<TServerMethods1Client> m_serverProxy;
    std::shared_ptr<TServerMethods1Client> FServerMethods1Client;
    std::atomic<bool> m_shutDown{false};
    std::atomic<int> m_connectCount{0};

    mutable std::mutex m_threadMutex;
    std::condition_variable m_threadsDone;
    int m_threads = 0;
};

// The one-letter credentials the application server expects.
namespace ServerCredentials {
inline const QString User = QStringLiteral("q");
inline const QString Password = QStringLiteral("m");
} // namespace ServerCredentials
