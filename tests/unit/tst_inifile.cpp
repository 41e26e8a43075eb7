#include "inifile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeRaw(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lookup_data();
    void lookup();
    void applyWrites_data();
    void applyWrites();
    void missingFileReadsDefaults();
    void writeCreatesPrivateFile();
    void foreignFileKeepsEverything();
    void refusedWrite();
    void lineBreaksCannotPlantKeys();
    void killDuringWriteLeavesWholeFile();
    void concurrentWritersKeepBothSections();

private:
    QTemporaryDir m_dir;
};

void TestIniFile::lookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QString text = QStringLiteral("; comment=1\n[User]\nUserName = 张三 \nPassWord=\"p w\"\n"
                                        "[1234]\nTestAppId=19851\n[user]\nUserName=second\n");
    QTest::newRow("plain") << text << "1234" << "TestAppId" << "19851";
    QTest::newRow("case of section and key") << text << "USER" << "username" << "张三";
    QTest::newRow("quotes dropped") << text << "User" << "PassWord" << "p w";
    QTest::newRow("missing key") << text << "User" << "isRemembe" << "<default>";
    QTest::newRow("missing section") << text << "9" << "TestAppId" << "<default>";
    QTest::newRow("key of another section") << text << "1234" << "UserName" << "<default>";
    QTest::newRow("comment is no key") << text << "" << "; comment" << "<default>";
    QTest::newRow("CR LF and BOM")
        << QStringLiteral("\uFEFF[Path]\r\nExePath=C:\\a b\\q.exe\r\n") << "path" << "exepath"
        << "C:\\a b\\q.exe";
}

void TestIniFile::lookup()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(Ini::lookup(text, section, key, QStringLiteral("<default>")), expected);
}

void TestIniFile::applyWrites_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");
    QTest::newRow("new file") << "" << "User" << "UserName" << "a" << "[User]\nUserName=a\n";
    QTest::newRow("replace keeps neighbours")
        << "[User]\nUserName=a\nPassWord=b\n" << "user" << "USERNAME" << "z"
        << "[User]\nUSERNAME=z\nPassWord=b\n";
    QTest::newRow("add key before blank lines")
        << "[User]\nUserName=a\n\n[Path]\nExePath=x\n" << "User" << "PassWord" << "p"
        << "[User]\nUserName=a\nPassWord=p\n\n[Path]\nExePath=x\n";
    QTest::newRow("add section at end keeps comments")
        << "; written by hand\n[Path]\nExePath=x\n" << "1234" << "TestAppId" << "7"
        << "; written by hand\n[Path]\nExePath=x\n[1234]\nTestAppId=7\n";
    QTest::newRow("CR LF kept") << "[A]\r\nk=1\r\n" << "A" << "k" << "2" << "[A]\r\nk=2\r\n";
    QTest::newRow("file without final line break")
        << "[A]\nk=1" << "A" << "j" << "2" << "[A]\nk=1\nj=2\n";
}

void TestIniFile::applyWrites()
{
    QFETCH(QString, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, after);
    QCOMPARE(Ini::applyWrites(before, section, {{key, value}}), after);
}

void TestIniFile::missingFileReadsDefaults()
{
    const QString path = m_dir.filePath(QStringLiteral("missing.ini"));
    QCOMPARE(Ini::readString(path, QStringLiteral("User"), QStringLiteral("UserName"),
                             QStringLiteral("d")),
             QStringLiteral("d"));
    QVERIFY(!QFile::exists(path));
}

void TestIniFile::writeCreatesPrivateFile()
{
    const QString path = m_dir.filePath(QStringLiteral("new.ini"));
    Ini::writeString(path, QStringLiteral("101"), QStringLiteral("TestAppName"),
                     QStringLiteral("临床执业医师·医学综合笔试"));
    QCOMPARE(Ini::readString(path, QStringLiteral("101"), QStringLiteral("TestAppName"), {}),
             QStringLiteral("临床执业医师·医学综合笔试"));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);
}

