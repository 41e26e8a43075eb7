// The note save task against the stand-in service: its rounds of update and
// reconnect, giving up, and ending when the window closes or the program
// shuts the connection down, with no thread left behind.

#include "notesave.h"
#include "serviceprocess.h"
#include "tclientmodule1.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

class TestNoteSave : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void rounds_data();
    void rounds();
    void cancelEndsTheTask();
    void shutdownWithUpdateHanging();

private:
    std::unique_ptr<ServiceProcess> m_service;
    std::shared_ptr<TClientModule1> m_module;
};

void TestNoteSave::initTestCase()
{
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
}

void TestNoteSave::init()
{
    m_service->clearFaults();
    m_module = std::make_shared<TClientModule1>();
    m_module->setServer(QStringLiteral("127.0.0.1"), m_service->appPort());
    m_module->ConnectAppServer();
    m_service->clearLog();
}

void TestNoteSave::cleanup()
{
    m_module->shutdown();
    QCOMPARE(m_module->runningThreads(), 0);
    m_service->clearFaults();
}

void TestNoteSave::rounds_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("updates");
    QTest::addColumn<int>("reconnects");
    QTest::newRow("confirmed at once") << QString() << true << 1 << 0;
    QTest::newRow("refused once") << "false@1" << true << 2 << 1;
    // An error reconnects at once and again at the end of the round.
    QTest::newRow("error once") << "error@1" << true << 2 << 2;
    QTest::newRow("refused always") << "false" << false << 3 << 3;
}

// Each round sends the update once, then waits its ticks and reconnects.
void TestNoteSave::rounds()
{
    QFETCH(QString, fault);
    QFETCH(bool, saved);
    QFETCH(int, updates);
    QFETCH(int, reconnects);
    if (!fault.isEmpty())
        m_service->setFault(QStringLiteral("UpdateUserNote"), fault);
    NoteSaveTiming fast;
    fast.tickMs = 5;
    fast.ticksPerReconnect = 10;
    const int connectsBefore = m_module->connectCount();
    const auto state = StartNoteSave(m_module, QStringLiteral("1"), QStringLiteral("新笔记\n第二行"), fast);
    QTRY_VERIFY(state->finished());
    QCOMPARE(state->isDelete.load(), saved);
    QCOMPARE(state->attempts.load(), updates);
    QCOMPARE(m_module->connectCount() - connectsBefore, reconnects);
    int sent = 0;
    for (const QJsonValue &call : m_service->callLog()) {
        if (call[QLatin1String("method")].toString() != QLatin1String("TServerMethods1.UpdateUserNote"))
            continue; // the reconnects' handshakes
        ++sent;
        QCOMPARE(call[QLatin1String("params")].toArray(), (QJsonArray{QStringLiteral("1"), QStringLiteral("新笔记\n第二行")}));
    }
    QCOMPARE(sent, updates);
}

void TestNoteSave::cancelEndsTheTask()
{
    m_service->setFault(QStringLiteral("UpdateUserNote"), QStringLiteral("false"));
    const auto state = StartNoteSave(m_module, QStringLiteral("1"), QStringLiteral("x")); // program timing
    QTRY_COMPARE(state->attempts.load(), 1);
    QElapsedTimer clock;
    clock.start();
    state->cancel();
    QTRY_VERIFY(state->finished());
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!state->isDelete.load());
}

void TestNoteSave::shutdownWithUpdateHanging()
{
    m_service->setFault(QStringLiteral("UpdateUserNote"), QStringLiteral("hang:20000"));
    const auto state = StartNoteSave(m_module, QStringLiteral("1"), QStringLiteral("x"));
    QTRY_COMPARE(m_service->calledMethods().count(QStringLiteral("UpdateUserNote")), 1);
    QElapsedTimer clock;
    clock.start();
    m_module->shutdown();
    QVERIFY(clock.elapsed() < 3000);
    QCOMPARE(m_module->runningThreads(), 0);
    QVERIFY(state->finished());
    QVERIFY(!state->isDelete.load());
}

QTEST_GUILESS_MAIN(TestNoteSave)
#include "tst_note_save.moc"
