// The client's real window against the stand-in service: start, sign-in in
// the embedded browser, markers, subject choice, navigation gates, launches.

#include "appinfo.h"
#include "clientsession.h"
#include "inifile.h"
#include "serviceprocess.h"
#include "tchromium.h"
#include "tclientmodule1.h"
#include "tform_pc_start.h"
#include "tform_windows_main.h"
#include "timage.h"
#include "weburls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineProfile>


class TestSignIn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void signInRestoresFormAndSubject();
    void signInWithoutSubjectOpensChooser();
    void storedPasswordFillsFieldExactly();
    void markerRules();
    void gatesBeforeSignIn();
    void randomPracticeAndTransferPage();
    void guidePageAndStatistics();
    void chapterPageRefreshesAfterPractice();
    void mockExamSetup();
    void browserReportsEachLoadOnce();

private:
    void startClient();
    void waitForSignInPage();
    void submit(const QString &name, const QString &password, bool remember);
    QWidget *control(const char *name) { return m_main->findChild<QWidget *>(QLatin1String(name)); }
    QString currentPage() { return m_main->findChild<QStackedWidget *>(QStringLiteral("tbc_Client"))->currentWidget()->objectName(); }

    std::unique_ptr<ServiceProcess> m_service;
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<TForm_pc_start> m_splash;
    std::unique_ptr<TForm_windows_main> m_main;
};

void TestSignIn::initTestCase()
{
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
    SetWebBaseUrl(m_service->webBase());
}

void TestSignIn::init()
{
    m_settings = std::make_unique<QTemporaryDir>();
    m_service->clearLog();
}

void TestSignIn::cleanup()
{
    if (m_main) {
        // Sign out so the next test starts at the sign-in page.
        m_main->chrmfmx_grzx->loadAddress(m_service->webBase() + QStringLiteral("user/logout.asp"));
        QTRY_VERIFY_WITH_TIMEOUT(m_main->chrmfmx_grzx->mainFrameUrl().toString().contains(QStringLiteral("login.asp")), 10000);
        m_main->clientModule()->shutdown();
    }
    m_main.reset();
    m_splash.reset();
}

void TestSignIn::startClient()
{
    QVERIFY(StartClient(*m_service, m_settings->path(), m_splash, m_main));
}

void TestSignIn::waitForSignInPage()
{
    QVERIFY(WaitForSignInPage(*m_main));
}

void TestSignIn::submit(const QString &name, const QString &password, bool remember)
{
    QVERIFY(SubmitSignIn(*m_main, name, password, remember));
}

void TestSignIn::signInRestoresFormAndSubject()
{
    SaveLoginInfo(AppInfoPath(m_settings->path()), QStringLiteral("demo"), QStringLiteral("demo123"), QStringLiteral("true"));
    startClient();
    QCOMPARE(currentPage(), QStringLiteral("tbtm_grzx"));
    QVERIFY(m_main->findChild<QLabel *>(QStringLiteral("lbl_info"))->text().contains(QStringLiteral("  题库总量：0 ")));
    waitForSignInPage();
    // The sign-in page was filled from AppInfo.ini.
    QTRY_COMPARE(EvaluateScript(m_main->chrmfmx_grzx, QStringLiteral("document.getElementById('username').value")).toString(), QStringLiteral("demo"));
    QCOMPARE(EvaluateScript(m_main->chrmfmx_grzx, QStringLiteral("document.getElementById('password').value")).toString(), QStringLiteral("demo123"));
    QCOMPARE(EvaluateScript(m_main->chrmfmx_grzx, QStringLiteral("document.getElementById('chkRememberPass').checked")).toBool(), true);

    // Submitting without "remember" stores empty credentials and the flag.
    submit(QStringLiteral("demo"), QStringLiteral("demo123"), false);
    QTRY_COMPARE_WITH_TIMEOUT(m_main->UserId, 1234, 20000);
    const LoginInfo stored = LoadLoginInfo(AppInfoPath(m_settings->path()));
    QCOMPARE(stored.userName, QString());
    QCOMPARE(stored.passWord, QString());
    QCOMPARE(stored.isRemembe, QStringLiteral("false"));

    // The marker's subject became current and is remembered for the user.
    QCOMPARE(m_main->TestAppId, 10218);
    QCOMPARE(m_main->TestAppName, QStringLiteral("临床执业医师·医学综合笔试"));
    QTRY_COMPARE(currentPage(), QStringLiteral("tbtm_home"));
    QCOMPARE(m_main->findChild<QLabel *>(QStringLiteral("Label_title"))->text(), QStringLiteral("岚舟-临床执业医师·医学综合笔试"));
    QVERIFY(m_main->findChild<QLabel *>(QStringLiteral("lbl_info"))->text().contains(QStringLiteral("  题库总量：35646 ")));
    QCOMPARE(LoadUserApp(AppInfoPath(m_settings->path()), QStringLiteral("1234")).testAppId, 10218);
    QVERIFY(m_service->calledMethods().contains(QStringLiteral("GetOnlineCount")));
    QCOMPARE(m_main->findChild<QLabel *>(QStringLiteral("lbl_OnlineCount"))->text(), QStringLiteral("0 0 1\u30002 8 6"));
}

