#include "appserver.h"

#include "data_structure.h"
#include "store.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include "listener.h"

#include <httplib.h>

#include <functional>
#include <thread>

namespace {

// Parameter kinds of a server method: 'i' 32-bit integer, 's' text, 'j' JSON.
struct Method
{
    const char *name;
    const char *params;
};

const Method kMethods[] = {
    {"updateUpLoadFile", "sj"},     {"GetAppList", ""},
    {"GetTestsClass", "i"},         {"GetTestsHelp", "i"},
    {"GetTestsType", "i"},          {"GetUserTestLog", "ii"},
    {"GetUserNote", "ii"},          {"DeleteUserNote", "s"},
    {"UpdateUserNote", "ss"},       {"GetUserErrorTest", "ii"},
    {"DeleteUserError", "s"},       {"GetUserFav", "ii"},
    {"DeleteUserFav", "s"},         {"GetUserTestsClassCount", "ii"},
    {"FindTests", "sii"},           {"GetOnlineCount", ""},
    {"GetUpdate", "ss"},            {"GetUserTestsCount", "ii"},
};

const Method *findMethod(const QString &name)
{
    for (const Method &m : kMethods)
        if (name == QLatin1String(m.name))
            return &m;
    return nullptr;
}

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Percent-decodes one path segment as UTF-8; "+" stays "+".
QString decodeSegment(const std::string &segment)
{
    return QUrl::fromPercentEncoding(QByteArray::fromStdString(segment));
}

// A path value becomes a JSON value by how it looks.
QJsonValue valueByLook(const QString &text)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    if (text == QLatin1String("null"))
        return QJsonValue::Null;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (ok)
        return number;
    return text;
}

void sendJson(httplib::Response &res, int status, const QByteArray &body, bool ascii)
{
    QByteArray out = body;
    if (ascii) {
        // Older servers write every non-ASCII character as \uXXXX and "/" as "\/".
        const QString text = QString::fromUtf8(body);
        out.clear();
        for (QChar ch : text) {
            if (ch.unicode() > 127)
                out += "\\u" + QByteArray::number(ch.unicode(), 16).rightJustified(4, '0');
            else if (ch == QLatin1Char('/'))
                out += "\\/";
            else
                out += char(ch.unicode());
        }
    }
    res.status = status;
    res.set_content(out.toStdString(), ascii ? "text/html; charset=ISO-8859-1"
                                             : "application/json; charset=utf-8");
}

QByteArray errorBody(const QString &message)
{
    QJsonObject o;
    o.insert(QLatin1String("error"), message);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray resultBody(const QByteArray &valueJson)
{
    return "{\"result\":[" + valueJson + "]}";
}

QByteArray jsonOf(const QJsonValue &v)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace

std::optional<Fault> ParseFault(const QString &text)
{
    QString rest = text.trimmed();
    Fault fault;
    const qsizetype at = rest.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        bool ok = false;
        fault.count = rest.mid(at + 1).toInt(&ok);
        if (!ok)
            return std::nullopt;
        rest = rest.left(at);
    }
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    const QString kind = colon >= 0 ? rest.left(colon) : rest;
    if (colon >= 0) {
        bool ok = false;
        fault.ms = rest.mid(colon + 1).toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    static const std::pair<const char *, Fault::Kind> kinds[] = {
        {"delay", Fault::Delay},   {"hang", Fault::Hang},           {"error", Fault::Error},
        {"false", Fault::False},   {"null", Fault::Null},           {"malformed", Fault::Malformed},
        {"wrongclass", Fault::WrongClass}, {"reset", Fault::Reset}};
    for (const auto &[name, k] : kinds) {
        if (kind == QLatin1String(name)) {
            fault.kind = k;
            if (k == Fault::Hang && fault.ms <= 0)
                fault.ms = 30000;
            return fault;
        }
    }
    return std::nullopt;
}

struct AppServer::Call
{
    QString className;
    QString method;
    QJsonArray params;
};

AppServer::AppServer(Store &store, Options options)
    : m_store(store), m_options(std::move(options)), m_server(std::make_unique<httplib::Server>())
{
    // Hanging calls hold a worker each; leave room for the rest.
    m_server->new_task_queue = [] { return new httplib::ThreadPool(48); };
    m_server->set_tcp_nodelay(true);
    auto handler = [this](const httplib::Request &req, httplib::Response &res) { route(req, res); };
    m_server->Get(R"(/.*)", handler);
    m_server->Post(R"(/.*)", handler);
    m_server->Put(R"(/.*)", handler);
    m_server->Delete(R"(/.*)", handler);
}

AppServer::~AppServer()
{
    stop();
}

int AppServer::start(const QString &host, int port)
{
    return StartListening(*m_server, host, port, m_thread);
}

void AppServer::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_release.notify_all();
    }
    if (m_server)
        StopListening(*m_server, m_thread);
}

