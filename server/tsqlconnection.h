#pragma once

// The connection to the application server.
//
// The client speaks the server's REST messaging protocol over HTTP/1.1:
// every method call is a POST of {"_parameters":[...]} to
// /<context>rest/<Class>/%22<Method>%22/ and the answer is {"result":[...]}.
// Opening = a TCP connect within the connect time-out plus one handshake
// call that creates the server session; later calls echo the session id.
// Each open makes a new DSSession; closing a session aborts an exchange in
// flight at once, and every later call on it fails.

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace httplib {
class Client;
}

// A failed server call: connection, protocol or server error.
class DataSnapError : public std::runtime_error
{
public:
    explicit DataSnapError(const QString &what);
};

struct DSConnectionParams
{
    QString hostName;
    int port = 211;
    QString user;
    QString password;
    QString datasnapContext = QStringLiteral("datasnap/");
    QString restContext = QStringLiteral("rest");
    int connectTimeoutMs = 3000;
    QString filters = QStringLiteral("{}");
    QString communicationProtocol = QStringLiteral("tcp/ip");

    // Reads "Key=Value" lines as the connection component stores them.
    static DSConnectionParams fromList(const QStringList &params);
};

class DSSession
{
public:
    // Connects and performs the handshake.  Throws DataSnapError.
    static std::shared_ptr<DSSession> open(const DSConnectionParams &params);
    ~DSSession();

    // Calls Class.Method with positional parameters and returns the last
    // value of the result array (the return value).  Exchanges on one session
    // are serialised.  Throws DataSnapError.
    QJsonValue call(const QString &className, const QString &method, const QJsonArray &params);

    // Aborts an exchange in flight; every later call fails.
    void close();
    bool isClosed() const { return m_closed.load(std::memory_order_acquire); }
    QString sessionId() const;

private:
    explicit DSSession(const DSConnectionParams &params);
    QJsonValue exchange(const QString &path, const QByteArray &body);

    DSConnectionParams m_params;
    std::unique_ptr<httplib::Client> m_client;
    std::mutex m_callMutex; // one exchange at a time
    mutable std::mutex m_idMutex;
    QString m_sessionId;
    std::atomic<bool> m_closed{false};
};

// The connection component: parameters, open and close.
class TSQLConnection
{
public:
    QString DriverName;
    QStringList Params;
    bool LoginPrompt = false;

    // Closes any open session, then opens a new one from Params.  Throws
    // DataSnapError; the connection is then closed.
    void Open();
    void Close();
    bool Connected() const;
    std::shared_ptr<DSSession> session() const;

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<DSSession> m_session;
};
