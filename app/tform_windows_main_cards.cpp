// The question card lists of the notes, favourites, wrong-question and
// search pages: card slots created once per position and reused.

#include "cardrules.h"
#include "fonts.h"
#include "tform_windows_main.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QResizeEvent>

namespace {

constexpr int kCardHeight = 101;
constexpr int kBarHeight = 71;

// The cards of one page stacked in rows of one card height, in blocks of
// kBlockRows cards.  Cards are placed one by one as they are filled, so a
// list of a thousand never costs one long layout pass, and the blocks keep
// the number of sibling widgets small (showing a widget costs time in
// proportion to its siblings) and let a rebuild hide a whole page of cards
// at once.  restack() closes the gaps that hidden cards leave.
class CardColumn : public QWidget
{
public:
    using QWidget::QWidget;
    static constexpr int kBlockRows = 25;

    // The parent of the card at position j.
    QWidget *parentFor(int j)
    {
        while (m_blocks.size() <= j / kBlockRows) {
            auto *block = new QWidget(this);
            block->setGeometry(0, int(m_blocks.size()) * kBlockRows * kCardHeight, width(), 0);
            block->show();
            m_blocks.append(block);
        }
        return m_blocks[j / kBlockRows];
    }
    void add(QWidget *panel) { m_panels.append(panel); }
    void setRowCount(int rows) { setMinimumHeight(rows * kCardHeight); }
    // Hides every card at once; showFilled() shows them again block by block.
    void hideAll()
    {
        for (QWidget *block : std::as_const(m_blocks))
            block->hide();
    }
    // Puts the card at position j in row j (no gaps before it).
    void place(QWidget *panel, int j)
    {
        QWidget *block = m_blocks[j / kBlockRows];
        const int rowInBlock = j % kBlockRows;
        panel->setGeometry(0, rowInBlock * kCardHeight, width(), kCardHeight);
        const QRect blockRect(0, (j - rowInBlock) * kCardHeight, width(), (rowInBlock + 1) * kCardHeight);
        if (block->geometry() != blockRect && (rowInBlock == 0 || block->height() < blockRect.height()))
            block->setGeometry(blockRect);
    }
    // Shows the block of position j once its last card is filled (or the
    // list ends in it): its cards appear together, filled.
    void showFilled(int j, int count)
    {
        QWidget *block = m_blocks[j / kBlockRows];
        if (block->isHidden() && (j % kBlockRows == kBlockRows - 1 || j == count - 1))
            block->show();
    }

    void restack()
    {
        int row = 0;
        for (qsizetype b = 0; b < m_blocks.size(); ++b) {
            int inBlock = 0;
            for (qsizetype j = b * kBlockRows; j < qMin(m_panels.size(), (b + 1) * kBlockRows); ++j)
                if (!m_panels[j]->isHidden())
                    m_panels[j]->move(0, kCardHeight * inBlock++);
            m_blocks[b]->setGeometry(0, row * kCardHeight, width(), inBlock * kCardHeight);
            row += inBlock;
        }
        setRowCount(row);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        if (event->oldSize().width() == width())
            return;
        for (QWidget *block : std::as_const(m_blocks))
            block->resize(width(), block->height());
        for (QWidget *panel : std::as_const(m_panels))
            panel->resize(width(), kCardHeight);
    }

private:
    QList<QWidget *> m_blocks;
    QList<QWidget *> m_panels;
};

QScrollArea *makeCardArea(QWidget *page, const QString &name)
{
    auto *area = new QScrollArea(page);
    area->setObjectName(name);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new CardColumn;
    SetBackground(content, Qt::white);
    area->setWidget(content);
    area->hide();
    return area;
}

// Card texts come from the server and are shown as they are: never read as
// markup, so a question about "<b>" shows those characters.
QLabel *cardLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    return label;
}

// Places a card's parts whenever its panel changes size.
class CardLayout : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            place(static_cast<QWidget *>(watched));
        return false;
    }

