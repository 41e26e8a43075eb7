// The collection pages and the question search as a user goes through them:
// signed in on the service's web page inside the client, clicking the real
// buttons, with the service's call log checked after every step.

#include "clientsession.h"
#include "serviceprocess.h"
#include "tchromium.h"
#include "tclientmodule1.h"
#include "tform_pc_start.h"
#include "tform_windows_main.h"
#include "timage.h"
#include "tmemo.h"
#include "weburls.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>
#include <QWebEnginePage>

namespace {

void commitText(QWidget *widget, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestCollections : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void deleteAndEditNotes();
    void removeAllOfThousandFavourites();
    void searchAndPractiseResults();

private:
    void signIn(const QString &name, const QString &password, int userId);
    void navigate(const char *name);
    void click(const QString &buttonName);
    QWidget *control(const QString &name) { return m_main->findChild<QWidget *>(name); }
    QString currentPage() { return m_main->findChild<QStackedWidget *>(QStringLiteral("tbc_Client"))->currentWidget()->objectName(); }
    // The calls the service received, as method and parameters.
    QJsonArray calls()
    {
        QJsonArray out;
        for (const QJsonValue &entry : m_service->callLog())
            out.append(QJsonObject{{"method", entry["method"]}, {"params", entry["params"]}});
        return out;
    }

    std::unique_ptr<ServiceProcess> m_service;
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<TForm_pc_start> m_splash;
    std::unique_ptr<TForm_windows_main> m_main;
};

void TestCollections::init()
{
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
    SetWebBaseUrl(m_service->webBase());
    m_settings = std::make_unique<QTemporaryDir>();
}

void TestCollections::cleanup()
{
    if (m_main)
        m_main->clientModule()->shutdown();
    m_main.reset();
    m_splash.reset();
    m_service.reset();
}

void TestCollections::signIn(const QString &name, const QString &password, int userId)
{
    QVERIFY(StartClient(*m_service, m_settings->path(), m_splash, m_main));
    m_main->setMessageHook([](const QString &text) { QFAIL(qPrintable(QStringLiteral("unexpected message ") + text)); });
    QVERIFY(WaitForSignInPage(*m_main));
    QVERIFY(SubmitSignIn(*m_main, name, password, false));
    QTRY_COMPARE_WITH_TIMEOUT(m_main->UserId, userId, 20000);
    QTRY_COMPARE(currentPage(), QStringLiteral("tbtm_home"));
    QTRY_VERIFY_WITH_TIMEOUT(!control(QStringLiteral("AniIndicator1"))->isVisible(), 10000);
}

void TestCollections::navigate(const char *name)
{
    TImage *icon = m_main->navIcon(QLatin1String(name));
    QTest::mouseClick(icon, Qt::LeftButton, {}, icon->rect().center());
    QTRY_COMPARE(currentPage(), QStringLiteral("tbtm_") + QLatin1String(name));
    QTRY_VERIFY(!control(QStringLiteral("AniIndicator1"))->isVisible());
}

void TestCollections::click(const QString &buttonName)
{
    auto *button = m_main->findChild<QPushButton *>(buttonName);
    QVERIFY2(button && button->isVisible(), qPrintable(buttonName));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void TestCollections::deleteAndEditNotes()
{
    signIn(QStringLiteral("demo"), QStringLiteral("demo123"), 1234);
    m_service->clearLog();
    navigate("wdbj");
    QCOMPARE(calls(), (QJsonArray{QJsonObject{{"method", "TServerMethods1.GetUserNote"}, {"params", QJsonArray{10218, 1234}}}}));
    const TUserInfoArr notes = m_main->UserNoteArr;
    QCOMPARE(notes.testsid.size(), 5);

    // Delete the first note.
    m_service->clearLog();
    click(QStringLiteral("Button_UserNote0"));
    QTRY_VERIFY(!control(QStringLiteral("AniIndicator1"))->isVisible());
    QCOMPARE(calls(), (QJsonArray{QJsonObject{{"method", "TServerMethods1.DeleteUserNote"}, {"params", QJsonArray{notes.usernoteid[0]}}}}));
    QVERIFY(!control(QStringLiteral("Pnl_UserNote0"))->isVisible());
    QVERIFY(control(QStringLiteral("Pnl_UserNote1"))->isVisible());

    // Edit the second one: the editor shows its note, the new text is saved.
    m_service->clearLog();
    click(QStringLiteral("Button_Update_UserFav1"));
    auto *memo = m_main->findChild<TMemo *>(QStringLiteral("mmo_UpdateNote"));
    QTRY_VERIFY(memo->isVisible());
    QCOMPARE(memo->text(), notes.note[1]);
    QTRY_VERIFY(memo->hasFocus());
    commitText(memo, QStringLiteral("，另：头孢需皮试"));
    const QString edited = notes.note[1] + QStringLiteral("，另：头孢需皮试");
    QCOMPARE(memo->text(), edited);
    click(QStringLiteral("btn_Update_ok"));
    QTRY_VERIFY(!control(QStringLiteral("TreeView_pop"))->isVisible());
    QCOMPARE(calls(), (QJsonArray{QJsonObject{{"method", "TServerMethods1.UpdateUserNote"}, {"params", QJsonArray{notes.usernoteid[1], edited}}}}));

    // The next visit fetches the list again: four notes, the edited text kept.
    navigate("home");
    navigate("wdbj");
    QCOMPARE(m_main->UserNoteArr.testsid.size(), 4);
    QCOMPARE(m_main->UserNoteArr.note[0], edited);
    const auto labels = control(QStringLiteral("Pnl_UserNote0"))->findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel *l) { return l->text() == QStringLiteral("笔记：") + edited; }));
}

