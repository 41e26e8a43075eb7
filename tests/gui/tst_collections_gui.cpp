// The collection pages' actions, the note editor and the question search on
// the real window against the stand-in service (demo user 1234, subject
// 10218: five notes, eight favourites, six wrong questions).

#include "serviceprocess.h"
#include "tchromium.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"
#include "timage.h"
#include "tmemo.h"
#include "weburls.h"

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

namespace {

// Text as an input method commits it (typing Chinese).
void commitText(QWidget *widget, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget->focusProxy() ? widget->focusProxy() : widget, &event);
}

enum class Page { Notes, Favourites, Errors };

struct PageNames
{
    const char *request, *suffix, *deleteMethod, *listMethod, *removeAll, *practise, *bar, *empty, *action;
};

PageNames namesOf(Page page)
{
    switch (page) {
    case Page::Notes:
        return {"wdbj", "UserNote", "DeleteUserNote", "GetUserNote", "Button5", "Button4", "tv_wdbj_Bottom",
                "lbl_wdbj_zwnr", "note"};
    case Page::Favourites:
        return {"wdsc", "UserFav", "DeleteUserFav", "GetUserFav", "Button3", "Button2", "tv_wdsc_Bottom",
                "lbl_wdsc_zwnr", "fav"};
    case Page::Errors:
        break;
    }
    return {"ctcz", "UserError", "DeleteUserError", "GetUserError", "Button7", "Button6", "tv_ctcz_Bottom",
            "lbl_ctcz_zwnr", "errtest"};
}

} // namespace

Q_DECLARE_METATYPE(Page)

class TestCollectionsGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void deleteOneCard_data();
    void deleteOneCard();
    void removeAllSendsVisibleIdsAndRestoresOnRefusal();
    void practiseSendsVisibleQuestions();
    void noteEditorSavesAndReopensWithNewText();
    void noteCheck_data();
    void noteCheck();
    void memoStopsAtLimit();
    void noteSaveRetriesThenGivesUp_data();
    void noteSaveRetriesThenGivesUp();
    void searchPlaceholderAndLimits();
    void searchNoMatchThenMatch();
    void searchIgnoredWhileBusy();
    void practiseSearchResults();

private:
    // Fetches a page's list from the service and shows its cards.
    void openPage(Page page);
    TUserInfoArr &listOf(Page page);
    void showList(Page page);
    QWidget *panel(Page page, int j)
    {
        return m_window->findChild<QWidget *>(QStringLiteral("Pnl_%1%2").arg(QLatin1String(namesOf(page).suffix)).arg(j));
    }
    QPushButton *button(const QString &name) { return m_window->findChild<QPushButton *>(name); }
    QWidget *control(const char *name) { return m_window->findChild<QWidget *>(QLatin1String(name)); }
    QString currentPage() { return m_window->findChild<QStackedWidget *>(QStringLiteral("tbc_Client"))->currentWidget()->objectName(); }
    // The parameters of every logged call to `method`.
    QList<QJsonArray> callsOf(const QString &method);
    QUrlQuery practiceQuery();

    QTemporaryDir m_settings;
    std::unique_ptr<ServiceProcess> m_service;
    std::unique_ptr<TForm_windows_main> m_window;
    QStringList m_messages;
};

void TestCollectionsGui::init()
{
    // Each test deletes or changes rows: a freshly seeded service for each.
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
    SetWebBaseUrl(m_service->webBase());
    m_window = std::make_unique<TForm_windows_main>();
    m_window->setSettingsFolder(m_settings.path());
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), m_service->appPort());
    module->ConnectAppServer();
    // The program's request timing: a delayed answer is never cut off by
    // the watcher's reconnect (5 s), however loaded the machine.
    m_window->setClientModule(module);
    m_window->setLoadingPageTurns(1);
    m_messages.clear();
    m_window->setMessageHook([this](const QString &text) { m_messages << text; });
    m_window->resize(1100, 700);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // Signed in with a subject, as after the web sign-in.
    QTRY_VERIFY(m_window->startFinished());
    // The start opens the personal centre; navigation waits for its page.
    QTRY_VERIFY_WITH_TIMEOUT(!control("AniIndicator1")->isVisible(), 20000);
    m_window->TestAppId = 10218;
    m_window->UserId = 1234;
}