void TestSignIn::signInWithoutSubjectOpensChooser()
{
    startClient();
    waitForSignInPage();
    submit(QStringLiteral("student"), QStringLiteral("123456"), true);
    QTRY_COMPARE_WITH_TIMEOUT(m_main->UserId, 1235, 20000);
    QCOMPARE(LoadLoginInfo(AppInfoPath(m_settings->path())).userName, QStringLiteral("student"));
    // No subject on the server and none remembered: the chooser opens.
    QTRY_VERIFY(control("TreeView_pop")->isVisible());
    auto *tree = m_main->findChild<QTreeWidget *>(QStringLiteral("TreeView_app"));
    QCOMPARE(tree->topLevelItemCount(), 3);
    QCOMPARE(m_main->findChild<QStackedWidget *>(QStringLiteral("tbc_pop"))->currentWidget()->objectName(), QStringLiteral("tbtm_appList"));
    QCOMPARE(m_main->findChild<QLabel *>(QStringLiteral("lbl_pop_title"))->text(), QStringLiteral("切换科目"));

    // Markers are ignored while the choice is pending.
    m_main->chrmfmx_grzxLoadStart(m_main->chrmfmx_grzx, QUrl(m_service->webBase() + QStringLiteral("x#loginoutok")));
    QCOMPARE(m_main->UserId, 1235);

    // A category click expands it, a second collapses it; no subject is chosen.
    QTreeWidgetItem *finance = tree->topLevelItem(2);
    QCOMPARE(finance->text(0), QStringLiteral("财会经济"));
    const QRect rect = tree->visualItemRect(finance);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(finance->isExpanded());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(!finance->isExpanded());
    QCOMPARE(m_main->TestAppId, -1);

    // Choosing a subject makes it current, stores it and shows the home page.
    finance->setExpanded(true);
    QTreeWidgetItem *accounting = finance->child(0);
    accounting->setExpanded(true);
    QTreeWidgetItem *subject = accounting->child(0);
    QCOMPARE(subject->text(0), QStringLiteral("初级会计实务"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(subject).center());
    QCOMPARE(m_main->TestAppId, 19851);
    QVERIFY(!control("TreeView_pop")->isVisible());
    QCOMPARE(currentPage(), QStringLiteral("tbtm_home"));
    QCOMPARE(m_main->findChild<QLabel *>(QStringLiteral("Label_title"))->text(), QStringLiteral("岚舟-初级会计实务"));
    const UserApp remembered = LoadUserApp(AppInfoPath(m_settings->path()), QStringLiteral("1235"));
    QCOMPARE(remembered.testAppId, 19851);
    QCOMPARE(remembered.testAppName, QStringLiteral("初级会计实务"));
    QCOMPARE(remembered.testAppEName, QStringLiteral("KJZC_01"));
    QVERIFY(m_main->findChild<QLabel *>(QStringLiteral("lbl_info"))->text().contains(QStringLiteral("  题库总量：") + remembered.testNum + QLatin1Char(' ')));

    // "切换科目" twice shows, then hides the popup.
    m_main->ListBoxItem1Click();
    QVERIFY(control("TreeView_pop")->isVisible());
    m_main->ListBoxItem1Click();
    QVERIFY(!control("TreeView_pop")->isVisible());
}

void TestSignIn::storedPasswordFillsFieldExactly()
{
    const QString hostile = QStringLiteral("a'b\"c\\d</script><script>window.__pwned=1</script>");
    SaveLoginInfo(AppInfoPath(m_settings->path()), QStringLiteral("x';window.__pwned=1;'"), hostile, QStringLiteral("true"));
    startClient();
    waitForSignInPage();
    QTRY_COMPARE(EvaluateScript(m_main->chrmfmx_grzx, QStringLiteral("document.getElementById('password').value")).toString(), hostile);
    QCOMPARE(EvaluateScript(m_main->chrmfmx_grzx, QStringLiteral("document.getElementById('username').value")).toString(), QStringLiteral("x';window.__pwned=1;'"));
    QCOMPARE(EvaluateScript(m_main->chrmfmx_grzx, QStringLiteral("typeof window.__pwned")).toString(), QStringLiteral("undefined"));

    // A dialog that is no credential message stores nothing.
    m_main->chrmfmx_grzxJsdialog(m_main->chrmfmx_grzx, QStringLiteral("only one line"));
    QCOMPARE(LoadLoginInfo(AppInfoPath(m_settings->path())).passWord, hostile);
}

void TestSignIn::markerRules()
{
    startClient();
    waitForSignInPage();
    submit(QStringLiteral("kuaiji"), QStringLiteral("123456"), false);
    QTRY_COMPARE_WITH_TIMEOUT(m_main->UserId, 1236, 20000);
    QTRY_COMPARE(currentPage(), QStringLiteral("tbtm_home"));
    const QString base = m_service->webBase();

    // While the busy indicator shows, entry clicks are ignored.
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());
    control("AniIndicator1")->show();
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("wdbj")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_home"));
    QCOMPARE(m_main->oldNavName(), QStringLiteral("home"));
    control("AniIndicator1")->hide();

    // The same marker address twice is acted on once.
    m_service->clearLog();
    const QUrl home(base + QStringLiteral("user/index.asp?client=pc#home"));
    m_main->chrmfmx_grzxLoadStart(m_main->chrmfmx_grzx, home);
    m_main->chrmfmx_grzxLoadStart(m_main->chrmfmx_Test, home);
    QCOMPARE(m_service->calledMethods().count(QStringLiteral("GetOnlineCount")), 1);

    // "#home" wins over "#loginok".
    m_main->chrmfmx_grzxLoadStart(m_main->chrmfmx_grzx, QUrl(base + QStringLiteral("a#loginok#99#10218#x#home")));
    QCOMPARE(m_main->UserId, 1236);

    // A malformed sign-in marker changes nothing.
    m_main->chrmfmx_grzxLoadStart(m_main->chrmfmx_grzx, QUrl(base + QStringLiteral("a#loginok#99#abc")));
    QCOMPARE(m_main->UserId, 1236);

    // "#loginoutok" signs out and keeps subject and page.
    m_main->chrmfmx_grzxLoadStart(m_main->chrmfmx_grzx, QUrl(base + QStringLiteral("b#loginoutok")));
    QCOMPARE(m_main->UserId, -1);
    QCOMPARE(m_main->TestAppId, 19851);
    QCOMPARE(currentPage(), QStringLiteral("tbtm_home"));
    // After sign-out only the personal centre opens.
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("wdbj")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_home"));
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("grzx")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_grzx"));
}