private:
    static void place(QWidget *panel)
    {
        const int w = panel->width();
        const bool note = panel->objectName().startsWith(QLatin1String("Pnl_UserNote"));
        const bool search = panel->objectName().startsWith(QLatin1String("Pnl_FindTest"));
        const int right = search ? 0 : 200;
        for (QObject *child : panel->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (!widget)
                continue;
            const QString name = widget->objectName();
            if (name.startsWith(QLatin1String("Layout_Client_"))) {
                widget->setGeometry(0, 0, search ? w - 10 : w - right, note ? 30 : kCardHeight - 1);
            } else if (name.startsWith(QLatin1String("Layout_Bottom_"))) {
                widget->setGeometry(0, 31, w - 200, 70);
            } else if (name.startsWith(QLatin1String("Layout_Right_"))) {
                widget->setGeometry(w - 200, 0, 200, kCardHeight - 1);
            } else if (name == QLatin1String("line")) {
                widget->setGeometry(0, kCardHeight - 1, w, 1);
            }
            for (QLabel *label : widget->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
                label->resize(widget->width() - 10, label->height());
        }
    }
};

} // namespace

void TForm_windows_main::buildCardPages()
{
    struct Page
    {
        const char *page, *area, *bar, *practise, *practiseText, *removeAll, *removeText;
    };
    const Page pages[] = {
        {"tbtm_wdbj", "vrtscrlbx_UserNote", "tv_wdbj_Bottom", "Button4", "练习本页", "Button5", "移除全部笔记"},
        {"tbtm_wdsc", "vrtscrlbx_UserFav", "tv_wdsc_Bottom", "Button2", "练习本页", "Button3", "移除全部收藏"},
        {"tbtm_ctcz", "vrtscrlbx_UserError", "tv_ctcz_Bottom", "Button6", "练习本页", "Button7", "移除全部错题"},
    };
    QScrollArea **areas[] = {&vrtscrlbx_UserNote, &vrtscrlbx_UserFav, &vrtscrlbx_UserError};
    QWidget **bars[] = {&tv_wdbj_Bottom, &tv_wdsc_Bottom, &tv_ctcz_Bottom};
    int k = 0;
    for (const Page &p : pages) {
        QWidget *page = pageNamed(QLatin1String(p.page));
        *areas[k] = makeCardArea(page, QLatin1String(p.area));
        auto *bar = new QWidget(page);
        *bars[k++] = bar;
        bar->setObjectName(QLatin1String(p.bar));
        bar->hide();
        for (const auto &[name, text, x] : {std::tuple{p.removeAll, p.removeText, 26},
                                            std::tuple{p.practise, p.practiseText, 210}}) {
            auto *button = new QPushButton(QString::fromUtf8(text), bar);
            button->setObjectName(QLatin1String(name));
            button->setGeometry(x, 18, 136, 30);
            button->setCursor(Qt::PointingHandCursor);
            StyleActionButton(button);
        }
    }
    const std::pair<const char *, void (TForm_windows_main::*)()> handlers[] = {
        {"Button5", &TForm_windows_main::Button5Click}, {"Button3", &TForm_windows_main::Button3Click},
        {"Button7", &TForm_windows_main::Button7Click}, {"Button4", &TForm_windows_main::Button4Click},
        {"Button2", &TForm_windows_main::Button2Click}, {"Button6", &TForm_windows_main::Button6Click}};
    for (const auto &[name, handler] : handlers)
        connect(tbc_Client->findChild<QPushButton *>(QLatin1String(name)), &QPushButton::clicked, this, handler);
    vrtscrlbx_FindTest = makeCardArea(pageNamed(QStringLiteral("tbtm_stcz")), QStringLiteral("vrtscrlbx_FindTest"));
    m_cardLayout = new CardLayout(this);
    m_cardPalette = palette();
    m_cardPalette.setColor(QPalette::WindowText, QColor(0x69, 0x69, 0x69)); // dim grey
}

void TForm_windows_main::layoutCardPages()
{
    const int w = tbc_Client->width();
    const int h = tbc_Client->height();
    for (CardList list : {CardList::Notes, CardList::Favourites, CardList::Errors}) {
        cardArea(list)->setGeometry(0, 0, w, h - kBarHeight);
        QWidget *bar = cardBar(list);
        bar->setGeometry(0, h - kBarHeight, w, kBarHeight);
        // The two buttons stand in a 370-wide area at the bar's right.
        for (QPushButton *button : bar->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly)) {
            const bool removeAll = button->text().startsWith(QStringLiteral("移除"));
            button->move(w - 370 + (removeAll ? 26 : 210), 18);
        }
    }
}