void TestCollectionsGui::cleanup()
{
    m_window->clientModule()->shutdown();
    m_window.reset();
    m_service.reset();
}

TUserInfoArr &TestCollectionsGui::listOf(Page page)
{
    return page == Page::Notes ? m_window->UserNoteArr : page == Page::Favourites ? m_window->UserFavArr
                                                                                   : m_window->UserErrorArr;
}

void TestCollectionsGui::showList(Page page)
{
    if (page == Page::Notes)
        m_window->ShowUserNoteList();
    else if (page == Page::Favourites)
        m_window->ShowUserFavList();
    else
        m_window->ShowUserErrorList();
}

void TestCollectionsGui::openPage(Page page)
{
    m_window->Layout_homeClick(m_window->navIcon(QLatin1String(namesOf(page).request)));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_") + QLatin1String(namesOf(page).request));
    m_service->clearLog();
}

QList<QJsonArray> TestCollectionsGui::callsOf(const QString &method)
{
    QList<QJsonArray> calls;
    for (const QJsonValue &entry : m_service->callLog())
        if (entry.toObject().value("method").toString() == QStringLiteral("TServerMethods1.") + method)
            calls << entry.toObject().value("params").toArray();
    return calls;
}

QUrlQuery TestCollectionsGui::practiceQuery()
{
    const QUrl url = m_window->chrmfmx_Test->mainFrameUrl();
    return QUrlQuery(url);
}

void TestCollectionsGui::deleteOneCard_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("only note, confirmed") << Page::Notes << true;
    QTest::newRow("only note, refused") << Page::Notes << false;
    QTest::newRow("only favourite, confirmed") << Page::Favourites << true;
    QTest::newRow("only wrong question, refused") << Page::Errors << false;
}

// Deleting the only card of a page: hidden at once, and either the empty
// label (confirmed) or the card again with "删除失败！" (refused).
void TestCollectionsGui::deleteOneCard()
{
    QFETCH(Page, page);
    QFETCH(bool, confirmed);
    const PageNames names = namesOf(page);
    openPage(page);
    TUserInfoArr &list = listOf(page);
    QVERIFY(list.testsid.size() >= 5);
    // Keep only the first entry so that its card is the page's only one.
    TUserInfoArr one = list;
    for (QStringList *column : {&one.testsid, &one.usernoteid, &one.userfavid, &one.UserTestLogid, &one.testtype,
                                &one.title, &one.a3title, &one.btitle, &one.rightanswer, &one.answercontent,
                                &one.analyse, &one.note})
        if (column->size() > 1)
            *column = column->mid(0, 1);
    list = one;
    showList(page);
    const QString id = page == Page::Notes ? one.usernoteid[0] : page == Page::Favourites ? one.userfavid[0] : one.UserTestLogid[0];
    QCOMPARE(panel(page, 0)->property("Tag").toString(), id);
    if (!confirmed)
        m_service->setFault(QLatin1String(names.deleteMethod), "false");
    // A slow answer keeps the wait going; the card is hidden during it.
    else
        m_service->setFault(QLatin1String(names.deleteMethod), "delay:100");

    bool hiddenDuringCall = false;
    QObject during;
    QTimer::singleShot(0, &during, [&] { hiddenDuringCall = panel(page, 0)->isHidden() && control("AniIndicator1")->isVisible(); });
    button(QStringLiteral("Button_%1%2").arg(QLatin1String(names.suffix)).arg(0))->click();
    QVERIFY(hiddenDuringCall || !confirmed);

    QCOMPARE(callsOf(QLatin1String(names.deleteMethod)), QList<QJsonArray>{QJsonArray{id}});
    QCOMPARE(m_window->presentTestClassId(), QStringLiteral("-1"));
    QVERIFY(!control("AniIndicator1")->isVisible());
    if (confirmed) {
        QVERIFY(panel(page, 0)->isHidden());
        QVERIFY(control(names.empty)->isVisible());
        QVERIFY(control(names.bar)->isHidden());
        QVERIFY(m_messages.isEmpty());
        // Gone on the server too.
        bool flag = false;
        m_window->GetInterfaceData(flag, QLatin1String(names.request));
        QVERIFY(!listOf(page).testsid.contains(one.testsid[0]));
    } else {
        QVERIFY(!panel(page, 0)->isHidden());
        QVERIFY(control(names.empty)->isHidden());
        QVERIFY(!control(names.bar)->isHidden());
        QCOMPARE(m_messages, QStringList{"删除失败！"});
    }
}

