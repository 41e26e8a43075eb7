// The chapter practice page: parts and chapters on the left, one tab of
// section rows per chapter on the right, rows kept in a shared pool and
// refreshed in place.

#include "chapterrules.h"
#include "tanindicator.h"
#include "fonts.h"
#include "tform_windows_main.h"
#include "timage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowHeight = 61;
constexpr int kItemHeight = 42;
constexpr int kRightWidth = 350;
constexpr qint64 kEventBudgetNs = 4'000'000;
enum Role { TagRole = Qt::UserRole, PartRole };

// Clicks on a row (panel, image, layouts, labels) and on its links.
class RowClicks : public QObject
{
public:
    explicit RowClicks(TForm_windows_main *window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize) {
            if (watched->objectName().startsWith(QLatin1String("ColorBox_")))
                m_window->layoutRow(static_cast<QWidget *>(watched));
            return false;
        }
        if (event->type() != QEvent::MouseButtonRelease ||
            static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        if (watched->property("link").toBool())
            m_window->PractiseSectionCollection(qobject_cast<QLabel *>(watched));
        else
            m_window->PractiseSection(watched);
        return true;
    }

private:
    TForm_windows_main *m_window;
};

} // namespace

void TForm_windows_main::buildChapterPage()
{
    QWidget *page = tbc_Client->findChild<QWidget *>(QStringLiteral("tbtm_zjlx"));
    tv_zjlx->setExpandsOnDoubleClick(false);
    tv_zjlx->setStyleSheet(QStringLiteral("QTreeWidget { border: none; border-right: 1px solid #DBE6F1;"
                                          " font-size: 15px; background: white; }"));
    connect(tv_zjlx, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (item->data(0, PartRole).toBool())
            ToggleTreeItem(item);
        else
            OpenChapter(item);
    });
    tbc_zjlx = new QStackedWidget(page);
    tbc_zjlx->setObjectName(QStringLiteral("tbc_zjlx"));
    tbc_zjlx->hide();
    m_rowClicks = new RowClicks(this);
}

void TForm_windows_main::BuildChapterTree(const TUserTestsClassCountArr &rows)
{
    const ChapterTreePlan plan = PlanChapterTree(rows);
    tv_zjlx->clear();
    QList<QTreeWidgetItem *> items;
    QTreeWidgetItem *first = nullptr;
    for (const ChapterTreeNode &node : plan.nodes) {
        auto *item = new QTreeWidgetItem;
        const QString id = rows.testclassid.value(node.row);
        item->setText(0, rows.caption.value(node.row));
        item->setData(0, TagRole, id.toInt());
        item->setData(0, PartRole, node.isPart);
        item->setSizeHint(0, QSize(0, kItemHeight));
        if (node.isPart) {
            tv_zjlx->addTopLevelItem(item);
        } else {
            items.at(node.parent)->addChild(item);
            if (!tbc_zjlx->findChild<QWidget *>(QStringLiteral("tbtm_") + id, Qt::FindDirectChildrenOnly)) {
                auto *tab = new QWidget;
                tab->setObjectName(QStringLiteral("tbtm_") + id);
                auto *tabLayout = new QVBoxLayout(tab);
                tabLayout->setContentsMargins(0, 0, 0, 0);
                auto *box = new QScrollArea(tab);
                box->setObjectName(QStringLiteral("vsb_") + id);
                box->setWidgetResizable(true);
                box->setFrameShape(QFrame::NoFrame);
                box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                auto *content = new QWidget;
                content->setObjectName(QStringLiteral("vsb_content_") + id);
                SetBackground(content, Qt::white); // a style sheet here would slow every row
                auto *rowsLayout = new QVBoxLayout(content);
                rowsLayout->setContentsMargins(0, 0, 0, 0);
                rowsLayout->setSpacing(0);
                rowsLayout->addStretch(1);
                box->setWidget(content);
                box->hide();
                tabLayout->addWidget(box);
                tbc_zjlx->addWidget(tab);
            }
            items.at(node.parent)->setExpanded(true);
        }
        items.append(item);
        if (!node.isPart && !first)
            first = item;
    }
    if (first) {
        tv_zjlx->setCurrentItem(first);
        OpenChapter(first);
    }
    if (!rows.testclassid.isEmpty())
        tbc_zjlx->show();
}

void TForm_windows_main::OpenChapter(QTreeWidgetItem *item)
{
    const QString id = QString::number(item->data(0, TagRole).toInt());
    if (QWidget *tab = tbc_zjlx->findChild<QWidget *>(QStringLiteral("tbtm_") + id, Qt::FindDirectChildrenOnly))
        tbc_zjlx->setCurrentWidget(tab);
    OldPresentTestClassId = id;
    for (const TRecordsDataRec &record : std::as_const(RecordsDataArr))
        if (record.id == id && !record.isRefresh)
            return; // built already
    RecordsDataArr.append({id, 0, TestAppId, true, false});
    AniIndicator1->show();
    AniIndicator1->raise();
    BuildChapterRows(id);
    AniIndicator1->hide();
}

