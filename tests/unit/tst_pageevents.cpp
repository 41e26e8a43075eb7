#include "apptree.h"
#include "catalogue.h"
#include "decodeurltext.h"
#include "pageevents.h"

#include <QTest>

class TestPageEvents : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void markers_data();
    void markers();
    void signInMarker_data();
    void signInMarker();
    void credentialMessage();
    void markerAddressReadsEncodedHash();
    void decodeUrlText_data();
    void decodeUrlText();
    void appTreeOfTheCatalogue();
    void appTreeEdgeCases();
};

void TestPageEvents::markers_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("marker");
    QTest::newRow("none") << "http://h/user/index.asp?client=pc" << int(PageMarker::None);
    QTest::newRow("home") << "http://h/a#home" << int(PageMarker::Home);
    QTest::newRow("home wins over loginok") << "http://h/a#loginok#1#2#x#home" << int(PageMarker::Home);
    QTest::newRow("loginoutok before loginok") << "http://h/a#loginoutok" << int(PageMarker::LoginOut);
    QTest::newRow("loginok") << "http://h/a#loginok#1234#19851#abc" << int(PageMarker::LoginOk);
    QTest::newRow("gotestclass") << "http://h/a#gotestclass" << int(PageMarker::GoTestClass);
}

void TestPageEvents::markers()
{
    QFETCH(QString, address);
    QFETCH(int, marker);
    QCOMPARE(int(FindMarker(address)), marker);
}

void TestPageEvents::signInMarker_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("user");
    QTest::addColumn<int>("app");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "http://h/i.asp#loginok#1234#19851#abc" << true << 1234 << 19851 << "abc";
    QTest::newRow("no subject") << "http://h/i.asp#loginok#1234#-1#abc" << true << 1234 << -1 << "abc";
    QTest::newRow("encoded name") << "http://h/i.asp#loginok#7#10218#%E4%B8%B4%E5%BA%8A+%E5%8C%BB%E5%B8%88" << true << 7 << 10218 << "临床 医师";
    QTest::newRow("two fields") << "http://h/i.asp#loginok#1234#19851" << false << 0 << 0 << "";
    QTest::newRow("text id") << "http://h/i.asp#loginok#abc#19851#x" << false << 0 << 0 << "";
    QTest::newRow("empty subject") << "http://h/i.asp#loginok#1234##x" << false << 0 << 0 << "";
    QTest::newRow("bad escape") << "http://h/i.asp#loginok#1234#5#%zz" << false << 0 << 0 << "";
}

void TestPageEvents::signInMarker()
{
    QFETCH(QString, address);
    QFETCH(bool, valid);
    const auto marker = ParseSignInMarker(address);
    QCOMPARE(marker.has_value(), valid);
    if (!valid)
        return;
    QFETCH(int, user);
    QFETCH(int, app);
    QFETCH(QString, name);
    QCOMPARE(marker->userId, user);
    QCOMPARE(marker->appId, app);
    QCOMPARE(marker->appName, name);
}

void TestPageEvents::credentialMessage()
{
    const auto m = ParseCredentialMessage(QStringLiteral("张三\na'b\"c\ntrue"));
    QVERIFY(m);
    QCOMPARE(m->userName, QStringLiteral("张三"));
    QCOMPARE(m->passWord, QStringLiteral("a'b\"c"));
    QCOMPARE(m->remember, QStringLiteral("true"));
    QVERIFY(!ParseCredentialMessage(QStringLiteral("only\ntwo")));
    QVERIFY(!ParseCredentialMessage(QString()));
}

void TestPageEvents::markerAddressReadsEncodedHash()
{
    const QUrl loaded(QStringLiteral("http://127.0.0.1:21180/user/index.asp?client=pc#loginok#1234#19851#%E5%88%9D"));
    const QString address = MarkerAddress(loaded);
    QVERIFY2(address.endsWith(QStringLiteral("#loginok#1234#19851#%E5%88%9D")), qPrintable(address));
    QCOMPARE(ParseSignInMarker(address)->appName, QStringLiteral("初"));
    // A "%23" in the query is not a marker separator.
    QVERIFY(MarkerAddress(QUrl(QStringLiteral("http://h/a?x=%23home"))).contains(QStringLiteral("%23home")));
}