// Two of five favourites deleted; remove-all sends the other three in
// position order, a refusal shows exactly those three again, and a
// confirmed remove-all empties the page.
void TestCollectionsGui::removeAllSendsVisibleIdsAndRestoresOnRefusal()
{
    openPage(Page::Favourites);
    TUserInfoArr &favs = m_window->UserFavArr;
    QCOMPARE(favs.testsid.size(), 8);
    button("Button_UserFav1")->click();
    button("Button_UserFav3")->click();
    QVERIFY(panel(Page::Favourites, 1)->isHidden() && panel(Page::Favourites, 3)->isHidden());
    // The cards below a deleted one move up into its place.
    auto rowOf = [&](int j) {
        QWidget *column = static_cast<QScrollArea *>(control("vrtscrlbx_UserFav"))->widget();
        return panel(Page::Favourites, j)->mapTo(column, QPoint()).y() / panel(Page::Favourites, j)->height();
    };
    QCOMPARE(rowOf(2), 1);
    QCOMPARE(rowOf(4), 2);
    QStringList visible;
    for (int j : {0, 2, 4, 5, 6, 7})
        visible << favs.userfavid[j];

    m_service->clearLog();
    m_service->setFault("DeleteUserFav", "false");
    button("Button3")->click();
    QCOMPARE(callsOf("DeleteUserFav"), QList<QJsonArray>{QJsonArray{visible.join(',')}});
    QCOMPARE(m_messages, QStringList{"删除失败！"});
    for (int j = 0; j < 8; ++j)
        QCOMPARE(panel(Page::Favourites, j)->isHidden(), j == 1 || j == 3);
    QCOMPARE(rowOf(7), 5);
    QVERIFY(control("lbl_wdsc_zwnr")->isHidden());

    m_service->clearFaults();
    m_service->clearLog();
    button("Button3")->click();
    QCOMPARE(callsOf("DeleteUserFav"), QList<QJsonArray>{QJsonArray{visible.join(',')}});
    for (int j = 0; j < 8; ++j)
        QVERIFY(panel(Page::Favourites, j)->isHidden());
    QVERIFY(control("lbl_wdsc_zwnr")->isVisible());
    QVERIFY(control("tv_wdsc_Bottom")->isHidden());
    QCOMPARE(m_window->presentTestClassId(), QStringLiteral("-1"));
    bool flag = false;
    m_window->GetInterfaceData(flag, "wdsc");
    QVERIFY(favs.testsid.isEmpty());
}

// "练习本页" sends the question ids of the shown cards only, in list order.
void TestCollectionsGui::practiseSendsVisibleQuestions()
{
    openPage(Page::Favourites);
    const TUserInfoArr favs = m_window->UserFavArr;
    button("Button_UserFav1")->click();
    QStringList expected = favs.testsid;
    expected.removeAt(1);

    button("Button2")->click();
    QCOMPARE(currentPage(), QStringLiteral("tbtm_web"));
    QCOMPARE(m_window->presentTestClassId(), QStringLiteral("-1"));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->chrmfmx_Test->mainFrameUrl().path(), QStringLiteral("/showtests/showtests_pc.asp"), 15000);
    const QUrlQuery query = practiceQuery();
    QCOMPARE(query.queryItemValue("appid"), QStringLiteral("10218"));
    QCOMPARE(query.queryItemValue("testclassid"), QStringLiteral("-1"));
    QCOMPARE(query.queryItemValue("action"), QStringLiteral("fav"));
    QCOMPARE(query.queryItemValue("testids"), expected.join(','));
    QCOMPARE(query.queryItemValue("scores"), QStringLiteral("0"));
    QCOMPARE(query.queryItemValue("testtypeids"), QStringLiteral("-1"));
    QCOMPARE(query.queryItemValue("testnums"), QStringLiteral("all"));
    QTRY_VERIFY_WITH_TIMEOUT(!control("AniIndicator1")->isVisible(), 15000);
}

