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
#include <QVBoxLayout>

namespace {

constexpr int kCardHeight = 101;
constexpr int kBarHeight = 71;

QScrollArea *makeCardArea(QWidget *page, const QString &name)
{
    auto *area = new QScrollArea(page);
    area->setObjectName(name);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new QWidget;
    SetBackground(content, Qt::white);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    area->setWidget(content);
    area->hide();
    return area;
}

QLabel *cardLabel(QWidget *parent, int pixels)
{
    static const QColor dimGrey(0x69, 0x69, 0x69);
    auto *label = new QLabel(parent);
    label->setFont(DesignFont(pixels));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, dimGrey);
    label->setPalette(p);
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
    for (const Page &p : pages) {
        QWidget *page = tbc_Client->findChild<QWidget *>(QLatin1String(p.page));
        makeCardArea(page, QLatin1String(p.area));
        auto *bar = new QWidget(page);
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
    makeCardArea(tbc_Client->findChild<QWidget *>(QStringLiteral("tbtm_stcz")),
                 QStringLiteral("vrtscrlbx_FindTest"));
    m_cardLayout = new CardLayout(this);
}

void TForm_windows_main::layoutCardPages()
{
    const int w = tbc_Client->width();
    const int h = tbc_Client->height();
    for (const char *area : {"vrtscrlbx_UserNote", "vrtscrlbx_UserFav", "vrtscrlbx_UserError"})
        if (auto *a = tbc_Client->findChild<QWidget *>(QLatin1String(area)))
            a->setGeometry(0, 0, w, h - kBarHeight);
    for (const char *bar : {"tv_wdbj_Bottom", "tv_wdsc_Bottom", "tv_ctcz_Bottom"})
        if (auto *b = tbc_Client->findChild<QWidget *>(QLatin1String(bar))) {
            b->setGeometry(0, h - kBarHeight, w, kBarHeight);
            // The two buttons stand in a 370-wide area at the bar's right.
            for (QPushButton *button : b->findChildren<QPushButton *>()) {
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

void TForm_windows_main::rebuildCards(CardList list)
{
    const bool note = list == CardList::Notes;
    const bool search = list == CardList::Search;
    const CardSlots slots = cardSlots(list);
    const char *suffix = slots.suffix;
    const TUserInfoArr &entries = slots.entries;
    const QStringList &ids = slots.ids;
    QList<QWidget *> &panels = slots.panels;
    QList<QLabel *> &titles = slots.titles;
    QList<QLabel *> &answers = slots.answers;
    QList<QLabel *> &analyses = slots.analyses;
    qint32 &allocated = slots.allocated;

    for (QWidget *panel : std::as_const(panels))
        if (panel)
            panel->hide();
    const qint32 n = qint32(entries.testsid.size());
    if (n == 0)
        return;
    if (n > allocated) {
        allocated = n;
        panels.resize(n);
        titles.resize(n);
        answers.resize(n);
        analyses.resize(n);
        if (slots.removeButtons)
            slots.removeButtons->resize(n);
        if (note) {
            Label_UserNote_UserNote.resize(n);
            Button_Update_UserNote.resize(n);
        }
    }
    auto *area = tbc_Client->findChild<QScrollArea *>(QStringLiteral("vrtscrlbx_") + QLatin1String(suffix));
    QWidget *content = area->widget();
    auto *layout = static_cast<QVBoxLayout *>(content->layout());
    for (qint32 j = 0; j < n; ++j) {
        if (!search)
            QCoreApplication::processEvents();
        if (!panels[j]) {
            auto *panel = new QWidget(content);
            panel->setObjectName(QStringLiteral("Pnl_%1%2").arg(QLatin1String(suffix)).arg(j));
            panel->setFixedHeight(kCardHeight);
            auto *client = new QWidget(panel);
            client->setObjectName(QStringLiteral("Layout_Client_%1%2").arg(QLatin1String(suffix)).arg(j));
            QLabel *title = cardLabel(client, 18);
            title->setGeometry(10, 0, 100, note ? 30 : 35);
            titles[j] = title;
            QWidget *lower = client;
            if (note) {
                lower = new QWidget(panel);
                lower->setObjectName(QStringLiteral("Layout_Bottom_UserNote%1").arg(j));
            }
            const int answerY = note ? 0 : 35;
            const int rowH = note ? 22 : 25;
            answers[j] = cardLabel(lower, 15);
            answers[j]->setGeometry(10, answerY, 100, rowH);
            analyses[j] = cardLabel(lower, 15);
            analyses[j]->setGeometry(10, answerY + rowH, 100, rowH);
            if (note) {
                Label_UserNote_UserNote[j] = cardLabel(lower, 15);
                Label_UserNote_UserNote[j]->setGeometry(10, 44, 100, 22);
            }
            if (!search) {
                auto *right = new QWidget(panel);
                right->setObjectName(QStringLiteral("Layout_Right_%1%2").arg(QLatin1String(suffix)).arg(j));
                auto *remove = new QPushButton(QStringLiteral("✕"), right);
                remove->setObjectName(QStringLiteral("Button_%1%2").arg(QLatin1String(suffix)).arg(j));
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
            layout->insertWidget(layout->count() - 1, panel);
            panels[j] = panel;
        }
        const int tag = ids.value(j).toInt();
        for (QWidget *w : panels[j]->findChildren<QWidget *>())
            w->setProperty("Tag", tag);
        panels[j]->setProperty("Tag", tag);
        titles[j]->setText(CardTitle(entries.testtype.value(j), entries.title.value(j),
                                     entries.a3title.value(j), entries.btitle.value(j)));
        answers[j]->setText(CardAnswer(entries.testtype.value(j), entries.rightanswer.value(j),
                                       entries.answercontent.value(j)));
        analyses[j]->setText(CardAnalysis(entries.analyse.value(j)));
        if (note)
            Label_UserNote_UserNote[j]->setText(CardNote(entries.note.value(j)));
        panels[j]->show();
    }
    area->show();
    if (!search) {
        const char *bar = note ? "tv_wdbj_Bottom" : list == CardList::Favourites ? "tv_wdsc_Bottom" : "tv_ctcz_Bottom";
        tbc_Client->findChild<QWidget *>(QLatin1String(bar))->show();
    }
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
