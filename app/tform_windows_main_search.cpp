// The question search page: the search bar with its placeholder, the search
// through the "stcz" request and practising the found questions.

#include "cardrules.h"
#include "fonts.h"
#include "tanindicator.h"
#include "tform_windows_main.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>

namespace {

constexpr int kSearchBarHeight = 71;
constexpr int kHintHeight = 32;
constexpr int kGlyphWidth = 50;

const QString &PlaceholderText()
{
    static const QString text = QStringLiteral("请输入您要查找的关键字");
    return text;
}

// The placeholder over the keyword edit: a search glyph with the caption
// beside it while it covers the edit, the glyph alone once shrunk.
class SearchPlaceholder : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        const QColor grey(0x9A, 0xA5, 0xB1);
        QPen pen(grey, 2);
        p.setPen(pen);
        const QPointF centre(kGlyphWidth / 2.0 - 3, height() / 2.0 - 2);
        p.drawEllipse(centre, 7, 7);
        p.drawLine(centre + QPointF(5, 5), centre + QPointF(11, 11));
        if (width() > 2 * kGlyphWidth) {
            p.setFont(font());
            p.drawText(rect().adjusted(kGlyphWidth, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text());
        }
    }
};

// Reports the keyword edit's focus changes.
class FocusWatch : public QObject
{
public:
    FocusWatch(QObject *parent, std::function<void()> in, std::function<void()> out)
        : QObject(parent), m_in(std::move(in)), m_out(std::move(out))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            m_in();
        else if (event->type() == QEvent::FocusOut)
            m_out();
        return false;
    }

private:
    std::function<void()> m_in, m_out;
};

} // namespace

void TForm_windows_main::buildSearchBar()
{
    QWidget *page = pageNamed(QStringLiteral("tbtm_stcz"));
    Label5 = new QLabel(QStringLiteral("温馨提示：您可以输入一个跟试题有关的关键词，例如：“青霉素”"), page);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setFont(DesignFont(14));
    Label5->setAlignment(Qt::AlignCenter);
    QPalette hint = Label5->palette();
    hint.setColor(QPalette::WindowText, QColor(0xA9, 0xA9, 0xA9));
    Label5->setPalette(hint);

    TreeView5 = new QWidget(page);
    TreeView5->setObjectName(QStringLiteral("TreeView5"));
    SetBackground(TreeView5, QColor(0xF3, 0xF7, 0xFB));
    lyt_FindBar = new QWidget(TreeView5);
    lyt_FindBar->setObjectName(QStringLiteral("lyt_FindBar"));
    lyt_FindBar->resize(834, 67);

    Edit1 = new QLineEdit(lyt_FindBar);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(20);
    Edit1->setGeometry(0, 24, 489, 32);
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setFont(DesignFont(15));
    Edit1->setTextMargins(kGlyphWidth, 0, 0, 0);
    Button9 = new SearchPlaceholder(PlaceholderText(), Edit1);
    Button9->setObjectName(QStringLiteral("Button9"));
    Button9->setProperty("StyleLookup", QStringLiteral("searchtoolbuttonmultiview"));
    Button9->setFont(DesignFont(15));
    Button9->setCursor(Qt::IBeamCursor);
    Button9->setFocusPolicy(Qt::NoFocus);
    Button9->setGeometry(1, 1, 487, 30); // align client, inside the edit's border
    connect(Button9, &QPushButton::clicked, this, &TForm_windows_main::Button9Click);
    Edit1->installEventFilter(new FocusWatch(
        Edit1,
        [this] {
            // Reached by the tab key while the placeholder covers the edit.
            if (Button9->width() > kGlyphWidth)
                Button9Click();
            else if (Edit1->text() == PlaceholderText())
                Edit1->selectAll();
        },
        [this] { Edit1Exit(); }));

    Button10 = new QPushButton(QStringLiteral("查找试题"), lyt_FindBar);
    Button10->setObjectName(QStringLiteral("Button10"));
    Button10->setGeometry(512, 24, 128, 30);
    Button8 = new QPushButton(QStringLiteral("练习本页"), lyt_FindBar);
    Button8->setObjectName(QStringLiteral("Button8"));
    Button8->setGeometry(674, 24, 136, 30);
    // The two buttons leave the focus in the edit, so that a click on
    // "查找试题" with an empty edit finds it empty and not yet left.
    for (QPushButton *button : {Button10, Button8}) {
        StyleActionButton(button);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(Button10, &QPushButton::clicked, this, &TForm_windows_main::Button10Click);
    connect(Button8, &QPushButton::clicked, this, &TForm_windows_main::Button8Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm_windows_main::Button10Click);
    // Typing while the placeholder covers the edit uncovers it.
    connect(Edit1, &QLineEdit::textEdited, this, [this] {
        if (Button9->width() > kGlyphWidth)
            Button9->setGeometry(1, 1, kGlyphWidth, Edit1->height() - 2);
    });
}

void TForm_windows_main::layoutSearchBar()
{
    const int w = tbc_Client->width();
    const int h = tbc_Client->height();
    const int resultsHeight = h - kSearchBarHeight - kHintHeight;
    TreeView5->setGeometry(0, h - kSearchBarHeight, w, kSearchBarHeight);
    // The controls stand 24 px down in their area; centre them in the bar.
    lyt_FindBar->move((w - lyt_FindBar->width()) / 2, (kSearchBarHeight - 32) / 2 - 24);
    Label5->setGeometry(0, resultsHeight, w, kHintHeight);
    vrtscrlbx_FindTest->setGeometry(0, 0, w, resultsHeight);
    // The empty label covers the result area only, so the bar stays usable.
    lbl_stcz_zwnr->setGeometry(0, 0, w, resultsHeight);
}

void TForm_windows_main::Button9Click()
{
    Edit1->clear();
    Button9->setGeometry(1, 1, kGlyphWidth, Edit1->height() - 2);
    Edit1->setFocus();
}

void TForm_windows_main::Edit1Exit()
{
    if (Edit1->text().isEmpty())
        Edit1->setText(PlaceholderText());
}

void TForm_windows_main::Button10Click()
{
    if (Edit1->text().isEmpty()) {
        Button9->setGeometry(1, 1, Edit1->width() - 2, Edit1->height() - 2);
        return;
    }
    if (Edit1->text() == PlaceholderText() || !AniIndicator1->isHidden())
        return;
    hideCardArea(CardList::Search);
    showBusy();
    ThreadSearchFlg = false;
    lbl_stcz_zwnr->hide();
    GetInterfaceData(ThreadSearchFlg, QStringLiteral("stcz"));
    ShowFindTestList();
    AniIndicator1->hide();
}

void TForm_windows_main::Button8Click()
{
    if (FindTestArr.testsid.isEmpty())
        return;
    const QString ids = visibleQuestionIds(CardList::Search);
    if (ids.isEmpty())
        return;
    LaunchPracticeByAddress(QStringLiteral("-1"), QStringLiteral("search"), ids);
}