void TestCollectionsGui::noteEditorSavesAndReopensWithNewText()
{
    openPage(Page::Notes);
    const TUserInfoArr notes = m_window->UserNoteArr;
    auto *memo = m_window->findChild<TMemo *>("mmo_UpdateNote");
    button("Button_Update_UserFav3")->click();
    QVERIFY(control("TreeView_pop")->isVisible());
    QCOMPARE(m_window->findChild<QStackedWidget *>("tbc_pop")->currentWidget()->objectName(), QStringLiteral("tbtm_UpdateNote"));
    QCOMPARE(m_window->findChild<QLabel *>("lbl_pop_title")->text(), QStringLiteral("查看笔记"));
    QCOMPARE(memo->text(), notes.note[3]);
    QCOMPARE(memo->property("StyleName").toString(), notes.usernoteid[3]);
    QCOMPARE(memo->property("Tag").toInt(), 3);

    // Cancel leaves everything in place.
    button("btn_Update_close")->click();
    QVERIFY(!control("TreeView_pop")->isVisible());
    QCOMPARE(memo->property("StyleName").toString(), notes.usernoteid[3]);

    button("Button_Update_UserFav3")->click();
    memo->selectAll();
    commitText(memo->viewport(), QStringLiteral("改过的笔记：先看病例"));
    QTest::keyClick(memo, Qt::Key_Return);
    commitText(memo->viewport(), QStringLiteral("第二行-重点"));
    const QString typed = QStringLiteral("改过的笔记：先看病例\n第二行-重点");
    QCOMPARE(memo->text(), typed);
    button("btn_Update_ok")->click();

    QCOMPARE(callsOf("UpdateUserNote"), (QList<QJsonArray>{QJsonArray{notes.usernoteid[3], typed}}));
    QVERIFY(!control("TreeView_pop")->isVisible());
    QVERIFY(!control("AniIndicator1")->isVisible());
    QCOMPARE(m_window->UserNoteArr.note[3], typed);
    const auto labels = panel(Page::Notes, 3)->findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel *l) { return l->text() == QStringLiteral("笔记：") + typed; }));
    QCOMPARE(memo->text(), QString());
    QCOMPARE(memo->property("StyleName").toString(), QString());
    QCOMPARE(memo->property("Tag").toInt(), 0);

    button("Button_Update_UserFav3")->click();
    QCOMPARE(memo->text(), typed);
    // And the service keeps it.
    bool flag = false;
    m_window->GetInterfaceData(flag, "wdbj");
    QCOMPARE(m_window->UserNoteArr.note.value(m_window->UserNoteArr.usernoteid.indexOf(notes.usernoteid[3])), typed);
}

void TestCollectionsGui::noteCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("full-width colon") << "要点：过敏" << true;
    QTest::newRow("hyphen") << "β-内酰胺" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("question mark") << "为什么?" << false;
    QTest::newRow("apostrophe") << "it's" << false;
    QTest::newRow("script") << "<b onclick=alert(1)>" << false;
}

// Forbidden characters stop the save with a message; nothing is sent and
// the editor keeps the text.
void TestCollectionsGui::noteCheck()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    openPage(Page::Notes);
    auto *memo = m_window->findChild<TMemo *>("mmo_UpdateNote");
    button("Button_Update_UserFav0")->click();
    memo->setPlainText(text);
    button("btn_Update_ok")->click();
    if (accepted) {
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(callsOf("UpdateUserNote"), (QList<QJsonArray>{QJsonArray{m_window->UserNoteArr.usernoteid[0], text}}));
        QVERIFY(!control("TreeView_pop")->isVisible());
    } else {
        QCOMPARE(m_messages, QStringList{"不能包含特殊字符"});
        QVERIFY(callsOf("UpdateUserNote").isEmpty());
        QVERIFY(control("TreeView_pop")->isVisible());
        QCOMPARE(memo->text(), text);
    }
}

