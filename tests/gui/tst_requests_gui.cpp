// GetInterfaceData on the user-interface thread: the wait, the records it
// installs and the display steps, against the real stand-in service.

#include "onlinecount.h"
#include "serviceprocess.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

class TestRequestsGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void emptyLabels_data();
    void emptyLabels();
    void mockExamStartButton();
    void homeShowsFormattedCount();
    void deleteReturnsTheAnswer();
    void nestedRequestRuns();
    void closingEndsWaitWhileCallHangs();
    void waitEndsWhenWorkerGivesUp();
    void noteCardsReuseSlots();

private:
    QWidget *control(const char *name) { return m_window->findChild<QWidget *>(QLatin1String(name)); }
    std::unique_ptr<ServiceProcess> m_service;
    std::unique_ptr<TForm_windows_main> m_window;
};

void TestRequestsGui::initTestCase()
{
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
}

void TestRequestsGui::init()
{
    m_service->clearFaults();
    m_window = std::make_unique<TForm_windows_main>();
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), m_service->appPort());
    module->ConnectAppServer();
    m_window->setClientModule(module);
    RequestTiming fast;
    fast.tickMs = 10;
    fast.ticksPerReconnect = 20;
    m_window->setRequestTiming(fast);
    m_window->TestAppId = 10218;
    m_window->UserId = 1234;
    m_service->clearLog();
}

void TestRequestsGui::cleanup()
{
    m_service->clearFaults();
    m_window->clientModule()->shutdown();
    m_window.reset();
}

void TestRequestsGui::emptyLabels_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("userid");
    QTest::addColumn<bool>("shown");
    QTest::newRow("notes, none") << "wdbj" << "lbl_wdbj_zwnr" << "暂无我的笔记" << 1235 << true;
    QTest::newRow("notes, some") << "wdbj" << "lbl_wdbj_zwnr" << "暂无我的笔记" << 1234 << false;
    QTest::newRow("favourites, none") << "wdsc" << "lbl_wdsc_zwnr" << "暂无我的收藏" << 1235 << true;
    QTest::newRow("wrong questions, none") << "ctcz" << "lbl_ctcz_zwnr" << "暂无错题重做" << 1235 << true;
    QTest::newRow("chapters") << "zjlx" << "lbl_zjlx_zwnr" << "暂无章节练习" << 1234 << false;
    QTest::newRow("guide") << "kszn" << "lbl_kszn_zwnr" << "暂无考试指南" << 1234 << false;
    QTest::newRow("search") << "stcz" << "lbl_stcz_zwnr" << "暂无试题信息" << 1234 << true;
}

void TestRequestsGui::emptyLabels()
{
    QFETCH(QString, request);
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(int, userid);
    QFETCH(bool, shown);
    m_window->UserId = userid;
    auto *l = m_window->findChild<QLabel *>(label);
    QVERIFY(l);
    QCOMPARE(l->text(), text);
    QCOMPARE(l->font().pixelSize(), 42);
    QVERIFY(l->isHidden());
    bool flag = false;
    m_window->GetInterfaceData(flag, request); // the search key is empty: nothing found
    QVERIFY(!flag);
    QCOMPARE(!l->isHidden(), shown);
    if (request == QLatin1String("wdbj"))
        QCOMPARE(m_window->UserNoteArr.testsid.isEmpty(), shown);
    if (request == QLatin1String("zjlx"))
        QVERIFY(!m_window->UserTestsClassCountArr.testclassid.isEmpty());
}

void TestRequestsGui::mockExamStartButton()
{
    bool flag = false;
    m_window->GetInterfaceData(flag, QStringLiteral("mnkc"));
    QVERIFY(!control("TreeView4")->isHidden());
    QVERIFY(control("lbl_mnkc_zwnr")->isHidden());
    QVERIFY(!m_window->TestTypeArr.testtypeid.isEmpty());

    m_window->TestAppId = 77; // no such subject: no chapters
    m_window->GetInterfaceData(flag, QStringLiteral("mnkc"));
    QVERIFY(control("TreeView4")->isHidden());
    QVERIFY(!control("lbl_mnkc_zwnr")->isHidden());
}

void TestRequestsGui::homeShowsFormattedCount()
{
    auto *count = m_window->findChild<QLabel *>(QStringLiteral("lbl_OnlineCount"));
    QCOMPARE(count->text(), QStringLiteral("0 1 8\u30002 3 4 "));
    bool flag = false;
    m_window->GetInterfaceData(flag, QStringLiteral("home"));
    QCOMPARE(count->text(), FormatOnlineCount(QStringLiteral("1286")));
    QCOMPARE(count->text(), QStringLiteral("0 0 1\u30002 8 6"));
}

void TestRequestsGui::deleteReturnsTheAnswer()
{
    ServiceProcess own;
    m_window->clientModule()->setServer(QStringLiteral("127.0.0.1"), own.appPort());
    m_window->clientModule()->ConnectAppServer();
    bool flag = false;
    m_window->GetInterfaceData(flag, QStringLiteral("DeleteNote"), QStringLiteral("1"));
    QVERIFY(flag);
    flag = true;
    m_window->GetInterfaceData(flag, QStringLiteral("DeleteNote"), QStringLiteral("1")); // gone already
    QVERIFY(!flag);
    flag = true;
    m_window->GetInterfaceData(flag, QStringLiteral("home"));
    QVERIFY(!flag); // not a delete request
}

