#include "cardrules.h"

#include <QTest>

class TestCardRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void title_data();
    void title();
    void answer_data();
    void answer();
    void noSpecialChars_data();
    void noSpecialChars();
    void prefixesAndIdList();
};

void TestCardRules::title_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("A3test") << "A3test" << "病例一 - 诊断是";
    QTest::newRow("Btest") << "Btest" << "配伍题干";
    QTest::newRow("single choice") << "A1test" << "诊断是";
    QTest::newRow("fill in") << "TKTEST" << "诊断是";
    QTest::newRow("unknown kind") << "" << "诊断是";
}

void TestCardRules::title()
{
    QFETCH(QString, type);
    QFETCH(QString, expected);
    QCOMPARE(CardTitle(type, "诊断是", "病例一", "配伍题干"), expected);
}

void TestCardRules::answer_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one letter") << "A1test" << "B" << "青霉素" << "答案：B.青霉素";
    QTest::newRow("two letters") << "Xtest" << "AC" << "甲|丙" << "答案：A.甲|C.丙";
    QTest::newRow("three letters, blanks kept") << "Xtest" << "ABD" << "x|y z|w" << "答案：A.x|B.y z|D.w";
    QTest::newRow("fewer pieces than letters") << "Xtest" << "ABC" << "x" << "答案：A.x|B.|C.";
    QTest::newRow("fill in keeps the bar") << "TKTEST" << "细胞壁|β-内酰胺" << "" << "答案：细胞壁|β-内酰胺";
    QTest::newRow("fill in") << "TKTEST" << "肝脏" << "" << "答案：肝脏";
    QTest::newRow("no answer") << "A1test" << "" << "" << "答案：.";
}

void TestCardRules::answer()
{
    QFETCH(QString, type);
    QFETCH(QString, right);
    QFETCH(QString, content);
    QFETCH(QString, expected);
    QCOMPARE(CardAnswer(type, right, content), expected);
}

void TestCardRules::noSpecialChars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("Chinese colon") << "注意：首选" << true;
    QTest::newRow("hyphen, underscore, brackets, line break") << "a-b_c.d,e <f> [g]\nh" << true;
    QTest::newRow("question mark") << "为什么?" << false;
    QTest::newRow("apostrophe") << "it's" << false;
    QTest::newRow("ASCII colon") << "a:b" << false;
    for (const QChar ch : QStringLiteral("~!@#$%^+*&/\\?|:{}()';=\"`"))
        QTest::newRow(qPrintable(QStringLiteral("forbidden U+%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'))))
            << QStringLiteral("笔记") + ch << false;
}

void TestCardRules::noSpecialChars()
{
    QFETCH(QString, text);
    QFETCH(bool, allowed);
    QCOMPARE(NoSpecialChars(text), allowed);
}

void TestCardRules::prefixesAndIdList()
{
    QCOMPARE(CardAnalysis("见教材"), QStringLiteral("解析：见教材"));
    QCOMPARE(CardNote("重点"), QStringLiteral("笔记：重点"));
    QCOMPARE(IdListText({"7", "9", "11"}), QStringLiteral("7,9,11"));
    QCOMPARE(IdListText({}), QString());
}

QTEST_GUILESS_MAIN(TestCardRules)
#include "tst_cardrules.moc"
