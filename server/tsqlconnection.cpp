#include "tsqlconnection.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <httplib.h>

DataSnapError::DataSnapError(const QString &what) : std::runtime_error(what.toStdString()) {}

namespace {

constexpr time_t kReadTimeoutSec = 600; // a hanging call is cut off by a reconnect, not here

QString valueOf(const QStringList &params, const QString &key)
{
    for (const QString &line : params) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return {};
}

QString sessionFromPragma(const std::string &pragma)
{
    // "dssession=<id>,dssessionexpires=<ms>"
    const QString text = QString::fromStdString(pragma);
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString item = part.trimmed();
        if (item.startsWith(QLatin1String("dssession="), Qt::CaseInsensitive))
            return item.mid(10);
    }
    return {};
}

QString errorMessage(int status, const std::string &body)
{
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(body));
    const QJsonObject object = doc.object();
    for (const char *key : {"error", "SessionExpired"})
        if (object.value(QLatin1String(key)).isString())
            return object.value(QLatin1String(key)).toString();
    return QStringLiteral("server answered HTTP %1").arg(status);
}

} // namespace

DSConnectionParams DSConnectionParams::fromList(const QStringList &params)
{
    DSConnectionParams p;
    p.hostName = valueOf(params, QStringLiteral("HostName"));
    bool ok = false;
    const int port = valueOf(params, QStringLiteral("Port")).toInt(&ok);
    if (ok)
        p.port = port;
    p.user = valueOf(params, QStringLiteral("DSAuthenticationUser"));
    p.password = valueOf(params, QStringLiteral("DSAuthenticationPassword"));
    const QString context = valueOf(params, QStringLiteral("DatasnapContext"));
    if (!context.isEmpty())
        p.datasnapContext = context;
    const int timeout = valueOf(params, QStringLiteral("ConnectTimeout")).toInt(&ok);
    if (ok)
        p.connectTimeoutMs = timeout;
    p.filters = valueOf(params, QStringLiteral("Filters"));
    const QString protocol = valueOf(params, QStringLiteral("CommunicationProtocol"));
    if (!protocol.isEmpty())
        p.communicationProtocol = protocol;
    return p;
}

DSSession::DSSession(const DSConnectionParams &params) : m_params(params) {}

DSSession::~DSSession() = default;

std::shared_ptr<DSSession> DSSession::open(const DSConnectionParams &params)
{
    if (!params.filters.isEmpty() && params.filters != QLatin1String("{}"))
        throw DataSnapError(QStringLiteral("transport filters are not supported: %1").arg(params.filters));
    if (params.hostName.isEmpty())
        throw DataSnapError(QStringLiteral("no host name"));
    std::shared_ptr<DSSession> session(new DSSession(params));
    session->m_client = std::make_unique<httplib::Client>(params.hostName.toStdString(), params.port);
    httplib::Client &client = *session->m_client;
    const int ms = qMax(1, params.connectTimeoutMs);
    client.set_connection_timeout(ms / 1000, (ms % 1000) * 1000);
    // Opening, handshake included, is bounded by the connect time-out.
    client.set_read_timeout(ms / 1000, (ms % 1000) * 1000);
    client.set_write_timeout(ms / 1000, (ms % 1000) * 1000);
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true); // headers and body leave at once, no Nagle stall
    client.set_basic_auth(params.user.toStdString(), params.password.toStdString());
    // The handshake creates the server session.
    session->call(QStringLiteral("DSAdmin"), QStringLiteral("GetPlatformName"), {});
    client.set_read_timeout(kReadTimeoutSec, 0);
    client.set_write_timeout(kReadTimeoutSec, 0);
    return session;
}

QString DSSession::sessionId() const
{
    std::lock_guard lock(m_idMutex);
    return m_sessionId;
}

void DSSession::close()
{
    m_closed.store(true, std::memory_order_release);
    if (m_client)
        m_client->stop(); // shuts the socket of a call in flight
}

QJsonValue DSSession::call(const QString &className, const QString &method, const QJsonArray &params)
{
    // Quoting the method name keeps the server from prefixing it after the
    // HTTP verb ("update..." for POST); the body carries texts exactly.
    const QString path = QLatin1Char('/') + m_params.datasnapContext + m_params.restContext +
                         QLatin1Char('/') + className + QStringLiteral("/%22") + method +
                         QStringLiteral("%22/");
    QJsonObject body;
    body.insert(QLatin1String("_parameters"), params);
    return exchange(path, QJsonDocument(body).toJson(QJsonDocument::Compact));
}

QJsonValue DSSession::exchange(const QString &path, const QByteArray &body)
{
    std::lock_guard callLock(m_callMutex);
    for (int round = 0; round < 2; ++round) {
        if (isClosed())
            throw DataSnapError(QStringLiteral("the connection is closed"));
        httplib::Headers headers{{"Accept", "application/json"}};
        const QString id = sessionId();
        if (!id.isEmpty())
            headers.emplace("Pragma", "dssession=" + id.toStdString());
        auto result = m_client->Post(path.toStdString(), headers, body.constData(),
                                     static_cast<size_t>(body.size()), "text/plain;charset=UTF-8");
        if (isClosed())
            throw DataSnapError(QStringLiteral("the connection was closed during the call"));
        if (!result)
            throw DataSnapError(QStringLiteral("connection failed: %1")
                                    .arg(QString::fromStdString(httplib::to_string(result.error()))));
        const httplib::Response &response = *result;
        if (response.has_header("Pragma")) {
            const QString newId = sessionFromPragma(response.get_header_value("Pragma"));
            if (!newId.isEmpty()) {
                std::lock_guard lock(m_idMutex);
                m_sessionId = newId;
            }
        }
        if (response.status == 403 && response.body.find("SessionExpired") != std::string::npos &&
            round == 0) {
            // The server forgot the session: authenticate once more without it.
            std::lock_guard lock(m_idMutex);
            m_sessionId.clear();
            continue;
        }
        if (response.status >= 400)
            throw DataSnapError(errorMessage(response.status, response.body));
        QJsonParseError error;
        const QJsonDocument doc =
            QJsonDocument::fromJson(QByteArray::fromStdString(response.body), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject())
            throw DataSnapError(QStringLiteral("the answer is not JSON: %1").arg(error.errorString()));
        const QJsonValue values = doc.object().value(QLatin1String("result"));
        if (!values.isArray())
            throw DataSnapError(QStringLiteral("the answer has no result"));
        const QJsonArray array = values.toArray();
        return array.isEmpty() ? QJsonValue() : array.last();
    }
    throw DataSnapError(QStringLiteral("the session expired"));
}

void TSQLConnection::Open()
{
    Close();
    auto session = DSSession::open(DSConnectionParams::fromList(Params));
    std::lock_guard lock(m_mutex);
    m_session = std::move(session);
}

void TSQLConnection::Close()
{
    std::shared_ptr<DSSession> old;
    {
        std::lock_guard lock(m_mutex);
        old = std::move(m_session);
    }
    if (old)
        old->close();
}

bool TSQLConnection::Connected() const
{
    std::lock_guard lock(m_mutex);
    return m_session && !m_session->isClosed();
}

std::shared_ptr<DSSession> TSQLConnection::session() const
{
    std::lock_guard lock(m_mutex);
    return m_session;
}
