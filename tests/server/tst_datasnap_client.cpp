// The connection, the proxy and the shared ServerProxy against the real
// stand-in service on an ephemeral loopback port.

#include "serviceprocess.h"
#include "tclientmodule1.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QTcpServer>
#include <QTest>

#include <atomic>
#include <thread>

class TestDataSnapClient : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void preparesOncePerProxy();
    void resultStaysUsableUntilSameMethodAgain();
    void nullObjectResultIsNoObject();
    void unreachableServerKeepsOldProxy_data();
    void unreachableServerKeepsOldProxy();
    void textParametersArriveUnchanged();
    void removeAllSendsOneCommaList();
    void expiredSessionAuthenticatesOnceMore();
    void asciiEscapedAnswersDecode();
    void reconnectAbortsCallInFlight();
    void closedConnectionFailsWithError();
    void concurrentCallsAndReconnects();

private:
    std::shared_ptr<TClientModule1> connectedModule();

    std::unique_ptr<ServiceProcess> m_service;
};

void TestDataSnapClient::initTestCase()
{
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
}

void TestDataSnapClient::init()
{
    m_service->clearFaults();
    m_service->clearLog();
}

void TestDataSnapClient::cleanup()
{
    m_service->clearFaults();
}

std::shared_ptr<TClientModule1> TestDataSnapClient::connectedModule()
{
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), m_service->appPort());
    module->ConnectAppServer();
    return module;
}

void TestDataSnapClient::preparesOncePerProxy()
{
    auto module = connectedModule();
    auto proxy = module->ServerProxy();
    QVERIFY(proxy);
    QCOMPARE(proxy->preparedCommands(), 0);
    QVERIFY(proxy->GetTestsClass(10218));
    QCOMPARE(proxy->preparedCommands(), 1);
    QVERIFY(proxy->GetTestsClass(19851));
    QCOMPARE(proxy->preparedCommands(), 1);
    QVERIFY(!proxy->GetOnlineCount().isEmpty());
    QCOMPARE(proxy->preparedCommands(), 2);

    module->ConnectAppServer();
    auto fresh = module->ServerProxy();
    QVERIFY(fresh && fresh != proxy);
    QCOMPARE(fresh->preparedCommands(), 0);
    QVERIFY(fresh->GetTestsClass(10218));
    QCOMPARE(fresh->preparedCommands(), 1);
    // The handshake opened each session; the calls used it.
    QCOMPARE(m_service->calledMethods(),
             (QStringList{QStringLiteral("GetPlatformName"), QStringLiteral("GetTestsClass"),
                          QStringLiteral("GetTestsClass"), QStringLiteral("GetOnlineCount"),
                          QStringLiteral("GetPlatformName"), QStringLiteral("GetTestsClass")}));
}

void TestDataSnapClient::resultStaysUsableUntilSameMethodAgain()
{
    auto module = connectedModule();
    auto proxy = module->ServerProxy();
    auto notes = proxy->GetUserNote(10218, 1234);
    QVERIFY(notes && notes->testsid.size() == 5);
    const std::weak_ptr<TUserInfoObject> first = notes;
    QVERIFY(proxy->GetUserFav(10218, 1234)); // another method leaves it alone
    notes.reset();
    QVERIFY(!first.expired()); // still owned by its command
    QVERIFY(proxy->GetUserNote(10218, 1234));
    QVERIFY(first.expired()); // released by the next call of the same method
}

void TestDataSnapClient::nullObjectResultIsNoObject()
{
    auto module = connectedModule();
    auto proxy = module->ServerProxy();
    m_service->setFault(QStringLiteral("GetUserNote"), QStringLiteral("null"));
    std::shared_ptr<TUserInfoObject> notes;
    QVERIFY_THROWS_NO_EXCEPTION(notes = proxy->GetUserNote(10218, 1234));
    QVERIFY(!notes);
}

void TestDataSnapClient::unreachableServerKeepsOldProxy_data()
{
    QTest::addColumn<bool>("silentListener");
    QTest::newRow("nothing listens") << false;
    QTest::newRow("listener never answers") << true;
}

void TestDataSnapClient::unreachableServerKeepsOldProxy()
{
    QFETCH(bool, silentListener);
    auto module = connectedModule();
    const auto before = module->ServerProxy();
    QTcpServer silent; // accepts connections and never says a word
    int port = UnusedLoopbackPort();
    if (silentListener) {
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        port = silent.serverPort();
    }
    module->setServer(QStringLiteral("127.0.0.1"), port);
    module->setConnectTimeout(300);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_NO_EXCEPTION(module->ConnectAppServer());
    QVERIFY2(clock.elapsed() < 300 * 3 + 200, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(module->ServerProxy(), before);
    // The old proxy stands on a closed connection now.
    QVERIFY_THROWS_EXCEPTION(DataSnapError, before->GetOnlineCount());
}

void TestDataSnapClient::textParametersArriveUnchanged()
{
    auto module = connectedModule();
    auto proxy = module->ServerProxy();
    const QString key = QStringLiteral("青霉素 a/b?c#d%20&'\"");
    proxy->FindTests(key, 10218, 1);
    QString note;
    for (int i = 0; note.size() < 1000; ++i)
        note += (i % 7 == 6) ? QStringLiteral("\r\n") : QStringLiteral("记");
    note.truncate(1000);
    QVERIFY(proxy->UpdateUserNote(QStringLiteral("1"), note));
    const QJsonArray log = m_service->callLog();
    QCOMPARE(log.at(1).toObject().value(QLatin1String("params")).toArray(),
             (QJsonArray{key, 10218, 1}));
    QCOMPARE(log.at(2).toObject().value(QLatin1String("params")).toArray(),
             (QJsonArray{QStringLiteral("1"), note}));
    // And the stored note reads back the same.
    QCOMPARE(proxy->GetUserNote(10218, 1234)->note.first(), note);
    // Numeric-looking texts stay texts.
    proxy->DeleteUserFav(QStringLiteral("007"));
    QCOMPARE(m_service->callLog().last().toObject().value(QLatin1String("params")).toArray(),
             (QJsonArray{QStringLiteral("007")}));
}

void TestDataSnapClient::removeAllSendsOneCommaList()
{
    ServiceProcess own; // a store of its own: the notes are really removed
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), own.appPort());
    module->ConnectAppServer();
    auto proxy = module->ServerProxy();
    const TUserInfoArr notes = UserInfoObjectToArr(proxy->GetUserNote(10218, 1234).get());
    QVERIFY(notes.usernoteid.size() >= 3);
    const QString ids = notes.usernoteid.mid(0, 3).join(QLatin1Char(','));
    own.clearLog();
    QVERIFY(proxy->DeleteUserNote(ids));
    QCOMPARE(own.calledMethods(), QStringList{QStringLiteral("DeleteUserNote")});
    QCOMPARE(own.callLog().first().toObject().value(QLatin1String("params")).toArray(),
             QJsonArray{ids});
    QCOMPARE(proxy->GetUserNote(10218, 1234)->usernoteid.size(), notes.usernoteid.size() - 3);
    QVERIFY(!proxy->DeleteUserNote(ids)); // already gone
}

