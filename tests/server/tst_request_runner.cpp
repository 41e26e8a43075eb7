// The background side of page requests: attempts, reconnects, the watcher,
// copies into records, against the real stand-in service.

#include "catalogue.h"
#include "requestrunner.h"
#include "serviceprocess.h"
#include "tclientmodule1.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// Fast timing: a 10 ms tick and a forced reconnect after 20 ticks.
RequestTiming fastTiming()
{
    RequestTiming t;
    t.tickMs = 10;
    t.ticksPerReconnect = 20;
    return t;
}

bool waitEnded(const std::shared_ptr<RequestState> &state, int ms = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!state->workerEnded() && clock.elapsed() < ms)
        QTest::qWait(5);
    return state->workerEnded();
}

} // namespace

class TestRequestRunner : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void fastSuccessCallsEachMethodOnce_data();
    void fastSuccessCallsEachMethodOnce();
    void hangingCallIsCutOffAndRetried();
    void tenFailuresGiveUp();
    void deleteAnswersMapToTheFlag_data();
    void deleteAnswersMapToTheFlag();
    void unknownRequestCompletesAtOnce();
    void appListNeedsNoServer();
    void chaptersFailingAtSecondCallKeepFirstRecord();
    void faultTable_data();
    void faultTable();
    void shutdownWithRequestInFlight();

private:
    std::shared_ptr<RequestState> run(const QString &name, const QString &deleteId = {});
    std::unique_ptr<ServiceProcess> m_service;
    std::shared_ptr<TClientModule1> m_module;
};

void TestRequestRunner::initTestCase()
{
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
}

void TestRequestRunner::init()
{
    m_service->clearFaults();
    m_module = std::make_shared<TClientModule1>();
    m_module->setServer(QStringLiteral("127.0.0.1"), m_service->appPort());
    m_module->ConnectAppServer();
    m_service->clearLog();
}

std::shared_ptr<RequestState> TestRequestRunner::run(const QString &name, const QString &deleteId)
{
    RequestInput input;
    input.FunctionName = name;
    input.DeleteId = deleteId;
    input.appid = 10218;
    input.userid = 1234;
    input.findKey = QStringLiteral("青霉素");
    input.appListText = EmbeddedAppListText();
    auto state = StartRequest(m_module, input, fastTiming());
    waitEnded(state);
    return state;
}

void TestRequestRunner::fastSuccessCallsEachMethodOnce_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("zjlx") << "zjlx" << QStringList{"GetTestsClass", "GetUserTestsClassCount"};
    QTest::newRow("mnkc") << "mnkc" << QStringList{"GetTestsClass", "GetTestsType"};
    QTest::newRow("RefreshTestClass") << "RefreshTestClass" << QStringList{"GetUserTestsClassCount"};
    QTest::newRow("kszn") << "kszn" << QStringList{"GetTestsHelp"};
    QTest::newRow("home") << "home" << QStringList{"GetOnlineCount"};
    QTest::newRow("wdbj") << "wdbj" << QStringList{"GetUserNote"};
    QTest::newRow("wdsc") << "wdsc" << QStringList{"GetUserFav"};
    QTest::newRow("ctcz") << "ctcz" << QStringList{"GetUserErrorTest"};
    QTest::newRow("stcz") << "stcz" << QStringList{"FindTests"};
}

void TestRequestRunner::fastSuccessCallsEachMethodOnce()
{
    QFETCH(QString, request);
    QFETCH(QStringList, calls);
    const int connects = m_module->connectCount();
    auto state = run(request);
    QVERIFY(state->ThreadDataFlg.load());
    QCOMPARE(state->attempts.load(), 1);
    QCOMPARE(m_module->connectCount(), connects);
    QCOMPARE(m_service->calledMethods(), calls);
    const RequestOutput out = state->output();
    if (request == QLatin1String("zjlx")) {
        QVERIFY(out.testClass && out.classCount);
        QCOMPARE(out.classCount->testclassid, out.testClass->testclassid);
        QCOMPARE(out.classCount->testedcount.first(), QStringLiteral("10"));
    } else if (request == QLatin1String("home")) {
        QCOMPARE(out.OnlineCount, QStringLiteral("1286"));
    } else if (request == QLatin1String("stcz")) {
        QVERIFY(out.userInfo && out.userInfo->title.first().contains(QStringLiteral("青霉素")));
    }
}

void TestRequestRunner::hangingCallIsCutOffAndRetried()
{
    m_service->setFault(QStringLiteral("GetOnlineCount"), QStringLiteral("hang:20000@1"));
    QElapsedTimer clock;
    clock.start();
    auto state = run(QStringLiteral("home"));
    QVERIFY(state->ThreadDataFlg.load());
    QCOMPARE(state->output().OnlineCount, QStringLiteral("1286"));
    QVERIFY(state->watcherReconnects.load() >= 1);
    QCOMPARE(state->attempts.load(), 2);
    QVERIFY(clock.elapsed() < 10000);
    QCOMPARE(m_service->calledMethods().count(QStringLiteral("GetOnlineCount")), 2);
}

