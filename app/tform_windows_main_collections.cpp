// What the user does with the cards of the notes, favourites and
// wrong-question pages: delete one, remove all, practise the page, and view
// and change a note in the popup's note editor.

#include "cardrules.h"
#include "fonts.h"
#include "notesave.h"
#include "tanindicator.h"
#include "tchromium.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"
#include "tmemo.h"

#include <QEventLoop>
#include <QTextDocument>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

namespace {

// What the three collection pages differ in besides their card slots.
struct Collection
{
    const char *deletePrefix; // the delete buttons' names before the position
    const char *request;      // the delete request
    const char *action;       // the practice action
};

Collection collectionOf(bool notes, bool favourites)
{
    if (notes)
        return {"Button_UserNote", "DeleteNote", "note"};
    if (favourites)
        return {"Button_UserFav", "DeleteFav", "fav"};
    return {"Button_UserError", "DeleteError", "errtest"};
}

// The number after `prefix` in a sender's name, -1 when there is none.
int positionAfter(const QObject *sender, const char *prefix)
{
    const QString name = sender ? sender->objectName() : QString();
    if (!name.startsWith(QLatin1String(prefix)))
        return -1;
    bool ok = false;
    const int position = name.mid(int(qstrlen(prefix))).toInt(&ok);
    return ok && position >= 0 ? position : -1;
}

bool anyShown(const QList<QWidget *> &panels)
{
    return std::any_of(panels.begin(), panels.end(), [](QWidget *p) { return p && !p->isHidden(); });
}

const QString &DeleteFailedText()
{
    static const QString text = QStringLiteral("删除失败！");
    return text;
}

} // namespace

QLabel *TForm_windows_main::emptyLabelOf(CardList list) const
{
    switch (list) {
    case CardList::Notes:
        return lbl_wdbj_zwnr;
    case CardList::Favourites:
        return lbl_wdsc_zwnr;
    case CardList::Errors:
        return lbl_ctcz_zwnr;
    case CardList::Search:
        break;
    }
    return lbl_stcz_zwnr;
}

void TForm_windows_main::showBusy()
{
    AniIndicator1->show();
    AniIndicator1->raise();
}

void TForm_windows_main::deleteCard(CardList list, QObject *sender)
{
    const Collection page = collectionOf(list == CardList::Notes, list == CardList::Favourites);
    const CardSlots slots = cardSlots(list);
    const int position = positionAfter(sender, page.deletePrefix);
    if (position < 0 || position >= slots.panels.size() || !slots.panels[position])
        return;
    QWidget *panel = slots.panels[position];
    const QString id = QString::number(sender->property("Tag").toInt());

    showBusy();
    panel->hide();
    restackCards(list);
    bool removed = false;
    GetInterfaceData(removed, QLatin1String(page.request), id);
    if (!removed) {
        panel->show();
        restackCards(list);
        ShowMessage(DeleteFailedText());
    }
    if (!anyShown(slots.panels)) {
        emptyLabelOf(list)->show();
        cardBar(list)->hide();
    }
    PresentTestClassId = QStringLiteral("-1");
    AniIndicator1->hide();
}

void TForm_windows_main::removeAllCards(CardList list)
{
    const Collection page = collectionOf(list == CardList::Notes, list == CardList::Favourites);
    const CardSlots slots = cardSlots(list);
    QStringList ids;
    QList<QWidget *> hidden;
    for (QWidget *panel : std::as_const(slots.panels)) {
        if (panel && !panel->isHidden()) {
            ids << QString::number(panel->property("Tag").toInt());
            hidden << panel;
        }
    }
    if (ids.isEmpty())
        return;

    showBusy();
    for (QWidget *panel : std::as_const(hidden))
        panel->hide();
    restackCards(list);
    bool removed = false;
    GetInterfaceData(removed, QLatin1String(page.request), IdListText(ids));
    if (removed) {
        emptyLabelOf(list)->show();
        cardBar(list)->hide();
    } else {
        for (QWidget *panel : std::as_const(hidden))
            panel->show();
        restackCards(list);
        ShowMessage(DeleteFailedText());
    }
    PresentTestClassId = QStringLiteral("-1");
    AniIndicator1->hide();
}

QString TForm_windows_main::visibleQuestionIds(CardList list)
{
    const CardSlots slots = cardSlots(list);
    QStringList ids;
    for (qsizetype j = 0; j < slots.entries.testsid.size() && j < slots.panels.size(); ++j)
        if (slots.panels[j] && !slots.panels[j]->isHidden())
            ids << slots.entries.testsid[j];
    return IdListText(ids);
}

void TForm_windows_main::practisePage(CardList list)
{
    const CardSlots slots = cardSlots(list);
    if (slots.entries.testsid.isEmpty())
        return;
    const QString ids = visibleQuestionIds(list);
    // Every card deleted: the bar that holds the button is hidden then, so
    // this only guards against an empty practice.
    if (ids.isEmpty())
        return;
    const Collection page = collectionOf(list == CardList::Notes, list == CardList::Favourites);
    LaunchPracticeByAddress(QStringLiteral("-1"), QLatin1String(page.action), ids);
}

void TForm_windows_main::DeleteUserNoteClick(QObject *sender)
{
    deleteCard(CardList::Notes, sender);
}

void TForm_windows_main::DeleteUserFavClick(QObject *sender)
{
    deleteCard(CardList::Favourites, sender);
}

void TForm_windows_main::DeleteUserErrorClick(QObject *sender)
{
    deleteCard(CardList::Errors, sender);
}

void TForm_windows_main::Button5Click()
{
    removeAllCards(CardList::Notes);
}

