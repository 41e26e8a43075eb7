#pragma once

// Starts the stand-in service on ephemeral loopback ports for one test and
// steers it through its admin endpoint.

#include <QJsonArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class ServiceProcess
{
public:
    explicit ServiceProcess(const QStringList &extraArguments = {});
    ~ServiceProcess();

    bool isRunning() const { return m_appPort > 0; }
    int appPort() const { return m_appPort; }
    QString webBase() const { return m_webBase; }
    QString dataFolder() const { return m_data.path(); }

    // Faults as the service's --fault flag writes them ("hang", "error@2", ...).
    void setFault(const QString &method, const QString &fault);
    void clearFaults();
    void expireSessions();
    void clearLog();
    // Every call received: {"method": "TServerMethods1.X", "params": [...]}.
    QJsonArray callLog();
    // The names of the calls received, without the class name.
    QStringList calledMethods();

private:
    QByteArray admin(const QString &pathAndQuery);

    QTemporaryDir m_data;
    QProcess m_process;
    int m_appPort = -1;
    QString m_webBase;
};

// A loopback port on which nothing listens.
int UnusedLoopbackPort();