void TestSignIn::gatesBeforeSignIn()
{
    startClient();
    waitForSignInPage();
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());
    // Any entry but the personal centre only asks the page for its reminder.
    for (const char *name : {"home", "zjlx", "tjfx"}) {
        m_main->Layout_homeClick(m_main->navIcon(QLatin1String(name)));
        QCOMPARE(currentPage(), QStringLiteral("tbtm_grzx"));
    }
    QTRY_COMPARE(EvaluateScript(m_main->chrmfmx_grzx, QStringLiteral("$('#tips').text()")).toString(), QStringLiteral("请先登录再使用此功能"));
    // The label, the background and the container of an entry act like its icon.
    m_main->Layout_homeClick(m_main->findChild<QLabel *>(QStringLiteral("Label_wdsc")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_grzx"));
    QVERIFY(!control("TreeView_pop")->isVisible());
    QCOMPARE(m_main->oldNavName(), QStringLiteral("grzx"));
    // While busy every click is ignored.
    control("AniIndicator1")->show();
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("grzx")));
    QCOMPARE(m_main->oldNavName(), QStringLiteral("grzx"));
    control("AniIndicator1")->hide();
}

void TestSignIn::randomPracticeAndTransferPage()
{
    startClient();
    waitForSignInPage();
    submit(QStringLiteral("kuaiji"), QStringLiteral("123456"), false);
    QTRY_COMPARE_WITH_TIMEOUT(m_main->TestAppId, 19851, 20000);
    QTRY_COMPARE(currentPage(), QStringLiteral("tbtm_home"));
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());

    // The home page's start-practice picture acts as the random-practice entry.
    m_main->Image_kscyClick();
    QCOMPARE(currentPage(), QStringLiteral("tbtm_web"));
    const QString expected = m_service->webBase() +
                             QStringLiteral("showtests/showtests_pc.asp?appid=19851&testclassid=-1&action=rand"
                                            "&testids=-1&scores=0&testtypeids=-1&testnums=all");
    QTRY_COMPARE_WITH_TIMEOUT(m_main->chrmfmx_Test->mainFrameUrl().toString(), expected, 15000);
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());
    QTRY_COMPARE(EvaluateScript(m_main->chrmfmx_Test, QStringLiteral("$('#summary').data('action')")).toString(), QStringLiteral("rand"));

    // A transfer-page value with quotes and a script end arrives exactly.
    const QString hostile = QStringLiteral("practice\"};window.__pwned=1;</script>");
    m_main->chrmfmx_Test->loadAddress(QStringLiteral("about:blank"));
    m_main->chrmfmx_Test->loadDocument(MakeTransferPage(QStringLiteral("19851"), QStringLiteral("-1"), hostile,
                                                        QStringLiteral("-1"), QStringLiteral("1,0.5"),
                                                        QStringLiteral("-1"), QStringLiteral("5,10")));
    QTRY_COMPARE_WITH_TIMEOUT(m_main->chrmfmx_Test->mainFrameUrl().toString(),
                              m_service->webBase() + QStringLiteral("showtests/showtests_pc.asp"), 15000);
    QTRY_COMPARE(EvaluateScript(m_main->chrmfmx_Test, QStringLiteral("$('#summary').attr('data-action')")).toString(), hostile);
}

