#include "weburls.h"

#include <QTest>

class TestWebUrls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { SetWebBaseUrl(QStringLiteral("http://127.0.0.1:21180/")); }
    void randomPracticeAddress();
    void valuesGoIntoTheQueryUnchanged();
    void transferPageShape();
    void transferPageEscapesValues_data();
    void transferPageEscapesValues();
    void fillScripts_data();
    void fillScripts();
    void addresses();
};

void TestWebUrls::randomPracticeAddress()
{
    QCOMPARE(MakePracticeUrl("19851", "-1", "rand", "-1", "0", "-1", "all"),
             QStringLiteral("http://127.0.0.1:21180/showtests/showtests_pc.asp?appid=19851"
                            "&testclassid=-1&action=rand&testids=-1&scores=0&testtypeids=-1&testnums=all"));
    SetWebBaseUrl(QStringLiteral("https://tiku.example.cn/pc")); // a missing "/" is added
    QVERIFY(MakePracticeUrl("1", "2", "default", "-1", "0", "-1", "all")
                .startsWith(QStringLiteral("https://tiku.example.cn/pc/showtests/showtests_pc.asp?appid=1&")));
}

void TestWebUrls::valuesGoIntoTheQueryUnchanged()
{
    QCOMPARE(MakePracticeUrl("19851", "-1", "note", "7,9&x=\"1\"", "", "-1", "all"),
             QStringLiteral("http://127.0.0.1:21180/showtests/showtests_pc.asp?appid=19851"
                            "&testclassid=-1&action=note&testids=7,9&x=\"1\"&scores=&testtypeids=-1&testnums=all"));
}

void TestWebUrls::transferPageShape()
{
    const QString page = MakeTransferPage("19851", "101,102", "practice", "-1", "1,0.5", "11,12", "5,10");
    const QStringList lines = page.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 47);
    QVERIFY(!page.contains(QLatin1Char('\n') + QString()) || page.count(QLatin1Char('\n')) == 46);
    QCOMPARE(page.count(QLatin1Char('\r')), 46);
    QCOMPARE(lines.first(), QStringLiteral("<!doctype html>"));
    QCOMPARE(lines.last(), QStringLiteral("</html>"));
    QCOMPARE(lines[6], QStringLiteral("<title>中转页</title>"));
    QCOMPARE(lines[29], QStringLiteral("<script>function post() {var params = {\"appid\":\"19851\","
                                       "\"testclassid\":\"101,102\",\"action\":\"practice\",\"testids\":\"-1\","
                                       "\"scores\":\"1,0.5\",\"testtypeids\":\"11,12\",\"testnums\":\"5,10\"};"));
    QCOMPARE(lines[31], QStringLiteral("temp.action = \"http://127.0.0.1:21180/showtests/showtests_pc.asp\";"));
    QCOMPARE(lines[43], QStringLiteral("<body onLoad=\"post()\">"));
    QCOMPARE(lines[44], QStringLiteral("<h3 class=\"main\">正在出题中，请稍后...</h3>"));
}

void TestWebUrls::transferPageEscapesValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("inScript");
    QTest::newRow("plain list") << "101,102,-1,0.5" << "101,102,-1,0.5";
    QTest::newRow("double quote") << "1\",\"action\":\"evil" << "1\\\",\\\"action\\\":\\\"evil";
    QTest::newRow("end of script") << "1</script><script>alert(1)//" << "1\\x3C/script\\x3E\\x3Cscript\\x3Ealert(1)//";
    QTest::newRow("backslash and line break") << "a\\\"\nb" << "a\\\\\\\"\\nb";
}

void TestWebUrls::transferPageEscapesValues()
{
    QFETCH(QString, value);
    QFETCH(QString, inScript);
    const QStringList lines = MakeTransferPage(value, "-1", "practice", "-1", "0", "-1", "all").split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 47);
    QVERIFY2(lines[29].startsWith(QStringLiteral("<script>function post() {var params = {\"appid\":\"") + inScript + QStringLiteral("\",\"testclassid\"")),
             qPrintable(lines[29]));
    QCOMPARE(lines[29].count(QStringLiteral("</script>")), 0);
}

void TestWebUrls::fillScripts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("remember");
    QTest::addColumn<QString>("nameScript");
    QTest::addColumn<QString>("passwordScript");
    QTest::addColumn<QString>("rememberScript");
    QTest::newRow("nothing stored") << "" << "" << "false"
        << "var item_UserName = document.getElementById('username');item_UserName.value = '';"
        << "var item_PassWord = document.getElementById('password');item_PassWord.value = '';"
        << "var item_Remember = document.getElementById('chkRememberPass');item_Remember.checked = false;";
    QTest::newRow("quotes and script end") << "张三" << "a'b\"c\\d</script>" << "TRUE"
        << "var item_UserName = document.getElementById('username');item_UserName.value = '张三';"
        << "var item_PassWord = document.getElementById('password');item_PassWord.value = 'a\\'b\\\"c\\\\d\\x3C/script\\x3E';"
        << "var item_Remember = document.getElementById('chkRememberPass');item_Remember.checked = true;";
    QTest::newRow("flag that is code") << "u" << "p" << "true;alert(1)"
        << "var item_UserName = document.getElementById('username');item_UserName.value = 'u';"
        << "var item_PassWord = document.getElementById('password');item_PassWord.value = 'p';"
        << "var item_Remember = document.getElementById('chkRememberPass');item_Remember.checked = false;";
}

void TestWebUrls::fillScripts()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, remember);
    QFETCH(QString, nameScript);
    QFETCH(QString, passwordScript);
    QFETCH(QString, rememberScript);
    QCOMPARE(FillUserNameScript(name), nameScript);
    QCOMPARE(FillPassWordScript(password), passwordScript);
    QCOMPARE(FillRememberScript(remember), rememberScript);
}

void TestWebUrls::addresses()
{
    QCOMPARE(PersonalCentreUrl(), QStringLiteral("http://127.0.0.1:21180/user/index.asp?client=pc"));
    QCOMPARE(StatisticsUrl(19851), QStringLiteral("http://127.0.0.1:21180/showtests/testscount_pc.asp?appid=19851&client=pc"));
    QCOMPARE(GuideArticleUrl("19851", "7"), QStringLiteral("http://127.0.0.1:21180/showtests/testhelp/19851/7.html"));
    QVERIFY(IsSignInPage(QStringLiteral("http://127.0.0.1:21180/user/login.asp?from=index&client=pc")));
    QVERIFY(!IsSignInPage(QStringLiteral("http://127.0.0.1:21180/user/login.asp?from=index")));
    QVERIFY(!IsSignInPage(QStringLiteral("http://other.host/user/login.asp?client=pc")));
    QCOMPARE(SignInTipScript(), QStringLiteral("javascript:$.fn.tips({type:'ok',content:'请先登录再使用此功能'});"));
}

QTEST_GUILESS_MAIN(TestWebUrls)
#include "tst_weburls.moc"
