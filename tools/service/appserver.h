#pragma once

// The stand-in application server: TServerMethods1 and DSAdmin over the REST
// messaging protocol (sessions, Basic authentication, {"result":[...]} and
// {"error":...} answers), with per-method fault injection and a log of the
// calls it received, both reachable under /admin/ on the same port.

#include <QJsonArray>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
}
class Store;

// A fault applied to the next `count` calls of a method (-1: every call).
struct Fault
{
    enum Kind { Delay, Hang, Error, False, Null, Malformed, WrongClass, Reset } kind = Error;
    int ms = 0; // Delay: the pause; Hang: how long the call hangs at most
    int count = -1;
};

// "hang", "delay:200", "false@2": the kind, an argument after ':' and a
// count after '@'.  Returns nothing for an unknown kind.
std::optional<Fault> ParseFault(const QString &text);

class AppServer
{
public:
    struct Options
    {
        QString user = QStringLiteral("q");
        QString password = QStringLiteral("m");
        bool asciiJson = false;   // \uXXXX and \/ in answers, as older servers write
        QString updateUrl;        // GetUpdate's answer for an older client
        QString onlineCount = QStringLiteral("1286");
        int sessionTimeoutMs = 20 * 60 * 1000;
    };

    AppServer(Store &store, Options options);
    ~AppServer();

    // Binds host:port (0 = any free port) and serves on a thread of its own.
    // Returns the bound port, or -1.
    int start(const QString &host, int port);
    void stop();

    void setFault(const QString &method, const Fault &fault);
    void setUpdateUrl(const QString &url);
    void clearFaults();
    // Every call received, oldest first: {"method", "params", "session"}.
    QJsonArray callLog() const;
    void clearLog();

private:
    struct Call;
    void route(const httplib::Request &req, httplib::Response &res);
    void admin(const httplib::Request &req, httplib::Response &res);
    bool authenticate(const httplib::Request &req, httplib::Response &res, QString &session);
    void answer(const Call &call, httplib::Response &res);
    std::optional<Fault> takeFault(const QString &method);
    void hang(int ms);

    Store &m_store;
    Options m_options;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<std::thread> m_thread;

    mutable std::mutex m_mutex;
    std::map<QString, Fault> m_faults;
    QJsonArray m_log;
    std::map<QString, qint64> m_sessions; // id -> last use (ms since epoch)
    std::condition_variable m_release;     // wakes hanging calls
    bool m_stopping = false;
    int m_faultGeneration = 0;
    qint64 m_sessionSerial = 0;
};