void TestSignIn::guidePageAndStatistics()
{
    startClient();
    waitForSignInPage();
    submit(QStringLiteral("kuaiji"), QStringLiteral("123456"), false);
    QTRY_COMPARE_WITH_TIMEOUT(m_main->TestAppId, 19851, 20000);
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());
    m_service->clearLog();

    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("kszn")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_kszn"));
    auto *tree = m_main->findChild<QTreeWidget *>(QStringLiteral("tv_kszn"));
    QCOMPARE(tree->topLevelItemCount(), 3);
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("报考条件"));
    const TTestHelpArr &help = m_main->TestHelpArr;
    const QString first = m_service->webBase() + QStringLiteral("showtests/testhelp/19851/") +
                          help.testhelpid[help.helptreeid.indexOf(QStringLiteral("001001"))] + QStringLiteral(".html");
    QTRY_COMPARE_WITH_TIMEOUT(m_main->chrmfmx_Help->mainFrameUrl().toString(), first, 15000);
    // A top-level click folds its branch and loads nothing.
    QTreeWidgetItem *top = tree->topLevelItem(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(top).center());
    QVERIFY(!top->isExpanded());
    // The second visit sends no request and keeps the page.
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("home")));
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("kszn")));
    QCOMPARE(m_service->calledMethods().count(QStringLiteral("GetTestsHelp")), 1);
    QCOMPARE(m_main->chrmfmx_Help->mainFrameUrl().toString(), first);

    // The statistics page opened twice in a row is loaded once.
    const int loads = m_main->chrmfmx_tjfx->loadsRequested();
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("tjfx")));
    QTRY_COMPARE_WITH_TIMEOUT(m_main->chrmfmx_tjfx->mainFrameUrl().toString(), StatisticsUrl(19851), 15000);
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("tjfx")));
    QVERIFY(!control("AniIndicator1")->isVisible());
    // One "about:blank", one statistics address.
    QCOMPARE(m_main->chrmfmx_tjfx->loadsRequested(), loads + 2);
}

