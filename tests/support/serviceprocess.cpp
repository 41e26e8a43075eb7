#include "serviceprocess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QUrl>

#include <httplib.h>

#include <csignal>
#include <sys/prctl.h>

ServiceProcess::ServiceProcess(const QStringList &extraArguments)
{
    QStringList args = {QStringLiteral("--data"), m_data.path(), QStringLiteral("--port"),
                        QStringLiteral("0"), QStringLiteral("--web-port"), QStringLiteral("0")};
    args += extraArguments;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The service goes with the test, even when the test crashes.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(QStringLiteral(QUILLMOOR_SERVICE), args);
    if (!m_process.waitForStarted(10000))
        return;
    QByteArray seen;
    while (!seen.contains("ready\n") && m_process.waitForReadyRead(30000))
        seen += m_process.readAllStandardOutput();
    for (const QByteArray &line : seen.split('\n')) {
        if (line.startsWith("app-server "))
            m_appPort = line.mid(line.lastIndexOf(':') + 1).toInt();
        else if (line.startsWith("web-site "))
            m_webBase = QString::fromUtf8(line.mid(9));
    }
}

ServiceProcess::~ServiceProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QByteArray ServiceProcess::admin(const QString &pathAndQuery)
{
    httplib::Client client("127.0.0.1", m_appPort);
    client.set_connection_timeout(5, 0);
    auto result = client.Get(pathAndQuery.toStdString());
    return result ? QByteArray::fromStdString(result->body) : QByteArray();
}

void ServiceProcess::setFault(const QString &method, const QString &fault)
{
    admin(QStringLiteral("/admin/fault?method=") + method + QStringLiteral("&fault=") +
          QString::fromLatin1(QUrl::toPercentEncoding(fault)));
}

void ServiceProcess::clearFaults()
{
    admin(QStringLiteral("/admin/faults/clear"));
}

void ServiceProcess::expireSessions()
{
    admin(QStringLiteral("/admin/sessions/expire"));
}

void ServiceProcess::clearLog()
{
    admin(QStringLiteral("/admin/log/clear"));
}

QJsonArray ServiceProcess::callLog()
{
    return QJsonDocument::fromJson(admin(QStringLiteral("/admin/log"))).array();
}

QStringList ServiceProcess::calledMethods()
{
    QStringList names;
    for (const QJsonValue &entry : callLog()) {
        const QString method = entry.toObject().value(QLatin1String("method")).toString();
        names.append(method.mid(method.indexOf(QLatin1Char('.')) + 1));
    }
    return names;
}

int UnusedLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}
