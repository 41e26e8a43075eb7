#include "appconfig.h"

#include <QTest>

class TestStatusLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void segmentsInOrder_data();
    void segmentsInOrder();
};

void TestStatusLine::segmentsInOrder_data()
{
    QTest::addColumn<QString>("testNum");
    QTest::newRow("before a subject") << QStringLiteral("0");
    QTest::newRow("a subject") << QStringLiteral("35646");
}

void TestStatusLine::segmentsInOrder()
{
    QFETCH(QString, testNum);
    const QString line = MakeStatusLine(testNum);
    const QString expected = QStringLiteral("全国免费热线：") + AppConfig::HotlineNumber +
                             QStringLiteral("  客服QQ：") + AppConfig::SupportQQ +
                             AppConfig::StatusRightsNotice + QStringLiteral("备案信息：") +
                             AppConfig::RecordNumber + QStringLiteral("  题库总量：") + testNum +
                             QStringLiteral(" 软件版本：1.63");
    QCOMPARE(line, expected);
    // The count sits between the registration and the version segments.
    const qsizetype record = line.indexOf(AppConfig::RecordNumber);
    const qsizetype count = line.indexOf(QStringLiteral("  题库总量：") + testNum + QLatin1Char(' '));
    QVERIFY(record >= 0 && count > record);
    QVERIFY(line.indexOf(QStringLiteral("软件版本：")) > count);
    QVERIFY(AppConfig::StatusRightsNotice.startsWith(QStringLiteral("  ")));
    QVERIFY(AppConfig::StatusRightsNotice.endsWith(QStringLiteral("  ")));
    QVERIFY(AppConfig::StatusRightsNotice.contains(AppConfig::MakerName));
}

QTEST_GUILESS_MAIN(TestStatusLine)
#include "tst_statusline.moc"