void TestSignIn::chapterPageRefreshesAfterPractice()
{
    startClient();
    waitForSignInPage();
    submit(QStringLiteral("kuaiji"), QStringLiteral("123456"), false);
    QTRY_COMPARE_WITH_TIMEOUT(m_main->TestAppId, 19851, 20000);
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());

    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("zjlx")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_zjlx"));
    auto *tree = m_main->findChild<QTreeWidget *>(QStringLiteral("tv_zjlx"));
    QCOMPARE(tree->topLevelItemCount(), 2);
    const QString chapter = m_main->recordsData().first().id;
    QWidget *panel = m_main->findChild<QWidget *>(QStringLiteral("ColorBox_TestClass0"));
    QVERIFY(panel && panel->isVisibleTo(m_main.get()));
    auto statsOf = [&](int slot) {
        QWidget *p = m_main->findChild<QWidget *>(QStringLiteral("ColorBox_TestClass%1").arg(slot));
        return p->findChildren<QLabel *>().at(1)->text();
    };
    QVERIFY2(statsOf(0).contains(QStringLiteral("已答0题")), qPrintable(statsOf(0)));
    QCOMPARE(m_main->findChild<QLabel *>(QStringLiteral("Label_ct_TestClass0"))->text(), QStringLiteral("错题(0)"));
    // A link reading "(0)" launches nothing.
    m_main->PractiseSectionCollection(m_main->findChild<QLabel *>(QStringLiteral("Label_bj_TestClass0")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_zjlx"));

    // Practise the first section and answer one question in the practice page.
    m_main->PractiseSection(panel);
    QCOMPARE(currentPage(), QStringLiteral("tbtm_web"));
    QCOMPARE(m_main->presentTestClassId(), chapter);
    QTRY_VERIFY_WITH_TIMEOUT(m_main->chrmfmx_Test->mainFrameUrl().toString().contains(QStringLiteral("action=default")), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(EvaluateScript(m_main->chrmfmx_Test, QStringLiteral("typeof jQuery")).toString(), QStringLiteral("function"), 10000);
    EvaluateScript(m_main->chrmfmx_Test, QStringLiteral("$('.q').first().find('.opt').first().click(); true"));
    QTRY_VERIFY_WITH_TIMEOUT(EvaluateScript(m_main->chrmfmx_Test, QStringLiteral("$('.q').first().find('.result').is(':visible')")).toBool(), 10000);

    // Coming back refreshes that chapter's rows, in the same slots.
    const int slots = m_main->chapterSlots();
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("zjlx")));
    QTRY_VERIFY2(statsOf(0).contains(QStringLiteral("已答1题")), qPrintable(statsOf(0)));
    QCOMPARE(m_main->chapterSlots(), slots);
    QVERIFY(m_main->presentTestClassId().isEmpty());

    // The 300-section chapter gets 300 rows; opening it again only switches the tab.
    QTreeWidgetItem *exercise = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
            if (tree->topLevelItem(i)->child(j)->text(0).contains(QStringLiteral("分项精练")))
                exercise = tree->topLevelItem(i)->child(j);
    QVERIFY(exercise);
    m_main->OpenChapter(exercise);
    QCOMPARE(m_main->chapterSlots(), slots + 300);
    const auto records = m_main->recordsData().size();
    m_service->clearLog();
    m_main->OpenChapter(exercise);
    QCOMPARE(m_main->recordsData().size(), records);
    QVERIFY(m_service->calledMethods().isEmpty());

    // A collection page's launch asks for every opened chapter of the subject.
    m_main->LaunchPracticeByAddress(QStringLiteral("-1"), QStringLiteral("note"), QStringLiteral("1"));
    QCOMPARE(m_main->presentTestClassId(), QStringLiteral("-1"));
    QTRY_VERIFY_WITH_TIMEOUT(!control("AniIndicator1")->isVisible(), 15000);
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("zjlx")));
    QVERIFY(m_main->presentTestClassId().isEmpty());
    QCOMPARE(m_service->calledMethods().count(QStringLiteral("GetUserTestsClassCount")), 1);
    for (const TRecordsDataRec &record : m_main->recordsData())
        QVERIFY(!record.isRefresh);
    QCOMPARE(m_main->chapterSlots(), slots + 300);
    QVERIFY(statsOf(0).contains(QStringLiteral("已答1题")));
}