// Typing and pasting stop at 1000 characters without touching what was
// already there; a longer stored note is shown whole.
void TestCollectionsGui::memoStopsAtLimit()
{
    auto *memo = m_window->findChild<TMemo *>("mmo_UpdateNote");
    QCOMPARE(memo->maxLength(), 1000);
    memo->setText(QString(990, QLatin1Char('a')) + QStringLiteral("尾"));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QString(20, QLatin1Char('b')));
    QCOMPARE(memo->text(), QString(990, QLatin1Char('a')) + QStringLiteral("尾") + QString(9, QLatin1Char('b')));
    QTest::keyClicks(memo, QStringLiteral("c"));
    QCOMPARE(memo->text().size(), 1000);

    // A paste in the middle keeps the text after it.
    memo->setText(QString(995, QLatin1Char('a')) + QStringLiteral("尾"));
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(10);
    memo->setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(QStringLiteral("0123456789"));
    memo->paste();
    QCOMPARE(memo->text(), QString(10, QLatin1Char('a')) + QStringLiteral("0123") + QString(985, QLatin1Char('a')) + QStringLiteral("尾"));

    const QString stored(1200, QLatin1Char('n'));
    memo->setText(stored);
    QCOMPARE(memo->text(), stored);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("x"));
    QCOMPARE(memo->text(), stored);
}

void TestCollectionsGui::noteSaveRetriesThenGivesUp_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("updates");
    QTest::addColumn<bool>("saved");
    QTest::newRow("refused once, saved on the second try") << "false@1" << 2 << true;
    QTest::newRow("error once, saved after the reconnect") << "error@1" << 2 << true;
    QTest::newRow("hangs once, cut off and saved") << "hang@1" << 2 << true;
    QTest::newRow("always refused: gives up after three") << "false" << 3 << false;
    QTest::newRow("always failing: gives up after three") << "error" << 3 << false;
}

void TestCollectionsGui::noteSaveRetriesThenGivesUp()
{
    QFETCH(QString, fault);
    QFETCH(int, updates);
    QFETCH(bool, saved);
    NoteSaveTiming fast;
    fast.tickMs = 10;
    fast.ticksPerReconnect = 10;
    m_window->setNoteSaveTiming(fast);
    openPage(Page::Notes);
    const QString original = m_window->UserNoteArr.note[1];
    auto *memo = m_window->findChild<TMemo *>("mmo_UpdateNote");
    button("Button_Update_UserFav1")->click();
    memo->setPlainText(QStringLiteral("新笔记"));
    m_service->setFault("UpdateUserNote", fault);
    button("btn_Update_ok")->click();

    QCOMPARE(callsOf("UpdateUserNote").size(), updates);
    QVERIFY(!control("AniIndicator1")->isVisible());
    if (saved) {
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_window->UserNoteArr.note[1], QStringLiteral("新笔记"));
        QVERIFY(!control("TreeView_pop")->isVisible());
    } else {
        QCOMPARE(m_messages, QStringList{"笔记保存失败，请检查网络后重试"});
        QVERIFY(control("TreeView_pop")->isVisible());
        QCOMPARE(memo->text(), QStringLiteral("新笔记"));
        QCOMPARE(memo->property("StyleName").toString(), m_window->UserNoteArr.usernoteid[1]);
        QCOMPARE(m_window->UserNoteArr.note[1], original);
    }
}

// The placeholder's two states, tabbing out of an empty edit, and the
// 20-character limit; none of them sends a search.
void TestCollectionsGui::searchPlaceholderAndLimits()
{
    m_window->Layout_homeClick(m_window->navIcon(QStringLiteral("stcz")));
    QCOMPARE(currentPage(), QStringLiteral("tbtm_stcz"));
    auto *edit = m_window->findChild<QLineEdit *>("Edit1");
    QPushButton *placeholder = button("Button9");
    QCOMPARE(placeholder->text(), QStringLiteral("请输入您要查找的关键字"));
    QVERIFY(placeholder->width() > 400);

    placeholder->click();
    QCOMPARE(placeholder->width(), 50);
    QTRY_VERIFY(edit->hasFocus());
    // Leaving the empty edit with the tab key puts the placeholder text in.
    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_VERIFY(!edit->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("请输入您要查找的关键字"));
    QTest::mouseClick(button("Button10"), Qt::LeftButton);

    // An empty edit brings the covering placeholder back; typing uncovers it.
    placeholder->click();
    QCOMPARE(edit->text(), QString());
    QTest::mouseClick(button("Button10"), Qt::LeftButton);
    QVERIFY(edit->hasFocus());
    QVERIFY(placeholder->width() > 400);
    QTest::keyClicks(edit, "x");
    QCOMPARE(placeholder->width(), 50);
    QCOMPARE(edit->text(), QStringLiteral("x"));

    placeholder->click();
    commitText(edit, QStringLiteral("一二三四五六七八九十一二三四五六七八九十多出来的"));
    QCOMPARE(edit->text(), QStringLiteral("一二三四五六七八九十一二三四五六七八九十"));
    QVERIFY(!m_service->calledMethods().contains("FindTests"));
}