void TestRequestsGui::nestedRequestRuns()
{
    m_service->setFault(QStringLiteral("GetUserNote"), QStringLiteral("delay:100"));
    bool innerDone = false;
    QTimer::singleShot(20, m_window.get(), [&] {
        bool inner = false;
        m_window->GetInterfaceData(inner, QStringLiteral("home"));
        innerDone = true;
    });
    bool flag = false;
    m_window->GetInterfaceData(flag, QStringLiteral("wdbj"));
    QVERIFY(innerDone);
    QCOMPARE(m_window->UserNoteArr.testsid.size(), 5);
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("lbl_OnlineCount"))->text(),
             QStringLiteral("0 0 1\u30002 8 6"));
}

void TestRequestsGui::closingEndsWaitWhileCallHangs()
{
    m_service->setFault(QStringLiteral("GetUserNote"), QStringLiteral("hang:20000"));
    RequestTiming slow; // the program's timing: no reconnect for 5 s
    m_window->setRequestTiming(slow);
    m_window->show();
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 10)
            m_window->close(); // the user closes the window during the wait
    });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    bool flag = false;
    m_window->GetInterfaceData(flag, QStringLiteral("wdbj"));
    // The user-interface thread kept handling events and left the wait at once.
    QVERIFY(ticks >= 10);
    QVERIFY(m_window->closing());
    QVERIFY(clock.elapsed() < 3000);
    QVERIFY(!flag);
}

void TestRequestsGui::waitEndsWhenWorkerGivesUp()
{
    m_service->setFault(QStringLiteral("GetUserFav"), QStringLiteral("error"));
    m_window->UserFavArr.msg = QStringLiteral("before");
    bool flag = false;
    m_window->GetInterfaceData(flag, QStringLiteral("wdsc"));
    QVERIFY(!flag);
    QCOMPARE(m_window->UserFavArr.msg, QStringLiteral("before")); // the record is kept
    QCOMPARE(m_service->calledMethods().count(QStringLiteral("GetUserFav")), 10);
}

void TestRequestsGui::noteCardsReuseSlots()
{
    auto entries = [](int n, int firstId) {
        TUserInfoArr a;
        for (int i = 0; i < n; ++i) {
            a.testsid << QString::number(100 + i);
            a.usernoteid << QString::number(firstId + i);
            a.testtype << (i == 0 ? "A3test" : "A1test");
            a.title << (i == 1 ? QStringLiteral("<b>粗体</b><img src=x>") : QStringLiteral("题目%1").arg(i));
            a.a3title << "病例一";
            a.btitle << "";
            a.rightanswer << "B";
            a.answercontent << "青霉素";
            a.analyse << "解析文字";
            a.note << QStringLiteral("笔记%1").arg(i);
        }
        a.msg = n ? "ok" : "暂无数据";
        return a;
    };
    auto panel = [this](int j) { return m_window->findChild<QWidget *>(QStringLiteral("Pnl_UserNote%1").arg(j)); };
    m_window->UserNoteArr = entries(5, 10);
    m_window->ShowUserNoteList();
    for (int j = 0; j < 5; ++j)
        QVERIFY(panel(j) && !panel(j)->isHidden());
    QCOMPARE(panel(0)->property("Tag").toInt(), 10);
    const auto labels = panel(0)->findChildren<QLabel *>();
    QStringList texts;
    for (QLabel *l : labels)
        texts << l->text();
    QVERIFY(texts.contains("病例一 - 题目0"));
    QVERIFY(texts.contains("答案：B.青霉素"));
    QVERIFY(texts.contains("解析：解析文字"));
    QVERIFY(texts.contains("笔记：笔记0"));
    // Server text is never read as markup.
    const auto second = panel(1)->findChildren<QLabel *>();
    QVERIFY(std::any_of(second.begin(), second.end(), [](QLabel *l) {
        return l->text() == QStringLiteral("<b>粗体</b><img src=x>") && l->textFormat() == Qt::PlainText;
    }));
    QVERIFY(m_window->findChild<QWidget *>(QStringLiteral("Button_Update_UserFav3")));
    QVERIFY(m_window->findChild<QWidget *>(QStringLiteral("Button_UserNote3")));
    QVERIFY(!control("tv_wdbj_Bottom")->isHidden());

    // Three after five reuse slots 0 to 2; 3 and 4 stay hidden.
    QWidget *first = panel(0);
    m_window->UserNoteArr = entries(3, 50);
    m_window->ShowUserNoteList();
    QCOMPARE(panel(0), first);
    QCOMPARE(panel(2)->property("Tag").toInt(), 52);
    QVERIFY(panel(3)->isHidden() && panel(4)->isHidden());
    QVERIFY(!m_window->findChild<QWidget *>(QStringLiteral("Pnl_UserNote5")));

    // None after three: every panel hidden.
    m_window->UserNoteArr = entries(0, 0);
    m_window->ShowUserNoteList();
    for (int j = 0; j < 5; ++j)
        QVERIFY(panel(j)->isHidden());
}

QTEST_MAIN(TestRequestsGui)
#include "tst_requests_gui.moc"
