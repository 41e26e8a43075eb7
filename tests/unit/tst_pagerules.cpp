// Pure rules of the study pages: the online count display and the guide tree.

#include "guidetree.h"
#include "onlinecount.h"

#include <QTest>

class TestPageRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void onlineCount_data();
    void onlineCount();
    void guideTree_data();
    void guideTree();
};

void TestPageRules::onlineCount_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("display");
    const QString gap(QChar(0x3000));
    QTest::newRow("0") << "0" << "0 0 0 0 0 0 0";
    QTest::newRow("5") << "5" << "0 0 0 0 0 0 5";
    QTest::newRow("123") << "123" << "0 0 0 0 1 2 3";
    QTest::newRow("1234") << "1234" << "0 0 1" + gap + "2 3 4";
    QTest::newRow("18234") << "18234" << "0 1 8" + gap + "2 3 4";
    QTest::newRow("999999") << "999999" << "9 9 9" + gap + "9 9 9";
    QTest::newRow("1234567") << "1234567" << "1" + gap + "2 3 4" + gap + "5 6 7";
    QTest::newRow("not a number") << "many" << "0 0 0 0 0 0 0";
    QTest::newRow("empty") << "" << "0 0 0 0 0 0 0";
    QTest::newRow("fraction rounds") << "1234.5" << "0 0 1" + gap + "2 3 5";
}

void TestPageRules::onlineCount()
{
    QFETCH(QString, count);
    QFETCH(QString, display);
    QCOMPARE(FormatOnlineCount(count), display);
}

void TestPageRules::guideTree_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("leaf");
    QTest::addColumn<QString>("shape"); // per node: code, ">" parent code, "*" page
    QTest::addColumn<QString>("first");
    QTest::newRow("two levels")
        << QStringList{"x01", "x01y01", "x01y02", "x02", "x02y01"} << 6
        << "x01 x01y01>x01* x01y02>x01* x02 x02y01>x02*" << "x01y01";
    QTest::newRow("third level not shown")
        << QStringList{"x01", "x01y01", "x01y01z01", "x02", "x02y01"} << 6
        << "x01 x01y01>x01* x02 x02y01>x02*" << "x01y01";
    QTest::newRow("page that is a parent")
        << QStringList{"x01", "x01y01", "x01y01z01", "x01y01z02"} << 9
        << "x01 x01y01>x01* x01y01z01>x01y01* x01y01z02>x01y01*" << "x01y01";
    QTest::newRow("all of length 3") << QStringList{"001", "002", "003"} << 0 << "001 002 003" << "";
    QTest::newRow("topic before any top-level") << QStringList{"001001", "001", "001002"} << 6
        << "001 001002>001*" << "001002";
    QTest::newRow("empty") << QStringList{} << 0 << "" << "";
}

void TestPageRules::guideTree()
{
    QFETCH(QStringList, codes);
    QFETCH(int, leaf);
    QFETCH(QString, shape);
    QFETCH(QString, first);
    const GuideTreePlan plan = PlanGuideTree(codes);
    QCOMPARE(plan.leafLength, leaf);
    QStringList got;
    for (const GuideTreeNode &n : plan.nodes) {
        QString s = codes[n.topic];
        if (n.parent >= 0)
            s += ">" + codes[plan.nodes[n.parent].topic];
        if (n.isPage)
            s += "*";
        got << s;
    }
    QCOMPARE(got.join(' '), shape);
    QCOMPARE(plan.firstPage >= 0 ? codes[plan.nodes[plan.firstPage].topic] : QString(), first);
}

QTEST_GUILESS_MAIN(TestPageRules)
#include "tst_pagerules.moc"
