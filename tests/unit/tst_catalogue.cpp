// The built-in subject catalogue, counted from the resource itself.

#include "catalogue.h"
#include "data_structure.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void storedAsLines();
    void rowsAndKinds();
    void treeLevels();
    void valueForms();

private:
    TAppListArr m_list;
};

void TestCatalogue::initTestCase()
{
    auto object = ExpectObject<TAppListObject>(JsonToObject(EmbeddedAppListText()));
    QVERIFY(object);
    m_list = AppListObjectToArr(object.get());
}

void TestCatalogue::storedAsLines()
{
    const QString text = EmbeddedAppListText();
    QVERIFY(!text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 58);
    for (const QString &line : lines) {
        QVERIFY(line.size() <= 1024);
        QVERIFY(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    }
}

void TestCatalogue::rowsAndKinds()
{
    QCOMPARE(m_list.appid.size(), 1060);
    QCOMPARE(m_list.msg, QStringLiteral("ok"));
    int categories = 0;
    int subjects = 0;
    int maxCount = 0;
    for (qsizetype i = 0; i < m_list.appid.size(); ++i) {
        if (m_list.isapp[i] == QLatin1String("False")) {
            ++categories;
            QCOMPARE(m_list.testnum[i], QStringLiteral("0"));
            QVERIFY(m_list.appname[i].isEmpty());
        } else {
            QCOMPARE(m_list.isapp[i], QStringLiteral("True"));
            ++subjects;
            maxCount = qMax(maxCount, m_list.testnum[i].toInt());
        }
    }
    QCOMPARE(categories, 57);
    QCOMPARE(subjects, 1003);
    QCOMPARE(maxCount, 35646);
}

void TestCatalogue::treeLevels()
{
    QHash<QString, int> level; // reachable rows by id
    QStringList tops;
    QHash<QPair<int, bool>, int> perLevel;
    for (qsizetype i = 0; i < m_list.appid.size(); ++i) {
        const QString &id = m_list.appid[i];
        const QString &pid = m_list.pid[i];
        const bool isApp = m_list.isapp[i] == QLatin1String("True");
        int l = 0;
        if (pid == QLatin1String("1") && !isApp) {
            l = 1;
            tops.append(m_list.caption[i]);
        } else if (level.contains(pid)) {
            l = level.value(pid) + 1;
        }
        if (l == 0)
            continue; // parents come first, so an unknown parent is unreachable
        level.insert(id, l);
        ++perLevel[{l, isApp}];
    }
    QCOMPARE(tops, (QStringList{QStringLiteral("医药卫生"), QStringLiteral("建筑工程"),
                                QStringLiteral("财会经济")}));
    QCOMPARE(perLevel.value({1, false}), 3);
    QCOMPARE(perLevel.value({2, false}), 12);
    QCOMPARE(perLevel.value({3, false}), 31);
    QCOMPARE(perLevel.value({3, true}), 229);
    QCOMPARE(perLevel.value({4, true}), 670);
    QCOMPARE(perLevel.value({4, false}) + perLevel.value({2, true}) + perLevel.value({1, true}), 0);
    QCOMPARE(int(m_list.appid.size()) - int(level.size()), 115);
}

void TestCatalogue::valueForms()
{
    static const QRegularExpression id(QStringLiteral("^[0-9]{1,6}$"));
    static const QRegularExpression code(QStringLiteral("^[A-Z0-9_]+$"));
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    QSet<QString> ids;
    for (qsizetype i = 0; i < m_list.appid.size(); ++i) {
        QVERIFY2(id.match(m_list.appid[i]).hasMatch(), qPrintable(m_list.appid[i]));
        QVERIFY(!ids.contains(m_list.appid[i]));
        ids.insert(m_list.appid[i]);
        QVERIFY(han.match(m_list.caption[i]).hasMatch());
        if (m_list.isapp[i] == QLatin1String("True"))
            QVERIFY2(code.match(m_list.appname[i]).hasMatch(), qPrintable(m_list.appname[i]));
    }
    // The subject the practice pages are first tried with is in the list.
    QVERIFY(ids.contains(QStringLiteral("19851")));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