void TestSignIn::mockExamSetup()
{
    startClient();
    waitForSignInPage();
    submit(QStringLiteral("kuaiji"), QStringLiteral("123456"), false);
    QTRY_COMPARE_WITH_TIMEOUT(m_main->TestAppId, 19851, 20000);
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());
    QStringList messages;
    m_main->setMessageHook([&](const QString &text) { messages << text; });

    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("mnkc")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_mnkc"));
    QVERIFY(!control("lyt_mnkc")->isHidden());
    QVERIFY(!control("TreeView4")->isHidden());
    const auto boxes = control("vrtscrlbx_Client")->findChildren<QCheckBox *>();
    QCOMPARE(boxes.size(), 7); // six chapters and the exercise chapter
    // Five boxes a line at the computed positions.
    const double step = (m_main->width() - 110) / 5.0;
    QCOMPARE(boxes[1]->pos(), QPoint(int(step + 10), 20));
    QCOMPARE(boxes[5]->pos(), QPoint(10, 70));

    // Nothing ticked.
    m_main->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    QCOMPARE(messages, QStringList{QStringLiteral("请选择一个章节")});

    // All ticked, every number 0.
    auto *all = m_main->findChild<QCheckBox *>(QStringLiteral("checkAll"));
    all->setChecked(true);
    for (QCheckBox *box : boxes)
        QVERIFY(box->isChecked());
    const auto numbers = control("vrtscrlbx_Bottom")->findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("^edtNumber")));
    QVERIFY(numbers.size() >= 3);
    for (QLineEdit *edit : numbers)
        edit->setText(QStringLiteral("0"));
    m_main->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    QCOMPARE(messages.last(), QStringLiteral("请选择一个题型"));

    // Typing into the edits follows the key rules.
    QLineEdit *number = numbers.first();
    number->clear();
    number->setFocus();
    QTest::keyClicks(number, QStringLiteral("1a23"));
    QCOMPARE(number->text(), QStringLiteral("12"));
    const auto scores = control("vrtscrlbx_Bottom")->findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("^edtScore")));
    QLineEdit *score = scores.first();
    score->clear();
    QTest::keyClicks(score, QStringLiteral("1.55"));
    QCOMPARE(score->text(), QStringLiteral("1.5"));

    // Unticking all unticks every box; one chapter then starts the exam.
    all->setChecked(false);
    for (QCheckBox *box : boxes)
        QVERIFY(!box->isChecked());
    boxes[0]->setChecked(true);
    m_main->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(currentPage(), QStringLiteral("tbtm_web"));
    QTRY_COMPARE_WITH_TIMEOUT(m_main->chrmfmx_Test->mainFrameUrl().toString(),
                              m_service->webBase() + QStringLiteral("showtests/showtests_pc.asp"), 15000);
    QTRY_COMPARE(EvaluateScript(m_main->chrmfmx_Test, QStringLiteral("$('#summary').attr('data-action')")).toString(), QStringLiteral("practice"));

    // Re-entering keeps the choice.
    m_main->Layout_homeClick(m_main->navIcon(QStringLiteral("mnkc")));
    QVERIFY(boxes[0]->isChecked());
    QCOMPARE(number->text(), QStringLiteral("12"));
}

// A page load is reported once as a load start (at its commit), however
// long it takes to finish; a reload, whose address does not change, is
// reported by its end.
void TestSignIn::browserReportsEachLoadOnce()
{
    QWebEngineProfile profile;
    TChromium browser(&profile, QStringLiteral("probe"), nullptr);
    QStringList seen;
    connect(&browser, &TChromium::loadStart, this, [&](TChromium *, const QUrl &url) { seen << url.toString(); });
    QSignalSpy ends(&browser, &TChromium::loadEnd);
    const QString page = m_service->webBase() + QStringLiteral("user/login.asp?client=pc");
    browser.loadAddress(page);
    QVERIFY(ends.wait(15000));
    QCOMPARE(seen, QStringList{page});
    browser.page()->triggerAction(QWebEnginePage::Reload);
    QVERIFY(ends.wait(15000));
    QCOMPARE(seen, (QStringList{page, page}));
}

QTEST_MAIN(TestSignIn)
#include "tst_signin.moc"