TForm_windows_main::CardSlots TForm_windows_main::cardSlots(CardList list)
{
    switch (list) {
    case CardList::Notes:
        return {"UserNote", UserNoteArr, UserNoteArr.usernoteid, Panel_UserNote, Label_TestTitle_UserNote,
                Label_RightAnswer_UserNote, Label_AnAlyse_UserNote, &Button_UserNote, UserNoteMaxLength};
    case CardList::Favourites:
        return {"UserFav", UserFavArr, UserFavArr.userfavid, Panel_UserFav, Label_TestTitle_UserFav,
                Label_RightAnswer_UserFav, Label_AnAlyse_UserFav, &Button_UserFav, UserFavMaxLength};
    case CardList::Errors:
        return {"UserError", UserErrorArr, UserErrorArr.UserTestLogid, Panel_UserError,
                Label_TestTitle_UserError, Label_RightAnswer_UserError, Label_AnAlyse_UserError,
                &Button_UserError, UserErrorMaxLength};
    case CardList::Search:
        break;
    }
    return {"FindTest", FindTestArr, FindTestArr.testsid, Panel_FindTest, Label_TestTitle_FindTest,
            Label_RightAnswer_FindTest, Label_AnAlyse_FindTest, nullptr, FindTestMaxLength};
}

void TForm_windows_main::createCardSlot(CardList list, qint32 j, QWidget *content)
{
    const bool note = list == CardList::Notes;
    const bool search = list == CardList::Search;
    const CardSlots slots = cardSlots(list);
    const QLatin1String suffix(slots.suffix);

    // The labels take the panel's font and colour; only the title differs.
    auto *panel = new QWidget(static_cast<CardColumn *>(content)->parentFor(j));
    panel->setObjectName(QStringLiteral("Pnl_%1%2").arg(suffix).arg(j));
    panel->setFont(DesignFont(15));
    panel->setPalette(m_cardPalette);
    auto *client = new QWidget(panel);
    client->setObjectName(QStringLiteral("Layout_Client_%1%2").arg(suffix).arg(j));
    QLabel *title = cardLabel(client);
    title->setFont(DesignFont(18));
    title->setGeometry(10, 0, 100, note ? 30 : 35);
    slots.titles[j] = title;
    QWidget *lower = client;
    if (note) {
        lower = new QWidget(panel);
        lower->setObjectName(QStringLiteral("Layout_Bottom_UserNote%1").arg(j));
    }
    const int answerY = note ? 0 : 35;
    const int rowH = note ? 22 : 25;
    slots.answers[j] = cardLabel(lower);
    slots.answers[j]->setGeometry(10, answerY, 100, rowH);
    slots.analyses[j] = cardLabel(lower);
    slots.analyses[j]->setGeometry(10, answerY + rowH, 100, rowH);
    if (note) {
        Label_UserNote_UserNote[j] = cardLabel(lower);
        Label_UserNote_UserNote[j]->setGeometry(10, 44, 100, 22);
    }
    if (!search) {
        auto *right = new QWidget(panel);
        right->setObjectName(QStringLiteral("Layout_Right_%1%2").arg(suffix).arg(j));
        auto *remove = new QPushButton(QStringLiteral("✕"), right);
        remove->setObjectName(QStringLiteral("Button_%1%2").arg(suffix).arg(j));
        remove->setToolTip(QStringLiteral("删除"));
        remove->setGeometry(100, (kCardHeight - 30) / 2, 40, 30);
        remove->setCursor(Qt::PointingHandCursor);
        (*slots.removeButtons)[j] = remove;
        connect(remove, &QPushButton::clicked, this, [this, remove, list] {
            if (list == CardList::Notes)
                DeleteUserNoteClick(remove);
            else if (list == CardList::Favourites)
                DeleteUserFavClick(remove);
            else
                DeleteUserErrorClick(remove);
        });
        if (note) {
            // The edit button's name reads "UserFav" on note cards too.
            auto *edit = new QPushButton(QStringLiteral("✎"), right);
            edit->setObjectName(QStringLiteral("Button_Update_UserFav%1").arg(j));
            edit->setToolTip(QStringLiteral("编辑笔记"));
            edit->setGeometry(30, (kCardHeight - 30) / 2, 50, 30);
            edit->setCursor(Qt::PointingHandCursor);
            Button_Update_UserNote[j] = edit;
            connect(edit, &QPushButton::clicked, this, [this, edit] { EditUserNoteClick(edit); });
        }
    }
    auto *line = new QFrame(panel);
    line->setObjectName(QStringLiteral("line"));
    SetBackground(line, QColor(0, 0, 0, 51)); // opacity 0.2
    panel->installEventFilter(m_cardLayout);
    static_cast<CardColumn *>(content)->add(panel);
    slots.panels[j] = panel;
}

