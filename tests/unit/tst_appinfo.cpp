#include "appinfo.h"
#include "inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAppInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void saveLoginInfo_data();
    void saveLoginInfo();
    void badRememberTextWritesNothing_data();
    void badRememberTextWritesNothing();
    void userAppRoundTrip();
    void userAppDefaultsAndBadId_data();
    void userAppDefaultsAndBadId();
    void twoUsersTwoSections();
    void exePathKeepsOtherSections();
    void refusedWriteNamesTheFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestAppInfo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_file = AppInfoPath(m_dir->path());
}

void TestAppInfo::saveLoginInfo_data()
{
    QTest::addColumn<QString>("remember");
    QTest::addColumn<bool>("stored");
    QTest::newRow("false") << "false" << false;
    QTest::newRow("FALSE") << "FALSE" << false;
    QTest::newRow("true") << "true" << true;
    QTest::newRow("TRUE") << "TRUE" << true;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("-2") << "-2" << true;
    QTest::newRow("0") << "0" << false;
}

void TestAppInfo::saveLoginInfo()
{
    QFETCH(QString, remember);
    QFETCH(bool, stored);
    const QString password = QStringLiteral("a'b\"c\\d</script>=x;y");
    SaveLoginInfo(m_file, QStringLiteral("张三"), password, remember);
    const LoginInfo info = LoadLoginInfo(m_file);
    QCOMPARE(info.userName, stored ? QStringLiteral("张三") : QString());
    QCOMPARE(info.passWord, stored ? password : QString());
    QCOMPARE(info.isRemembe, remember);
}

void TestAppInfo::badRememberTextWritesNothing_data()
{
    QTest::addColumn<QString>("remember");
    QTest::newRow("empty") << "";
    QTest::newRow("yes") << "yes";
    QTest::newRow("nan") << "nan";
}

void TestAppInfo::badRememberTextWritesNothing()
{
    QFETCH(QString, remember);
    SaveLoginInfo(m_file, QStringLiteral("kept"), QStringLiteral("pw"), QStringLiteral("true"));
    QVERIFY_THROWS_EXCEPTION(RememberTextError,
                             SaveLoginInfo(m_file, QStringLiteral("other"), QString(), remember));
    const LoginInfo info = LoadLoginInfo(m_file);
    QCOMPARE(info.userName, QStringLiteral("kept"));
    QCOMPARE(info.passWord, QStringLiteral("pw"));
    QCOMPARE(info.isRemembe, QStringLiteral("true"));
}

void TestAppInfo::userAppRoundTrip()
{
    SaveUserApp(m_file, QStringLiteral("1234"), QStringLiteral("19851"), QStringLiteral("28057"),
                QStringLiteral("KJZC_01"), QStringLiteral("初级会计实务"));
    SaveUserApp(m_file, QStringLiteral("1234"), QStringLiteral("10218"), QStringLiteral("35646"),
                QString(), QStringLiteral("临床执业医师·医学综合笔试"));
    const UserApp app = LoadUserApp(m_file, QStringLiteral("1234"));
    QCOMPARE(app.testAppId, 10218);
    QCOMPARE(app.testNum, QStringLiteral("35646"));
    QCOMPARE(app.testAppEName, QString());
    QCOMPARE(app.testAppName, QStringLiteral("临床执业医师·医学综合笔试"));
}

void TestAppInfo::userAppDefaultsAndBadId_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expectedId");
    QTest::newRow("no file") << QByteArray() << -1;
    QTest::newRow("no section for the user") << QByteArray("[999]\nTestAppId=5\n") << -1;
    QTest::newRow("abc") << QByteArray("[1234]\nTestAppId=abc\n") << -1;
    QTest::newRow("fraction") << QByteArray("[1234]\nTestAppId=1.5\n") << -1;
    QTest::newRow("too large") << QByteArray("[1234]\nTestAppId=4294967296\n") << -1;
    QTest::newRow("negative") << QByteArray("[1234]\nTestAppId=-5\n") << -5;
    QTest::newRow("plain") << QByteArray("[1234]\ntestappid=42\n") << 42;
}

void TestAppInfo::userAppDefaultsAndBadId()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expectedId);
    if (!content.isEmpty()) {
        QFile f(m_file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const UserApp app = LoadUserApp(m_file, QStringLiteral("1234"));
    QCOMPARE(app.testAppId, expectedId);
    QCOMPARE(app.testNum, QStringLiteral("0"));
    QCOMPARE(app.testAppName, QString());
}

void TestAppInfo::twoUsersTwoSections()
{
    SaveUserApp(m_file, QStringLiteral("1"), QStringLiteral("19851"), QStringLiteral("9"),
                QStringLiteral("A"), QStringLiteral("甲"));
    SaveUserApp(m_file, QStringLiteral("2"), QStringLiteral("10218"), QStringLiteral("8"),
                QStringLiteral("B"), QStringLiteral("乙"));
    SaveLoginInfo(m_file, QStringLiteral("u1"), QStringLiteral("p1"), QStringLiteral("true"));
    SaveLoginInfo(m_file, QStringLiteral("u2"), QStringLiteral("p2"), QStringLiteral("true"));
    QCOMPARE(LoadUserApp(m_file, QStringLiteral("1")).testAppName, QStringLiteral("甲"));
    QCOMPARE(LoadUserApp(m_file, QStringLiteral("2")).testAppName, QStringLiteral("乙"));
    QCOMPARE(LoadLoginInfo(m_file).userName, QStringLiteral("u2"));
}

void TestAppInfo::exePathKeepsOtherSections()
{
    SaveUserApp(m_file, QStringLiteral("7"), QStringLiteral("19851"), QStringLiteral("9"),
                QStringLiteral("A"), QStringLiteral("甲"));
    SaveExePath(m_file, QStringLiteral("/opt/quillmoor/quillmoor"));
    QCOMPARE(Ini::readString(m_file, QStringLiteral("Path"), QStringLiteral("ExePath"), {}),
             QStringLiteral("/opt/quillmoor/quillmoor"));
    QCOMPARE(LoadUserApp(m_file, QStringLiteral("7")).testAppId, 19851);
}

void TestAppInfo::refusedWriteNamesTheFile()
{
    const QString file = AppInfoPath(m_dir->filePath(QStringLiteral("gone")));
    try {
        SaveUserApp(file, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), {}, {});
        QFAIL("expected a refused write");
    } catch (const IniWriteError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Unable to write to ") + file);
    }
}

QTEST_GUILESS_MAIN(TestAppInfo)
#include "tst_appinfo.moc"