void TForm_windows_main::Button3Click()
{
    removeAllCards(CardList::Favourites);
}

void TForm_windows_main::Button7Click()
{
    removeAllCards(CardList::Errors);
}

void TForm_windows_main::Button4Click()
{
    practisePage(CardList::Notes);
}

void TForm_windows_main::Button2Click()
{
    practisePage(CardList::Favourites);
}

void TForm_windows_main::Button6Click()
{
    practisePage(CardList::Errors);
}

// --- the note editor ---------------------------------------------------------

void TForm_windows_main::buildNoteEditor()
{
    QWidget *tab = tbc_pop->findChild<QWidget *>(QStringLiteral("tbtm_UpdateNote"));
    mmo_UpdateNote = new TMemo(tab);
    mmo_UpdateNote->setObjectName(QStringLiteral("mmo_UpdateNote"));
    mmo_UpdateNote->setMaxLength(1000);
    mmo_UpdateNote->setGeometry(0, 0, tbc_pop->width(), 273);
    mmo_UpdateNote->setFrameShape(QFrame::NoFrame);
    mmo_UpdateNote->setFont(DesignFont(15));
    mmo_UpdateNote->document()->setDocumentMargin(12);
    mmo_UpdateNote->setProperty("StyleName", QString());
    mmo_UpdateNote->setProperty("Tag", 0);
    auto *rule = new QFrame(tab);
    rule->setGeometry(0, 273, tbc_pop->width(), 1);
    rule->setFrameShape(QFrame::HLine);
    rule->setStyleSheet(QStringLiteral("color: #DBE6F1;"));

    btn_Update_ok = new QPushButton(QStringLiteral("确认修改"), tab);
    btn_Update_ok->setObjectName(QStringLiteral("btn_Update_ok"));
    btn_Update_ok->setGeometry(281, 285, 88, 30);
    btn_Update_ok->setDefault(true);
    btn_Update_close = new QPushButton(QStringLiteral("取消"), tab);
    btn_Update_close->setObjectName(QStringLiteral("btn_Update_close"));
    btn_Update_close->setGeometry(377, 285, 88, 30);
    for (QPushButton *button : {btn_Update_ok, btn_Update_close})
        button->setCursor(Qt::PointingHandCursor);
    StyleActionButton(btn_Update_ok);
    StyleSecondaryButton(btn_Update_close);
    connect(btn_Update_ok, &QPushButton::clicked, this, &TForm_windows_main::btn_Update_okClick);
    connect(btn_Update_close, &QPushButton::clicked, this, &TForm_windows_main::Button_close_popClick);
}

void TForm_windows_main::EditUserNoteClick(QObject *sender)
{
    const int position = positionAfter(sender, "Button_Update_UserFav");
    if (position < 0 || position >= UserNoteArr.testsid.size())
        return;
    const QString id = QString::number(sender->property("Tag").toInt());

    TreeView_pop->setVisible(!TreeView_pop->isVisible());
    TreeView_pop->raise();
    tbc_pop->setCurrentWidget(tbc_pop->findChild<QWidget *>(QStringLiteral("tbtm_UpdateNote")));
    lbl_pop_title->setText(QStringLiteral("查看笔记"));
    mmo_UpdateNote->setText(UserNoteArr.note.value(position));
    mmo_UpdateNote->setProperty("StyleName", id);
    mmo_UpdateNote->setProperty("Tag", position);
    mmo_UpdateNote->moveCursor(QTextCursor::End);
    mmo_UpdateNote->setFocus();
}

void TForm_windows_main::btn_Update_okClick()
{
    if (m_noteSaving)
        return; // one save at a time; the busy indicator shows it
    const QString text = mmo_UpdateNote->text();
    const QString id = mmo_UpdateNote->property("StyleName").toString();
    const int position = mmo_UpdateNote->property("Tag").toInt();
    if (id.isEmpty())
        return; // no note is open
    if (!NoSpecialChars(text)) {
        ShowMessage(QStringLiteral("不能包含特殊字符"));
        return;
    }

    showBusy();
    if (!m_module)
        m_module = std::make_shared<TClientModule1>();
    m_noteSaving = true;
    const auto state = StartNoteSave(m_module, id, text, m_noteSaveTiming);
    QEventLoop wait;
    state->setNotify([&wait] { QMetaObject::invokeMethod(&wait, &QEventLoop::quit, Qt::QueuedConnection); });
    const auto connection = connect(this, &TForm_windows_main::closeRequested, &wait, &QEventLoop::quit);
    while (!state->finished() && !isClose)
        wait.exec();
    state->setNotify(nullptr);
    disconnect(connection);
    m_noteSaving = false;
    if (isClose) {
        state->cancel();
        return;
    }
    AniIndicator1->hide();
    if (!state->isDelete.load()) {
        // The editor stays open with the user's text for another try.
        ShowMessage(QStringLiteral("笔记保存失败，请检查网络后重试"));
        return;
    }
    // The list may have been fetched again while the save ran; only the
    // same note at the same place takes the new text.
    if (UserNoteArr.usernoteid.value(position) == id) {
        if (UserNoteArr.note.size() <= position)
            UserNoteArr.note.resize(position + 1);
        UserNoteArr.note[position] = text;
        if (position < Label_UserNote_UserNote.size() && Label_UserNote_UserNote[position])
            Label_UserNote_UserNote[position]->setText(CardNote(text));
    }
    TreeView_pop->hide();
    mmo_UpdateNote->setText(QString());
    mmo_UpdateNote->setProperty("StyleName", QString());
    mmo_UpdateNote->setProperty("Tag", 0);
}
