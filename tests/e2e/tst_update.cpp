// The update check against the stand-in service: the answer, the download,
// the prompt and the hand-off to the updater.

#include "serviceprocess.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestUpdate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void check_data();
    void check();

private:
    QString read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

void TestUpdate::check_data()
{
    QTest::addColumn<QStringList>("serviceArgs");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<bool>("existingFile");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("prompt");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("started");
    QTest::newRow("no update") << QStringList{} << true << false << true << false << 0 << false;
    QTest::newRow("download, then No") << QStringList{"--offer-update"} << true << false << false << true << 0 << false;
    QTest::newRow("download, then Yes") << QStringList{"--offer-update"} << true << false << true << true << 0 << true;
    QTest::newRow("existing file offered at once") << QStringList{"--offer-update"} << true << true << false << true << 0 << false;
    QTest::newRow("server unreachable") << QStringList{"--offer-update"} << false << false << true << false << 0 << false;
    QTest::newRow("error page") << QStringList{"--offer-update", "--update-fault", "errorpage"} << true << false << true << false << 1 << false;
    QTest::newRow("truncated body") << QStringList{"--offer-update", "--update-fault", "truncated"} << true << false << true << false << 1 << false;
}

void TestUpdate::check()
{
    QFETCH(QStringList, serviceArgs);
    QFETCH(bool, reachable);
    QFETCH(bool, existingFile);
    QFETCH(bool, answerYes);
    QFETCH(bool, prompt);
    QFETCH(int, errors);
    QFETCH(bool, started);

    ServiceProcess service(serviceArgs);
    QVERIFY(service.isRunning());
    QTemporaryDir appData;
    QTemporaryDir client;
    const QString updater = QDir(appData.path()).filePath(QStringLiteral("Quillmoor_update.exe"));
    if (existingFile) {
        QFile f(updater);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho old > updater-ran.txt\n");
    }

    TForm_windows_main window;
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), reachable ? service.appPort() : UnusedLoopbackPort());
    module->setConnectTimeout(300);
    module->ConnectAppServer();
    window.setClientModule(module);
    window.setAppDataFolder(appData.path());
    window.setClientFolder(client.path());
    QStringList questions;
    QStringList messages;
    window.setQuestionHook([&](const QString &text) {
        questions << text;
        return answerYes;
    });
    window.setMessageHook([&](const QString &text) { messages << text; });

    QSignalSpy done(&window, &TForm_windows_main::updateCheckDone);
    window.tmrUpDateTimer();
    QVERIFY(done.wait(20000));
    QCOMPARE(questions.size(), prompt ? 1 : 0);
    if (prompt)
        QCOMPARE(questions.first(), QStringLiteral("发现新版本，是否升级到新版本？"));
    QCOMPARE(messages.size(), errors);
    // Only a whole updater is ever kept under its name.
    if (errors || !reachable || serviceArgs.isEmpty())
        QCOMPARE(QFile::exists(updater), existingFile);
    else
        QVERIFY(QFile::exists(updater));
    if (existingFile)
        QCOMPARE(read(updater), QStringLiteral("#!/bin/sh\necho old > updater-ran.txt\n"));
    QVERIFY(!QFile::exists(updater + QStringLiteral(".part")));
    const QString mark = QDir(client.path()).filePath(QStringLiteral("updater-ran.txt"));
    if (started)
        QTRY_VERIFY(read(mark).contains(client.path()));
    else
        QVERIFY(!QFile::exists(mark));
    QVERIFY(!window.closing()); // the client stays open either way
    // The timer fired once and is off.
    QVERIFY(!window.findChild<QTimer *>(QStringLiteral("tmrUpDate"))->isActive());
    module->shutdown();
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