void TestCollectionsGui::searchNoMatchThenMatch()
{
    m_window->Layout_homeClick(m_window->navIcon(QStringLiteral("stcz")));
    auto *edit = m_window->findChild<QLineEdit *>("Edit1");
    button("Button9")->click();
    commitText(edit, QStringLiteral("没有这种题"));
    button("Button10")->click();
    QVERIFY(control("lbl_stcz_zwnr")->isVisible());
    QVERIFY(!control("vrtscrlbx_FindTest")->isVisible());
    QVERIFY(!m_window->findChild<QWidget *>("Pnl_FindTest0"));

    edit->setText(QStringLiteral(" 青霉素"));
    button("Button10")->click();
    edit->setText(QStringLiteral("青霉素"));
    button("Button10")->click();
    // The keyword goes out exactly as typed, with the subject and flg 1.
    const QList<QJsonArray> calls = callsOf("FindTests");
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[1], (QJsonArray{" 青霉素", 10218, 1}));
    QCOMPARE(calls[2], (QJsonArray{"青霉素", 10218, 1}));
    QVERIFY(!control("lbl_stcz_zwnr")->isVisible());
    QVERIFY(control("vrtscrlbx_FindTest")->isVisible());
    const int found = int(m_window->FindTestArr.testsid.size());
    QVERIFY(found >= 2);
    for (int j = 0; j < found; ++j)
        QVERIFY(m_window->findChild<QWidget *>(QStringLiteral("Pnl_FindTest%1").arg(j))->isVisible());
    QVERIFY(!m_window->findChild<QWidget *>("Button_FindTest0"));
    QVERIFY(!control("AniIndicator1")->isVisible());
}

void TestCollectionsGui::searchIgnoredWhileBusy()
{
    m_window->Layout_homeClick(m_window->navIcon(QStringLiteral("stcz")));
    auto *edit = m_window->findChild<QLineEdit *>("Edit1");
    edit->setText(QStringLiteral("青霉素"));
    m_service->setFault("FindTests", "delay:100");
    bool busyAtSecondClick = false;
    // A second click while the first search runs is ignored.
    QObject during;
    QTimer::singleShot(0, &during, [&] {
        busyAtSecondClick = control("AniIndicator1")->isVisible();
        button("Button10")->click();
    });
    button("Button10")->click();
    QVERIFY(busyAtSecondClick);
    QCOMPARE(callsOf("FindTests").size(), 1);
    QVERIFY(!m_window->FindTestArr.testsid.isEmpty());
}

void TestCollectionsGui::practiseSearchResults()
{
    m_window->Layout_homeClick(m_window->navIcon(QStringLiteral("stcz")));
    // No results: nothing happens and the page stays.
    button("Button8")->click();
    QCOMPARE(currentPage(), QStringLiteral("tbtm_stcz"));

    m_window->findChild<QLineEdit *>("Edit1")->setText(QStringLiteral("青霉素"));
    button("Button10")->click();
    const QStringList ids = m_window->FindTestArr.testsid;
    QVERIFY(!ids.isEmpty());
    const QString before = m_window->presentTestClassId();
    button("Button8")->click();
    QCOMPARE(currentPage(), QStringLiteral("tbtm_web"));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->chrmfmx_Test->mainFrameUrl().path(), QStringLiteral("/showtests/showtests_pc.asp"), 15000);
    const QUrlQuery query = practiceQuery();
    QCOMPARE(query.queryItemValue("action"), QStringLiteral("search"));
    QCOMPARE(query.queryItemValue("testids"), ids.join(','));
    QCOMPARE(query.queryItemValue("testclassid"), QStringLiteral("-1"));
    QCOMPARE(m_window->presentTestClassId(), before);
}

QTEST_MAIN(TestCollectionsGui)
#include "tst_collections_gui.moc"