void AppServer::setFault(const QString &method, const Fault &fault)
{
    std::lock_guard lock(m_mutex);
    m_faults[method] = fault;
}

void AppServer::setUpdateUrl(const QString &url)
{
    std::lock_guard lock(m_mutex);
    m_options.updateUrl = url;
}

void AppServer::clearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
    ++m_faultGeneration;
    m_release.notify_all(); // hanging calls end now
}

QJsonArray AppServer::callLog() const
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

void AppServer::clearLog()
{
    std::lock_guard lock(m_mutex);
    m_log = QJsonArray();
}

std::optional<Fault> AppServer::takeFault(const QString &method)
{
    std::lock_guard lock(m_mutex);
    auto it = m_faults.find(method);
    if (it == m_faults.end())
        return std::nullopt;
    Fault fault = it->second;
    if (it->second.count > 0 && --it->second.count == 0)
        m_faults.erase(it);
    return fault;
}

void AppServer::hang(int ms)
{
    std::unique_lock lock(m_mutex);
    const int generation = m_faultGeneration;
    m_release.wait_for(lock, std::chrono::milliseconds(ms),
                       [&] { return m_stopping || m_faultGeneration != generation; });
}

bool AppServer::authenticate(const httplib::Request &req, httplib::Response &res, QString &session)
{
    const std::string pragma = req.get_header_value("Pragma");
    const std::string key = "dssession=";
    const auto pos = pragma.find(key);
    std::lock_guard lock(m_mutex);
    if (pos != std::string::npos) {
        std::string id = pragma.substr(pos + key.size());
        id = id.substr(0, id.find(','));
        session = QString::fromStdString(id);
        auto it = m_sessions.find(session);
        if (it == m_sessions.end() || nowMs() - it->second > m_options.sessionTimeoutMs) {
            if (it != m_sessions.end())
                m_sessions.erase(it);
            sendJson(res, 403,
                     QByteArray("{\"SessionExpired\":\"Session ") + QByteArray::fromStdString(id) +
                         QByteArray(" is not valid\"}"),
                     false);
            return false;
        }
        it->second = nowMs();
        return true;
    }
    // A new session: Basic credentials decide.
    const std::string auth = req.get_header_value("Authorization");
    if (auth.rfind("Basic ", 0) != 0) {
        res.status = 401;
        res.set_header("WWW-Authenticate", "Basic realm=\"REST\"");
        return false;
    }
    const QByteArray decoded = QByteArray::fromBase64(QByteArray::fromStdString(auth.substr(6)));
    const QByteArray expected = (m_options.user + QLatin1Char(':') + m_options.password).toUtf8();
    if (decoded != expected) {
        res.status = 403;
        return false;
    }
    ++m_sessionSerial;
    session = QStringLiteral("%1.%2.%3")
                  .arg(100000 + (nowMs() % 900000))
                  .arg(m_sessionSerial)
                  .arg(qHash(QString::number(nowMs() + m_sessionSerial)) % 1000000);
    m_sessions[session] = nowMs();
    return true;
}