void TestDataSnapClient::expiredSessionAuthenticatesOnceMore()
{
    auto module = connectedModule();
    auto proxy = module->ServerProxy();
    QVERIFY(!proxy->GetOnlineCount().isEmpty());
    const QString oldSession = proxy->connection()->sessionId();
    m_service->expireSessions();
    QCOMPARE(proxy->GetOnlineCount(), QStringLiteral("1286"));
    QVERIFY(proxy->connection()->sessionId() != oldSession);
}

void TestDataSnapClient::asciiEscapedAnswersDecode()
{
    ServiceProcess ascii({QStringLiteral("--ascii-json")});
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), ascii.appPort());
    module->ConnectAppServer();
    auto notes = module->ServerProxy()->GetUserNote(10218, 1234);
    QVERIFY(notes);
    QCOMPARE(notes->note.first(), QStringLiteral("皮试阴性也要备好肾上腺素"));
    QVERIFY(notes->notetime.first().contains(QLatin1Char('-')));
}

void TestDataSnapClient::reconnectAbortsCallInFlight()
{
    auto module = connectedModule();
    auto proxy = module->ServerProxy();
    m_service->setFault(QStringLiteral("GetOnlineCount"), QStringLiteral("hang:20000"));
    std::atomic<bool> failed{false};
    std::atomic<bool> done{false};
    std::thread caller([&] {
        try {
            proxy->GetOnlineCount();
        } catch (const DataSnapError &) {
            failed = true;
        }
        done = true;
    });
    QTRY_COMPARE(m_service->calledMethods().count(QStringLiteral("GetOnlineCount")), 1);
    QElapsedTimer clock;
    clock.start();
    module->ConnectAppServer();
    QTRY_VERIFY(done.load());
    caller.join();
    QVERIFY(failed.load());
    QVERIFY(clock.elapsed() < 5000); // cut off, not waited out
    m_service->clearFaults();
    QCOMPARE(module->ServerProxy()->GetOnlineCount(), QStringLiteral("1286"));
}

void TestDataSnapClient::closedConnectionFailsWithError()
{
    auto module = connectedModule();
    auto proxy = module->ServerProxy();
    module->SQLConnection1.Close();
    QVERIFY_THROWS_EXCEPTION(DataSnapError, proxy->GetTestsClass(10218));
    QVERIFY_THROWS_EXCEPTION(DataSnapError, proxy->DeleteUserNote(QStringLiteral("1")));
    QVERIFY_THROWS_EXCEPTION(DataSnapError, TServerMethods1Client(nullptr, true));
}

// Several threads call through ServerProxy while another reconnects over and
// over: every call either succeeds whole or fails with an error.
void TestDataSnapClient::concurrentCallsAndReconnects()
{
    auto module = connectedModule();
    std::atomic<int> succeeded{0};
    std::atomic<int> failed{0};
    std::atomic<int> wrong{0}; // an answer meant for another call
    std::atomic<bool> stop{false};
    std::vector<std::thread> callers;
    for (int t = 0; t < 4; ++t) {
        callers.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                try {
                    auto proxy = module->ServerProxy();
                    bool right = true;
                    if (t % 2 == 0) {
                        auto classes = proxy->GetTestsClass(10218);
                        right = classes && classes->testclassid.value(0) == QLatin1String("10218001");
                    } else {
                        right = proxy->GetOnlineCount() == QLatin1String("1286");
                    }
                    ++(right ? succeeded : wrong);
                } catch (const DataSnapError &) {
                    ++failed;
                }
            }
        });
    }
    // A reconnect after every few calls, whichever thread made them.
    std::thread reconnector([&] {
        int seen = 0;
        while (!stop) {
            const int done = succeeded + failed + wrong;
            if (done >= seen + 5) {
                seen = done;
                module->ConnectAppServer();
            } else {
                std::this_thread::yield();
            }
        }
    });
    for (auto &c : callers)
        c.join();
    stop = true;
    reconnector.join();
    QCOMPARE(wrong.load(), 0);
    QCOMPARE(succeeded + failed, 100);
    QVERIFY(succeeded > 0);
}

QTEST_GUILESS_MAIN(TestDataSnapClient)
#include "tst_datasnap_client.moc"