void TForm_windows_main::createRowSlot(qint32 k, QWidget *content)
{
    // Plain child widgets placed by geometry (see RowClicks::layoutRow): a
    // long chapter creates thousands of them, and per-row layouts and style
    // sheets would cost most of the build.
    static const QFont captionFont = DesignFont(18);
    static const QFont infoFont = DesignFont(15);
    auto colored = [](QWidget *w, const QColor &c) {
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, c);
        w->setPalette(p);
    };
    auto *panel = new QWidget(content);
    panel->setObjectName(QStringLiteral("ColorBox_TestClass%1").arg(k));
    panel->setFixedHeight(kRowHeight);
    panel->setCursor(Qt::PointingHandCursor);
    auto *image = new TImage(panel);
    image->setGeometry(0, 0, kRowHeight, kRowHeight);
    auto *left = new QWidget(panel);
    left->setObjectName(QStringLiteral("Layout_Left_TestClass%1").arg(k));
    auto *caption = new QLabel(left);
    caption->setFont(captionFont);
    colored(caption, Qt::black);
    auto *info = new QLabel(left);
    info->setFont(infoFont);
    colored(info, QColor(0x69, 0x69, 0x69));
    auto *right = new QWidget(panel);
    right->setObjectName(QStringLiteral("Layout_Right_TestClass%1").arg(k));
    auto makeLink = [&](const char *kind, int fromRight) {
        auto *link = new QLabel(right);
        link->setObjectName(QStringLiteral("Label_%1_TestClass%2").arg(QLatin1String(kind)).arg(k));
        link->setFont(infoFont);
        colored(link, QColor(0x32, 0x8B, 0xE5));
        link->setCursor(Qt::PointingHandCursor);
        link->setProperty("link", true);
        link->setProperty("fromRight", fromRight);
        link->installEventFilter(m_rowClicks);
        return link;
    };
    QLabel *sc = makeLink("sc", 300);
    QLabel *bj = makeLink("bj", 200);
    QLabel *ct = makeLink("ct", 100);
    auto *line = new QFrame(panel);
    SetBackground(line, QColor(0, 0, 0, 51)); // opacity 0.2
    for (QObject *o : {static_cast<QObject *>(panel), static_cast<QObject *>(image),
                       static_cast<QObject *>(left), static_cast<QObject *>(caption),
                       static_cast<QObject *>(info), static_cast<QObject *>(right)})
        o->installEventFilter(m_rowClicks);

    Panel_TestClass[k] = panel;
    Image_TestClass[k] = image;
    Layout_Left_TestClass[k] = left;
    Label_TestCaption_TestClass[k] = caption;
    Label_info_TestClass[k] = info;
    Layout_Right_TestClass[k] = right;
    Label_sc_TestClass[k] = sc;
    Label_bj_TestClass[k] = bj;
    Label_ct_TestClass[k] = ct;
    Line_TestClass[k] = line;
    auto *rowsLayout = static_cast<QVBoxLayout *>(content->layout());
    rowsLayout->insertWidget(rowsLayout->count() - 1, panel); // before the stretch
    layoutRow(panel);
}

void TForm_windows_main::layoutRow(QWidget *panel)
{
    const auto children = panel->children();
    const int w = panel->width();
    for (QObject *child : children) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget)
            continue;
        const QString name = widget->objectName();
        if (name.startsWith(QLatin1String("Layout_Left_"))) {
            // x 65, filling up to the right part; caption 36 high over the statistics line.
            widget->setGeometry(65, 0, qMax(0, w - 65 - kRightWidth), kRowHeight);
            const auto labels = widget->findChildren<QLabel *>();
            if (labels.size() == 2) {
                labels[0]->setGeometry(0, 4, widget->width(), 36);
                labels[1]->setGeometry(0, 40, widget->width(), 16);
            }
        } else if (name.startsWith(QLatin1String("Layout_Right_"))) {
            widget->setGeometry(w - kRightWidth, 0, kRightWidth, kRowHeight);
        } else if (qobject_cast<QFrame *>(widget) && !qobject_cast<QLabel *>(widget)) {
            widget->setGeometry(0, kRowHeight - 1, w, 1);
        }
    }
}