void AppServer::route(const httplib::Request &req, httplib::Response &res)
{
    if (req.path.rfind("/admin/", 0) == 0)
        return admin(req, res);
    const std::string prefix = "/datasnap/rest/";
    if (req.path.rfind(prefix, 0) != 0) {
        sendJson(res, 404, errorBody(QStringLiteral("not found")), false);
        return;
    }
    // Split before decoding, so "%2F" stays inside its segment.
    std::vector<std::string> segments;
    {
        std::string rest = req.target.substr(prefix.size());
        rest = rest.substr(0, rest.find('?'));
        size_t start = 0;
        while (true) {
            const size_t slash = rest.find('/', start);
            segments.push_back(rest.substr(start, slash == std::string::npos ? std::string::npos
                                                                             : slash - start));
            if (slash == std::string::npos)
                break;
            start = slash + 1;
        }
        if (!segments.empty() && segments.back().empty())
            segments.pop_back(); // the trailing "/"
    }
    if (segments.size() < 2) {
        sendJson(res, 500, errorBody(QStringLiteral("no method named")), false);
        return;
    }
    QString session;
    if (!authenticate(req, res, session))
        return;
    res.set_header("Pragma", QString(QStringLiteral("dssession=") + session +
                                     QStringLiteral(",dssessionexpires=") +
                                     QString::number(m_options.sessionTimeoutMs))
                                 .toStdString());

    Call call;
    call.className = decodeSegment(segments[0]);
    QString method = decodeSegment(segments[1]);
    const bool quoted = method.size() >= 2 &&
                        ((method.startsWith(QLatin1Char('"')) && method.endsWith(QLatin1Char('"'))) ||
                         (method.startsWith(QLatin1Char('\'')) && method.endsWith(QLatin1Char('\''))));
    if (quoted)
        method = method.mid(1, method.size() - 2);
    else if (call.className != QLatin1String("DSAdmin")) {
        if (req.method == "POST")
            method = QStringLiteral("update") + method;
        else if (req.method == "PUT")
            method = QStringLiteral("accept") + method;
        else if (req.method == "DELETE")
            method = QStringLiteral("cancel") + method;
    }
    call.method = method;
    for (size_t i = 2; i < segments.size(); ++i)
        call.params.append(valueByLook(decodeSegment(segments[i])));
    if ((req.method == "POST" || req.method == "PUT") && !req.body.empty()) {
        QJsonParseError error;
        const QJsonDocument body =
            QJsonDocument::fromJson("[" + QByteArray::fromStdString(req.body) + "]", &error);
        if (error.error != QJsonParseError::NoError || body.array().size() != 1) {
            sendJson(res, 500, errorBody(QStringLiteral("the request body is not JSON")), false);
            return;
        }
        const QJsonValue value = body.array().first();
        const QJsonObject object = value.toObject();
        if (value.isObject() && object.size() == 1 && object.value(QLatin1String("_parameters")).isArray()) {
            for (const QJsonValue &v : object.value(QLatin1String("_parameters")).toArray())
                call.params.append(v);
        } else {
            call.params.append(value);
        }
    }
    {
        std::lock_guard lock(m_mutex);
        QJsonObject entry;
        entry.insert(QLatin1String("method"), QString(call.className + QLatin1Char('.') + call.method));
        entry.insert(QLatin1String("params"), call.params);
        entry.insert(QLatin1String("session"), session);
        m_log.append(entry);
    }
    answer(call, res);
}

