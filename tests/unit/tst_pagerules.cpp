// Pure rules of the study pages: the online count display and the guide tree.

#include "chapterrules.h"
#include "guidetree.h"
#include "mockexamrules.h"
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
    void correctRate_data();
    void correctRate();
    void emulatedRateMatchesExtendedPrecision();
    void statisticsLine();
    void chapterTree();
    void slotRanges();
    void scoreText_data();
    void scoreText();
    void typingSequences_data();
    void typingSequences();
    void exitRules();
    void mockExamLists();
};

void TestPageRules::scoreText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    for (const char *ok : {"5", "0", "0.5", "1.5", "2.", "9.9", ""})
        QTest::newRow(ok) << ok << true;
    for (const char *bad : {"10", "1.55", ".5", "1..", "a", "1.a", "-1", "0.0.", "00."})
        QTest::newRow(bad) << bad << false;
}

void TestPageRules::scoreText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidScoreText(text), valid);
}

// Keys typed at the end of an edit, one after another; refused keys leave
// the text as it was.
void TestPageRules::typingSequences_data()
{
    QTest::addColumn<bool>("score");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("number 1 2") << false << "" << "12" << "12";
    QTest::newRow("number 0 into 0") << false << "0" << "0" << "0";
    QTest::newRow("number letters refused") << false << "" << "a1b" << "1";
    QTest::newRow("number 05 becomes 5") << false << "0" << "5" << "5";
    QTest::newRow("score 1 . 5") << true << "" << "1.5" << "1.5";
    QTest::newRow("score 1 . 5 5") << true << "" << "1.55" << "1.5";
    QTest::newRow("score 1 0") << true << "" << "10" << "1";
    QTest::newRow("score leading dot") << true << "" << ".5" << "5";
}

void TestPageRules::typingSequences()
{
    QFETCH(bool, score);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QString text = start;
    for (const QChar ch : keys) {
        const bool allowed = score ? ScoreKeyAllowed(text, ch) : NumberKeyAllowed(text, ch);
        if (allowed && (score || text.size() < 2))
            text += ch;
        if (!score)
            text = NumberAfterKeyUp(text);
    }
    QCOMPARE(text, result);
    QVERIFY(NumberKeyAllowed("12", QChar(8)) && ScoreKeyAllowed("1.5", QChar(8)));
}

void TestPageRules::exitRules()
{
    QCOMPARE(NumberOnExit(""), QStringLiteral("0"));
    QCOMPARE(NumberOnExit("7"), QStringLiteral("7"));
    QCOMPARE(ScoreOnExit(""), QStringLiteral("1"));
    QCOMPARE(ScoreOnExit("0"), QStringLiteral("1"));
    QCOMPARE(ScoreOnExit("3."), QStringLiteral("3.0"));
    QCOMPARE(ScoreOnExit("0.5"), QStringLiteral("0.5"));
}

void TestPageRules::mockExamLists()
{
    TTestClassArr classes;
    auto add = [&](const char *id, const char *pid, const char *tree) {
        classes.testclassid << id;
        classes.pid << pid;
        classes.tree << tree;
    };
    add("100", "0", "1");
    add("200", "100", "2");
    add("101", "200", "3");
    add("102", "200", "3");
    add("300", "100", "2");
    add("301", "300", "3");
    const MockExamLists lists = BuildMockExamLists(
        classes, {"200"}, {{"11", "5", "1"}, {"12", "10", "0.5"}, {"13", "0", "2"}, {"14", "", "1"}});
    QCOMPARE(lists.testclassid, QStringLiteral("101,102"));
    QCOMPARE(lists.testtypeids, QStringLiteral("11,12"));
    QCOMPARE(lists.testnums, QStringLiteral("5,10"));
    QCOMPARE(lists.scores, QStringLiteral("1,0.5"));
    QVERIFY(BuildMockExamLists(classes, {}, {{"11", "5", "1"}}).testclassid.isEmpty());
    QVERIFY(BuildMockExamLists(classes, {"300"}, {{"11", "0", "1"}}).testtypeids.isEmpty());
}