void TForm_windows_main::BuildChapterRows(const QString &chapterId)
{
    const QList<qsizetype> sections = ChapterSections(UserTestsClassCountArr, chapterId);
    const SlotRange range = ChapterSlotRange(RecordsDataArr, qint32(sections.size()));
    if (TestClassMax < range.end)
        TestClassMax = range.end;
    if (range.end == 0)
        return;
    for (auto *pool : {&Panel_TestClass, &Layout_Left_TestClass, &Layout_Right_TestClass})
        pool->resize(TestClassMax);
    Image_TestClass.resize(TestClassMax);
    for (auto *pool : {&Label_TestCaption_TestClass, &Label_info_TestClass, &Label_ct_TestClass,
                       &Label_sc_TestClass, &Label_bj_TestClass})
        pool->resize(TestClassMax);
    Line_TestClass.resize(TestClassMax);

    // The chapter's tab holds its scroll box; other chapters' rows are not searched.
    QWidget *tab = tbc_zjlx->findChild<QWidget *>(QStringLiteral("tbtm_") + chapterId, Qt::FindDirectChildrenOnly);
    auto *box = tab ? tab->findChild<QScrollArea *>(QStringLiteral("vsb_") + chapterId, Qt::FindDirectChildrenOnly)
                    : nullptr;
    if (!box)
        return;
    QWidget *content = box->widget();
    // One layout pass at the end instead of one per batch of new rows.
    content->layout()->setEnabled(false);
    QElapsedTimer budget;
    budget.start();
    for (qint32 k = range.start; k < range.end; ++k) {
        if (budget.nsecsElapsed() > kEventBudgetNs) {
            QCoreApplication::processEvents();
            budget.restart();
        }
        if (!Panel_TestClass[k])
            createRowSlot(k, content);
        const qsizetype j = sections.value(k - range.start, -1);
        if (j < 0)
            continue;
        const auto &a = UserTestsClassCountArr;
        const int tag = a.testclassid.value(j).toInt();
        for (QWidget *w : {Panel_TestClass[k], Layout_Left_TestClass[k], Layout_Right_TestClass[k],
                           static_cast<QWidget *>(Image_TestClass[k]),
                           static_cast<QWidget *>(Label_TestCaption_TestClass[k]),
                           static_cast<QWidget *>(Label_info_TestClass[k]),
                           static_cast<QWidget *>(Label_ct_TestClass[k]),
                           static_cast<QWidget *>(Label_sc_TestClass[k]),
                           static_cast<QWidget *>(Label_bj_TestClass[k]),
                           static_cast<QWidget *>(Line_TestClass[k])})
            w->setProperty("Tag", tag);
        Label_TestCaption_TestClass[k]->setText(a.caption.value(j));
        Label_info_TestClass[k]->setText(
            StatisticsLine(a.testnum.value(j), a.testedcount.value(j), a.rightcount.value(j)));
        Label_ct_TestClass[k]->setText(QStringLiteral("错题(") +
                                       WrongCount(a.testedcount.value(j), a.rightcount.value(j)) +
                                       QLatin1Char(')'));
        Label_sc_TestClass[k]->setText(QStringLiteral("收藏(") + a.userfavcount.value(j) + QLatin1Char(')'));
        Label_bj_TestClass[k]->setText(QStringLiteral("笔记(") + a.usernotecount.value(j) + QLatin1Char(')'));
        for (QLabel *link : {Label_sc_TestClass[k], Label_bj_TestClass[k], Label_ct_TestClass[k]}) {
            link->adjustSize();
            link->move(kRightWidth - link->property("fromRight").toInt(),
                       (kRowHeight - link->height()) / 2);
        }
    }
    content->layout()->setEnabled(true);
    content->layout()->activate();
    box->show();
}

void TForm_windows_main::RefreshChapterRows(const QString &chapterId)
{
    // A copy: the caller may pass PresentTestClassId, which is cleared below.
    const QString id = chapterId;
    if (id.isEmpty())
        return;
    PresentTestClassId.clear();
    ThreadCClassCountFlg = false;
    GetInterfaceData(ThreadCClassCountFlg, QStringLiteral("RefreshTestClass"));
    if (id == QLatin1String("-1")) {
        for (qsizetype i = 0; i < RecordsDataArr.size(); ++i) {
            if (RecordsDataArr[i].testAppId != TestAppId)
                continue;
            RecordsDataArr[i].isRefresh = true;
            BuildChapterRows(RecordsDataArr[i].id);
        }
        return;
    }
    for (TRecordsDataRec &record : RecordsDataArr)
        if (record.id == id)
            record.isRefresh = true;
    BuildChapterRows(id);
}

void TForm_windows_main::PractiseSection(QObject *sender)
{
    const int id = sender ? sender->property("Tag").toInt() : 0;
    LaunchPracticeByAddress(QString::number(id), QStringLiteral("default"), QStringLiteral("-1"));
}

void TForm_windows_main::PractiseSectionCollection(QLabel *sender)
{
    if (!sender || sender->text().contains(QLatin1String("(0)")))
        return;
    const QString name = sender->objectName();
    const QString mode = name.contains(QLatin1String("_sc_"))   ? QStringLiteral("testclassfav")
                         : name.contains(QLatin1String("_bj_")) ? QStringLiteral("testclassnote")
                                                                : QStringLiteral("testclasserrtest");
    LaunchPracticeByAddress(QString::number(sender->property("Tag").toInt()), mode, QStringLiteral("-1"));
}