void TestIniFile::foreignFileKeepsEverything()
{
    const QString path = m_dir.filePath(QStringLiteral("foreign.ini"));
    const QByteArray original = "; AppInfo written by another program\r\n"
                                "[PATH]\r\nexepath=C:\\Quillmoor\\quillmoor.exe\r\n"
                                "\r\n[Other]\r\nKeep=yes ; not a comment\r\n"
                                "[user]\r\nusername=old\r\n";
    writeRaw(path, original);
    Ini::writeString(path, QStringLiteral("User"), QStringLiteral("UserName"), QStringLiteral("new"));
    Ini::writeString(path, QStringLiteral("Path"), QStringLiteral("ExePath"), QStringLiteral("/opt/q"));
    QCOMPARE(readAll(path), QStringLiteral("; AppInfo written by another program\r\n"
                                           "[PATH]\r\nExePath=/opt/q\r\n"
                                           "\r\n[Other]\r\nKeep=yes ; not a comment\r\n"
                                           "[user]\r\nUserName=new\r\n"));
}

void TestIniFile::refusedWrite()
{
    const QString path = m_dir.filePath(QStringLiteral("no-such-folder/AppInfo.ini"));
    try {
        Ini::writeString(path, QStringLiteral("Path"), QStringLiteral("ExePath"), QStringLiteral("x"));
        QFAIL("the write should have been refused");
    } catch (const IniWriteError &error) {
        QCOMPARE(QString::fromStdString(error.what()), QStringLiteral("Unable to write to ") + path);
    }
}

void TestIniFile::lineBreaksCannotPlantKeys()
{
    const QString path = m_dir.filePath(QStringLiteral("planted.ini"));
    Ini::writeString(path, QStringLiteral("User"), QStringLiteral("UserName"),
                     QStringLiteral("x\r\nPassWord=stolen\n[Path]"));
    QCOMPARE(Ini::readString(path, QStringLiteral("User"), QStringLiteral("PassWord"),
                             QStringLiteral("<none>")),
             QStringLiteral("<none>"));
    QCOMPARE(readAll(path).count(QLatin1Char('\n')), 2);
}

// A writer killed at any moment leaves the file as it was before or after a
// whole write: every value is complete and the hand-written line survives.
void TestIniFile::killDuringWriteLeavesWholeFile()
{
    const QString path = m_dir.filePath(QStringLiteral("killed.ini"));
    writeRaw(path, "; keep me\n[Other]\nKeep=1\n");
    for (int round = 0; round < 12; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(INI_WRITER), {path, QStringLiteral("W"), QStringLiteral("100000"),
                                                  QStringLiteral("200000")});
        QVERIFY(writer.waitForStarted());
        QVERIFY(writer.waitForReadyRead(10000)); // "ready" after its first whole write
        // Let it get a little further on later rounds, then kill it mid-loop.
        for (int k = 0; k < round; ++k)
            writer.waitForReadyRead(5);
        writer.kill();
        QVERIFY(writer.waitForFinished());

        const QString text = readAll(path);
        QVERIFY(text.startsWith(QStringLiteral("; keep me\n[Other]\nKeep=1\n")));
        bool ok = false;
        const int n = Ini::lookup(text, QStringLiteral("W"), QStringLiteral("Value"), {}).toInt(&ok);
        QVERIFY(ok && n >= 0);
        const QString pad = Ini::lookup(text, QStringLiteral("W"), QStringLiteral("Pad"), {});
        QCOMPARE(pad, QString(200000, QLatin1Char('0' + n % 10)));
    }
}

void TestIniFile::concurrentWritersKeepBothSections()
{
    const QString path = m_dir.filePath(QStringLiteral("shared.ini"));
    QProcess a;
    QProcess b;
    a.start(QStringLiteral(INI_WRITER), {path, QStringLiteral("1001"), QStringLiteral("150"),
                                         QStringLiteral("10")});
    b.start(QStringLiteral(INI_WRITER), {path, QStringLiteral("1002"), QStringLiteral("150"),
                                         QStringLiteral("10")});
    QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);
    QCOMPARE(Ini::readString(path, QStringLiteral("1001"), QStringLiteral("Value"), {}),
             QStringLiteral("149"));
    QCOMPARE(Ini::readString(path, QStringLiteral("1002"), QStringLiteral("Value"), {}),
             QStringLiteral("149"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