void TestPageEvents::decodeUrlText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<bool>("error");
    QTest::newRow("plain") << "abc" << "abc" << false;
    QTest::newRow("plus") << "a+b" << "a b" << false;
    QTest::newRow("utf-8 bytes") << "%E5%88%9D%E7%BA%A7" << "初级" << false;
    QTest::newRow("double percent") << "50%%" << "50%" << false;
    QTest::newRow("raw Chinese") << "会计·实务" << "会计·实务" << false;
    QTest::newRow("lower-case hex") << "%e5%88%9d" << "初" << false;
    QTest::newRow("percent at end") << "abc%" << "" << true;
    QTest::newRow("one digit") << "abc%4" << "" << true;
    QTest::newRow("not hex") << "%G1" << "" << true;
}

void TestPageEvents::decodeUrlText()
{
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QFETCH(bool, error);
    if (error) {
        QVERIFY_THROWS_EXCEPTION(DecodeError, DecodeURLText(text));
        return;
    }
    QCOMPARE(DecodeURLText(text), decoded);
}

// The plan equals the literal algorithm: for every top-level category, scan
// every row for children, recursively.
void TestPageEvents::appTreeOfTheCatalogue()
{
    auto object = ExpectObject<TAppListObject>(JsonToObject(EmbeddedAppListText()));
    const TAppListArr list = AppListObjectToArr(object.get());
    QList<AppTreeNode> literal;
    std::function<void(const QString &, qsizetype)> add = [&](const QString &pid, qsizetype parent) {
        for (qsizetype i = 0; i < list.appid.size(); ++i)
            if (list.pid[i] == pid) {
                literal.append({i, parent, list.isapp[i] == QLatin1String("True")});
                add(list.appid[i], literal.size() - 1);
            }
    };
    for (qsizetype i = 0; i < list.appid.size(); ++i)
        if (list.isapp[i] == QLatin1String("False") && list.pid[i] == QLatin1String("1")) {
            literal.append({i, -1, false});
            add(list.appid[i], literal.size() - 1);
        }
    const QList<AppTreeNode> plan = PlanAppTree(list);
    QCOMPARE(plan.size(), 945);
    QCOMPARE(plan.size(), literal.size());
    for (qsizetype k = 0; k < plan.size(); ++k) {
        QCOMPARE(plan[k].row, literal[k].row);
        QCOMPARE(plan[k].parent, literal[k].parent);
        QCOMPARE(plan[k].selectable, literal[k].selectable);
    }
}

void TestPageEvents::appTreeEdgeCases()
{
    TAppListArr list;
    auto row = [&](const char *id, const char *pid, const char *isapp) {
        list.appid << QLatin1String(id);
        list.pid << QLatin1String(pid);
        list.isapp << QLatin1String(isapp);
        list.caption << QLatin1String(id);
    };
    row("10", "1", "False");  // top-level
    row("11", "1", "True");   // a subject with pid 1 is not top-level
    row("12", "10", "True");
    row("13", "13", "False"); // its own parent
    row("14", "15", "False"); // a cycle 14 <-> 15 under nothing reachable
    row("15", "14", "False");
    row("16", "12", "True");  // a subject's child is added too
    const QList<AppTreeNode> plan = PlanAppTree(list);
    QCOMPARE(plan.size(), 3);
    QCOMPARE(plan[0].row, 0);
    QCOMPARE(plan[1].row, 2);
    QCOMPARE(plan[1].parent, 0);
    QCOMPARE(plan[2].row, 6);
    QCOMPARE(plan[2].parent, 1);
    QVERIFY(PlanAppTree(TAppListArr()).isEmpty());
}

QTEST_GUILESS_MAIN(TestPageEvents)
#include "tst_pageevents.moc"