void TestCollections::removeAllOfThousandFavourites()
{
    signIn(QStringLiteral("kuaiji"), QStringLiteral("123456"), 1236);
    navigate("wdsc");
    const TUserInfoArr favs = m_main->UserFavArr;
    QCOMPARE(favs.testsid.size(), 1000);
    QVERIFY(control(QStringLiteral("Pnl_UserFav999"))->isVisibleTo(m_main.get()));

    m_service->clearLog();
    click(QStringLiteral("Button3"));
    QTRY_VERIFY(control(QStringLiteral("lbl_wdsc_zwnr"))->isVisible());
    QCOMPARE(calls(), (QJsonArray{QJsonObject{{"method", "TServerMethods1.DeleteUserFav"}, {"params", QJsonArray{favs.userfavid.join(',')}}}}));
    QVERIFY(!control(QStringLiteral("tv_wdsc_Bottom"))->isVisible());

    navigate("home");
    navigate("wdsc");
    QVERIFY(m_main->UserFavArr.testsid.isEmpty());
    QVERIFY(control(QStringLiteral("lbl_wdsc_zwnr"))->isVisible());
}

void TestCollections::searchAndPractiseResults()
{
    signIn(QStringLiteral("demo"), QStringLiteral("demo123"), 1234);
    navigate("stcz");
    m_service->clearLog();
    click(QStringLiteral("Button9"));
    auto *edit = m_main->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    QTRY_VERIFY(edit->hasFocus());
    commitText(edit, QStringLiteral("青霉素"));
    click(QStringLiteral("Button10"));
    QTRY_VERIFY(control(QStringLiteral("vrtscrlbx_FindTest"))->isVisible());
    QCOMPARE(calls(), (QJsonArray{QJsonObject{{"method", "TServerMethods1.FindTests"}, {"params", QJsonArray{"青霉素", 10218, 1}}}}));
    const QStringList found = m_main->FindTestArr.testsid;
    QVERIFY(found.size() >= 3);
    const auto title = control(QStringLiteral("Pnl_FindTest0"))->findChildren<QLabel *>();
    QVERIFY(std::any_of(title.begin(), title.end(), [](QLabel *l) { return l->text().contains(QStringLiteral("青霉素")); }));

    m_service->clearLog();
    click(QStringLiteral("Button8"));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_web"));
    QTRY_COMPARE_WITH_TIMEOUT(m_main->chrmfmx_Test->mainFrameUrl().path(), QStringLiteral("/showtests/showtests_pc.asp"), 15000);
    QCOMPARE(QUrlQuery(m_main->chrmfmx_Test->mainFrameUrl()).queryItemValue(QStringLiteral("testids")), found.join(','));
    QTRY_COMPARE_WITH_TIMEOUT(EvaluateScript(m_main->chrmfmx_Test, QStringLiteral("$('#summary').attr('data-count')")).toString(),
                              QString::number(found.size()), 10000);
    QTRY_VERIFY(!control(QStringLiteral("AniIndicator1"))->isVisible());
    // Practising is a web page: no server method is called for it.
    QCOMPARE(calls(), QJsonArray());
}

QTEST_MAIN(TestCollections)
#include "tst_collections.moc"