void TForm_windows_main::rebuildCards(CardList list)
{
    const bool note = list == CardList::Notes;
    const bool search = list == CardList::Search;
    const CardSlots slots = cardSlots(list);
    const TUserInfoArr &entries = slots.entries;
    QList<QWidget *> &panels = slots.panels;
    qint32 &allocated = slots.allocated;
    const qint32 n = qint32(entries.testsid.size());

    // Slots beyond the list are hidden.  The others are refilled and shown
    // one by one below; while the area is hidden (a page visit hides it) all
    // of them are hidden first, or showing the area would show them at once.
    QScrollArea *area = cardArea(list);
    auto *content = static_cast<CardColumn *>(area->widget());
    if (area->isHidden())
        content->hideAll();
    for (qint32 j = n; j < panels.size(); ++j)
        if (panels[j])
            panels[j]->hide();
    if (n == 0)
        return;
    if (n > allocated) {
        allocated = n;
        panels.resize(n);
        slots.titles.resize(n);
        slots.answers.resize(n);
        slots.analyses.resize(n);
        if (slots.removeButtons)
            slots.removeButtons->resize(n);
        if (note) {
            Label_UserNote_UserNote.resize(n);
            Button_Update_UserNote.resize(n);
        }
    }
    // The area shows from the start so that each card is shown and laid out
    // on its own turn instead of all of them at once at the end.
    content->setRowCount(n);
    area->show();
    for (qint32 j = 0; j < n; ++j) {
        if (!search)
            QCoreApplication::processEvents();
        if (!panels[j])
            createCardSlot(list, j, content);
        // The id goes where the handlers read it: the panel and its buttons.
        const int tag = slots.ids.value(j).toInt();
        panels[j]->setProperty("Tag", tag);
        if (!search)
            (*slots.removeButtons)[j]->setProperty("Tag", tag);
        if (note)
            Button_Update_UserNote[j]->setProperty("Tag", tag);
        slots.titles[j]->setText(CardTitle(entries.testtype.value(j), entries.title.value(j),
                                           entries.a3title.value(j), entries.btitle.value(j)));
        slots.answers[j]->setText(CardAnswer(entries.testtype.value(j), entries.rightanswer.value(j),
                                             entries.answercontent.value(j)));
        slots.analyses[j]->setText(CardAnalysis(entries.analyse.value(j)));
        if (note)
            Label_UserNote_UserNote[j]->setText(CardNote(entries.note.value(j)));
        content->place(panels[j], j);
        panels[j]->show();
        content->showFilled(j, n);
    }
    if (!search)
        cardBar(list)->show();
}

void TForm_windows_main::ShowUserNoteList()
{
    rebuildCards(CardList::Notes);
}

void TForm_windows_main::ShowUserFavList()
{
    rebuildCards(CardList::Favourites);
}

void TForm_windows_main::ShowUserErrorList()
{
    rebuildCards(CardList::Errors);
}

void TForm_windows_main::ShowFindTestList()
{
    rebuildCards(CardList::Search);
}

QScrollArea *TForm_windows_main::cardArea(CardList list) const
{
    switch (list) {
    case CardList::Notes:
        return vrtscrlbx_UserNote;
    case CardList::Favourites:
        return vrtscrlbx_UserFav;
    case CardList::Errors:
        return vrtscrlbx_UserError;
    case CardList::Search:
        break;
    }
    return vrtscrlbx_FindTest;
}

QWidget *TForm_windows_main::cardBar(CardList list) const
{
    switch (list) {
    case CardList::Notes:
        return tv_wdbj_Bottom;
    case CardList::Favourites:
        return tv_wdsc_Bottom;
    case CardList::Errors:
        return tv_ctcz_Bottom;
    case CardList::Search:
        break;
    }
    return TreeView5;
}

void TForm_windows_main::hideCardArea(CardList list)
{
    // Hiding walks every widget below; with the cards' blocks hidden first,
    // the area's own hide and the rebuild's skip them.
    QScrollArea *area = cardArea(list);
    static_cast<CardColumn *>(area->widget())->hideAll();
    area->hide();
}

void TForm_windows_main::restackCards(CardList list)
{
    static_cast<CardColumn *>(cardArea(list)->widget())->restack();
}