void TestPageRules::correctRate_data()
{
    QTest::addColumn<int>("tested");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("rate");
    QTest::newRow("nothing answered") << 0 << 0 << 0;
    QTest::newRow("7/5") << 7 << 5 << 71;
    QTest::newRow("3/2") << 3 << 2 << 66;
    QTest::newRow("100/53") << 100 << 53 << 52;
    QTest::newRow("100/59") << 100 << 59 << 58;
    QTest::newRow("all right") << 9 << 9 << 100;
    QTest::newRow("none right") << 9 << 0 << 0;
    QTest::newRow("100/57") << 100 << 57 << 57;
}

void TestPageRules::correctRate()
{
    QFETCH(int, tested);
    QFETCH(int, right);
    QFETCH(int, rate);
    QCOMPARE(CorrectRate(tested, right), rate);
    QCOMPARE(EmulatedCorrectRate(tested, right), rate);
}

// The integer emulation gives what 80-bit extended precision gives.
void TestPageRules::emulatedRateMatchesExtendedPrecision()
{
    for (int a = 1; a <= 400; ++a)
        for (int r = 0; r <= a; ++r)
            if (CorrectRate(a, r) != EmulatedCorrectRate(a, r))
                QFAIL(qPrintable(QStringLiteral("%1 of %2").arg(r).arg(a)));
}

void TestPageRules::statisticsLine()
{
    QCOMPARE(StatisticsLine("20", "5", "3"), QStringLiteral("共20题(已答5题，未答15题，做对3题  正确率60%)"));
    QCOMPARE(WrongCount("5", "3"), QStringLiteral("2"));
    QCOMPARE(StatisticsLine("0", "0", "0"), QStringLiteral("共0题(已答0题，未答0题，做对0题  正确率0%)"));
}

void TestPageRules::chapterTree()
{
    TUserTestsClassCountArr rows;
    auto add = [&](const char *id, const char *pid, const char *tree) {
        rows.testclassid << id;
        rows.pid << pid;
        rows.tree << tree;
        rows.caption << id;
    };
    add("1001", "0", "1");    // part
    add("1002", "1001", "2"); // chapter
    add("1003", "1002", "3"); // section
    add("1004", "1001", "2"); // chapter
    add("1005", "1004", "3");
    add("1006", "12345", "1"); // tree 1 but a long pid: not a part
    add("1007", "0", "1");     // part
    add("1008", "1001", "2");  // a chapter of another part: not shown
    add("1009", "1007", "2");
    add("1010", "1009", "3");
    const ChapterTreePlan plan = PlanChapterTree(rows);
    QCOMPARE(plan.chapterLevel, QStringLiteral("2"));
    QStringList shape;
    for (const ChapterTreeNode &n : plan.nodes)
        shape << rows.testclassid[n.row] + (n.isPart ? QString() : ">" + rows.testclassid[plan.nodes[n.parent].row]);
    QCOMPARE(shape.join(' '), QStringLiteral("1001 1002>1001 1004>1001 1007 1009>1007"));
    QCOMPARE(rows.testclassid[plan.nodes[plan.firstChapter].row], QStringLiteral("1002"));
    QCOMPARE(ChapterSections(rows, "1002"), (QList<qsizetype>{2}));
    // Levels that never deepen: nothing is shown.
    TUserTestsClassCountArr flat;
    flat.testclassid << "1" << "2";
    flat.pid << "0" << "0";
    flat.tree << "1" << "1";
    QVERIFY(PlanChapterTree(flat).nodes.isEmpty());
}

void TestPageRules::slotRanges()
{
    TRecordsDataArr records;
    records.append({"a", 0, 1, true, false});
    SlotRange r = ChapterSlotRange(records, 4);
    QCOMPARE(r.start, 0);
    QCOMPARE(r.end, 4);
    records.append({"b", 0, 1, true, false});
    r = ChapterSlotRange(records, 300);
    QCOMPARE(r.start, 4);
    QCOMPARE(r.end, 304);
    // A refresh of "a" keeps its slots and clears its mark.
    records[0].isRefresh = true;
    r = ChapterSlotRange(records, 99);
    QCOMPARE(r.start, 0);
    QCOMPARE(r.end, 4);
    QVERIFY(!records[0].isRefresh);
    QCOMPARE(records[0].testClassCount, 4);
}

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