void TestRequestRunner::tenFailuresGiveUp()
{
    m_service->setFault(QStringLiteral("GetUserNote"), QStringLiteral("error"));
    auto state = run(QStringLiteral("wdbj"));
    QVERIFY(state->workerEnded());
    QVERIFY(!state->ThreadDataFlg.load());
    QCOMPARE(state->attempts.load(), 10);
    QCOMPARE(m_service->calledMethods().count(QStringLiteral("GetUserNote")), 10);
    QVERIFY(!state->output().userInfo);
}

void TestRequestRunner::deleteAnswersMapToTheFlag_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("expected");
    QTest::newRow("note removed") << "DeleteNote" << "DeleteUserNote" << "" << true;
    QTest::newRow("note refused") << "DeleteNote" << "DeleteUserNote" << "false" << false;
    QTest::newRow("favourite removed") << "DeleteFav" << "DeleteUserFav" << "" << true;
    QTest::newRow("wrong question removed") << "DeleteError" << "DeleteUserError" << "" << true;
    QTest::newRow("wrong question refused") << "DeleteError" << "DeleteUserError" << "false" << false;
}

void TestRequestRunner::deleteAnswersMapToTheFlag()
{
    QFETCH(QString, request);
    QFETCH(QString, method);
    QFETCH(QString, fault);
    QFETCH(bool, expected);
    ServiceProcess own; // deletes change the store
    m_module->setServer(QStringLiteral("127.0.0.1"), own.appPort());
    m_module->ConnectAppServer();
    if (!fault.isEmpty())
        own.setFault(method, fault);
    // Each demo collection has an entry with id 1.
    auto state = run(request, QStringLiteral("1"));
    QVERIFY(state->ThreadDataFlg.load());
    QCOMPARE(state->output().isDelete, expected);
    QCOMPARE(own.calledMethods().count(method), 1);
}

void TestRequestRunner::unknownRequestCompletesAtOnce()
{
    auto state = run(QStringLiteral("nosuchrequest"));
    QVERIFY(state->ThreadDataFlg.load());
    QCOMPARE(state->attempts.load(), 1);
    QVERIFY(m_service->calledMethods().isEmpty());
}

void TestRequestRunner::appListNeedsNoServer()
{
    m_module = std::make_shared<TClientModule1>();
    m_module->setServer(QStringLiteral("127.0.0.1"), UnusedLoopbackPort());
    m_module->ConnectAppServer(); // fails silently
    QVERIFY(!m_module->ServerProxy());
    auto state = run(QStringLiteral("AppList"));
    QVERIFY(state->ThreadDataFlg.load());
    QCOMPARE(state->output().appList->appid.size(), 1060);
}

void TestRequestRunner::chaptersFailingAtSecondCallKeepFirstRecord()
{
    m_service->setFault(QStringLiteral("GetUserTestsClassCount"), QStringLiteral("error"));
    auto state = run(QStringLiteral("zjlx"));
    QVERIFY(!state->ThreadDataFlg.load());
    const RequestOutput out = state->output();
    QVERIFY(out.testClass);
    QVERIFY(!out.testClass->testclassid.isEmpty());
    QVERIFY(!out.classCount);
}

void TestRequestRunner::faultTable_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("completes");
    QTest::newRow("delay") << "delay:50" << true;
    QTest::newRow("hang once") << "hang:20000@1" << true;
    QTest::newRow("error once") << "error@1" << true;
    QTest::newRow("reset once") << "reset@1" << true;
    QTest::newRow("error") << "error" << false;
    QTest::newRow("false") << "false" << false;
    QTest::newRow("null") << "null" << false;
    QTest::newRow("malformed") << "malformed" << false;
    QTest::newRow("wrong class") << "wrongclass" << false;
    QTest::newRow("reset") << "reset" << false;
}

void TestRequestRunner::faultTable()
{
    QFETCH(QString, fault);
    QFETCH(bool, completes);
    m_service->setFault(QStringLiteral("GetUserFav"), fault);
    auto state = run(QStringLiteral("wdsc"));
    QVERIFY(state->workerEnded());
    QCOMPARE(state->ThreadDataFlg.load(), completes);
    QCOMPARE(bool(state->output().userInfo), completes);
    if (completes)
        QCOMPARE(state->output().userInfo->userfavid.size(), 8);
    else
        QCOMPARE(state->attempts.load(), 10);
}

void TestRequestRunner::shutdownWithRequestInFlight()
{
    m_service->setFault(QStringLiteral("GetUserNote"), QStringLiteral("hang:20000"));
    RequestInput input;
    input.FunctionName = QStringLiteral("wdbj");
    input.appid = 10218;
    input.userid = 1234;
    RequestTiming slow; // the program's own timing
    auto state = StartRequest(m_module, input, slow);
    QTRY_COMPARE(m_service->calledMethods().count(QStringLiteral("GetUserNote")), 1);
    QElapsedTimer clock;
    clock.start();
    m_module->shutdown();
    QVERIFY(clock.elapsed() < 3000);
    QCOMPARE(m_module->runningThreads(), 0);
    QVERIFY(!state->ThreadDataFlg.load());
    m_service->clearFaults();
}

QTEST_GUILESS_MAIN(TestRequestRunner)
#include "tst_request_runner.moc"