void AppServer::answer(const Call &call, httplib::Response &res)
{
    const bool ascii = m_options.asciiJson;
    if (call.className == QLatin1String("DSAdmin")) {
        if (call.method == QLatin1String("GetPlatformName"))
            sendJson(res, 200, resultBody("\"Linux (Quillmoor stand-in)\""), ascii);
        else
            sendJson(res, 500, errorBody(QStringLiteral("DSAdmin.%1 is not available").arg(call.method)), ascii);
        return;
    }
    const Method *method =
        call.className == QLatin1String("TServerMethods1") ? findMethod(call.method) : nullptr;
    if (!method) {
        sendJson(res, 500, errorBody(QStringLiteral("Method %1.%2 not found").arg(call.className, call.method)), ascii);
        return;
    }
    const QByteArray kinds(method->params);
    if (call.params.size() != kinds.size()) {
        sendJson(res, 500, errorBody(QStringLiteral("%1 takes %2 parameters, got %3")
                                         .arg(call.method).arg(kinds.size()).arg(call.params.size())), ascii);
        return;
    }
    QList<qint32> ints;
    QStringList texts;
    for (qsizetype i = 0; i < kinds.size(); ++i) {
        const QJsonValue v = call.params.at(i);
        if (kinds[i] == 'i') {
            bool numeric = v.isDouble();
            double d = v.toDouble(0.5);
            if (v.isString())
                d = v.toString().toDouble(&numeric);
            if (!numeric || d != qint32(d)) {
                sendJson(res, 500, errorBody(QStringLiteral("parameter %1 of %2 is not an integer").arg(i).arg(call.method)), ascii);
                return;
            }
            ints.append(qint32(d));
            texts.append(QString());
        } else if (kinds[i] == 's') {
            if (!v.isString() && !v.isDouble()) {
                sendJson(res, 500, errorBody(QStringLiteral("parameter %1 of %2 is not a text").arg(i).arg(call.method)), ascii);
                return;
            }
            texts.append(v.isString() ? v.toString() : QString::number(v.toDouble()));
            ints.append(0);
        } else {
            texts.append(QString());
            ints.append(0);
        }
    }

    if (auto fault = takeFault(call.method)) {
        switch (fault->kind) {
        case Fault::Delay:
            hang(fault->ms);
            break; // then answer as usual
        case Fault::Hang:
            hang(fault->ms);
            sendJson(res, 500, errorBody(QStringLiteral("the call hung")), ascii);
            return;
        case Fault::Error:
            sendJson(res, 500, errorBody(QStringLiteral("Injected failure in %1").arg(call.method)), ascii);
            return;
        case Fault::False:
            sendJson(res, 200, resultBody("false"), ascii);
            return;
        case Fault::Null:
            sendJson(res, 200, resultBody("null"), ascii);
            return;
        case Fault::Malformed:
            res.status = 200;
            res.set_content("{\"result\":[{\"type\":\"Data_structure.TUserInfoObject\",\"id\":1,\"fie",
                            "application/json");
            return;
        case Fault::WrongClass: {
            TTestTypeObject other;
            other.testtypeid = {QStringLiteral("1")};
            other.msg = QStringLiteral("ok");
            sendJson(res, 200, resultBody(ObjectToJson(other)), ascii);
            return;
        }
        case Fault::Reset:
            // Promise a body and break off after a few bytes.
            res.set_content_provider(4096, "application/json",
                                     [](size_t, size_t, httplib::DataSink &sink) {
                                         sink.write("{\"res", 5);
                                         return false;
                                     });
            return;
        }
    }

    const QString &m = call.method;
    QByteArray value;
    if (m == QLatin1String("GetAppList"))
        value = ObjectToJson(m_store.appList());
    else if (m == QLatin1String("GetTestsClass"))
        value = ObjectToJson(m_store.testsClass(ints[0]));
    else if (m == QLatin1String("GetTestsHelp"))
        value = ObjectToJson(m_store.testsHelp(ints[0]));
    else if (m == QLatin1String("GetTestsType"))
        value = ObjectToJson(m_store.testsType(ints[0]));
    else if (m == QLatin1String("GetUserTestLog"))
        value = ObjectToJson(m_store.testLog(ints[0], ints[1]));
    else if (m == QLatin1String("GetUserNote"))
        value = ObjectToJson(m_store.userNotes(ints[0], ints[1]));
    else if (m == QLatin1String("GetUserErrorTest"))
        value = ObjectToJson(m_store.userErrors(ints[0], ints[1]));
    else if (m == QLatin1String("GetUserFav"))
        value = ObjectToJson(m_store.userFavs(ints[0], ints[1]));
    else if (m == QLatin1String("GetUserTestsClassCount") || m == QLatin1String("GetUserTestsCount"))
        value = ObjectToJson(m_store.classCounts(ints[0], ints[1]));
    else if (m == QLatin1String("FindTests"))
        value = ObjectToJson(m_store.findTests(texts[0], ints[1]));
    else if (m == QLatin1String("DeleteUserNote"))
        value = m_store.deleteNotes(texts[0]) ? "true" : "false";
    else if (m == QLatin1String("DeleteUserFav"))
        value = m_store.deleteFavs(texts[0]) ? "true" : "false";
    else if (m == QLatin1String("DeleteUserError"))
        value = m_store.deleteErrors(texts[0]) ? "true" : "false";
    else if (m == QLatin1String("UpdateUserNote"))
        value = m_store.updateNote(texts[0], texts[1]) ? "true" : "false";
    else if (m == QLatin1String("GetOnlineCount"))
        value = jsonOf(m_options.onlineCount);
    else if (m == QLatin1String("GetUpdate")) {
        const bool older = texts[0] != QLatin1String("9.99") && texts[1] == QLatin1String("pc");
        std::lock_guard lock(m_mutex);
        value = jsonOf(older ? m_options.updateUrl : QString());
    } else if (m == QLatin1String("updateUpLoadFile"))
        value = jsonOf(QStringLiteral("ok"));
    sendJson(res, 200, resultBody(value), ascii);
}

void AppServer::admin(const httplib::Request &req, httplib::Response &res)
{
    // Tests steer the service here: /admin/log, /admin/log/clear,
    // /admin/fault?method=M&fault=KIND, /admin/faults/clear, /admin/sessions/expire.
    if (req.path == "/admin/log") {
        sendJson(res, 200, QJsonDocument(callLog()).toJson(QJsonDocument::Compact), false);
    } else if (req.path == "/admin/log/clear") {
        clearLog();
        sendJson(res, 200, "{}", false);
    } else if (req.path == "/admin/fault") {
        const QString method = QString::fromStdString(req.get_param_value("method"));
        const auto fault = ParseFault(QString::fromStdString(req.get_param_value("fault")));
        if (method.isEmpty() || !fault) {
            sendJson(res, 400, errorBody(QStringLiteral("method and a known fault are needed")), false);
            return;
        }
        setFault(method, *fault);
        sendJson(res, 200, "{}", false);
    } else if (req.path == "/admin/faults/clear") {
        clearFaults();
        sendJson(res, 200, "{}", false);
    } else if (req.path == "/admin/sessions/expire") {
        std::lock_guard lock(m_mutex);
        m_sessions.clear();
        sendJson(res, 200, "{}", false);
    } else {
        sendJson(res, 404, errorBody(QStringLiteral("unknown admin call")), false);
    }
}
