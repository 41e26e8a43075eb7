// The user-interface side of page requests: start, wait, install, display.

#include "catalogue.h"
#include "onlinecount.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"
#include "timage.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QTreeWidget>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>

namespace {

struct EmptyLabel
{
    const char *page;
    const char *name;
    const char *text;
};

const EmptyLabel kEmptyLabels[] = {
    {"tbtm_zjlx", "lbl_zjlx_zwnr", "暂无章节练习"}, {"tbtm_kszn", "lbl_kszn_zwnr", "暂无考试指南"},
    {"tbtm_mnkc", "lbl_mnkc_zwnr", "暂无试题"},     {"tbtm_wdbj", "lbl_wdbj_zwnr", "暂无我的笔记"},
    {"tbtm_wdsc", "lbl_wdsc_zwnr", "暂无我的收藏"}, {"tbtm_ctcz", "lbl_ctcz_zwnr", "暂无错题重做"},
    {"tbtm_stcz", "lbl_stcz_zwnr", "暂无试题信息"},
};

} // namespace

void TForm_windows_main::buildEmptyLabels()
{
    QLabel **targets[] = {&lbl_zjlx_zwnr, &lbl_kszn_zwnr, &lbl_mnkc_zwnr, &lbl_wdbj_zwnr,
                          &lbl_wdsc_zwnr, &lbl_ctcz_zwnr, &lbl_stcz_zwnr};
    for (int i = 0; i < 7; ++i) {
        const EmptyLabel &e = kEmptyLabels[i];
        QWidget *page = tbc_Client->findChild<QWidget *>(QLatin1String(e.page));
        auto *label = new QLabel(QString::fromUtf8(e.text), page);
        label->setObjectName(QLatin1String(e.name));
        QFont font(QStringLiteral("微软雅黑"));
        font.setPixelSize(42);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: #A9A9A9;"));
        label->setAlignment(Qt::AlignCenter);
        label->hide();
        *targets[i] = label;
    }
    QWidget *mnkc = tbc_Client->findChild<QWidget *>(QStringLiteral("tbtm_mnkc"));
    TreeView4 = new QWidget(mnkc);
    TreeView4->setObjectName(QStringLiteral("TreeView4"));
    TreeView4->hide();
    QWidget *home = tbc_Client->findChild<QWidget *>(QStringLiteral("tbtm_home"));
    // The banner with the online count, and the lower picture with the
    // start-practice button at its right.
    Layout1 = new QWidget(home);
    Layout1->setObjectName(QStringLiteral("Layout1"));
    Image1 = new TImage(Layout1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(QStringLiteral(":/images/home_banner.svg"));
    Layout3 = new QWidget(home);
    Layout3->setObjectName(QStringLiteral("Layout3"));
    Image3 = new TImage(Layout3);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPicture(QStringLiteral(":/images/home_lower.svg"));
    Layout9 = new QWidget(Image3);
    Layout9->setObjectName(QStringLiteral("Layout9"));
    lbl_OnlineCount = new QLabel(QStringLiteral("0 1 8\u30002 3 4 "), Image1);
    lbl_OnlineCount->setObjectName(QStringLiteral("lbl_OnlineCount"));
    QFont countFont(QStringLiteral("黑体"));
    countFont.setPixelSize(49);
    countFont.setBold(true);
    lbl_OnlineCount->setFont(countFont);
    lbl_OnlineCount->setGeometry(111, 40, 370, 47);
    lbl_OnlineCount->setStyleSheet(QStringLiteral("color: white;"));
    // Pages whose content comes with their own builders; the navigation
    // already asks whether they are built.
    lyt_mnkc = new QWidget(mnkc);
    lyt_mnkc->setObjectName(QStringLiteral("lyt_mnkc"));
    lyt_mnkc->hide();
    checkAll = new QCheckBox(QStringLiteral("全选"), lyt_mnkc);
    checkAll->setObjectName(QStringLiteral("checkAll"));
    QWidget *chapters = tbc_Client->findChild<QWidget *>(QStringLiteral("tbtm_zjlx"));
    tv_zjlx = new QTreeWidget(chapters);
    tv_zjlx->setObjectName(QStringLiteral("tv_zjlx"));
    tv_zjlx->setHeaderHidden(true);
    tv_zjlx->setGeometry(0, 0, 256, 560);
    QWidget *guide = tbc_Client->findChild<QWidget *>(QStringLiteral("tbtm_kszn"));
    tv_kszn = new QTreeWidget(guide);
    tv_kszn->setObjectName(QStringLiteral("tv_kszn"));
    tv_kszn->setHeaderHidden(true);
    tv_kszn->setGeometry(0, 0, 256, 560);
    tv_kszn->setExpandsOnDoubleClick(false);
    tv_kszn->setStyleSheet(QStringLiteral("QTreeWidget { border: none; border-right: 1px solid #DBE6F1;"
                                          " font-size: 15px; background: white; }"));
    connect(tv_kszn, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (item->data(0, Qt::UserRole + 1).toBool())
            TestHelpNodeClick(item);
        else
            ToggleTreeItem(item);
    });
    Image_kscy = new TImage(Layout9);
    Image_kscy->setObjectName(QStringLiteral("Image_kscy"));
    Image_kscy->setPicture(QStringLiteral(":/images/start_practice.svg"));
    Image_kscy->resize(191, 73);
    Image_kscy->setCursor(Qt::PointingHandCursor);
    connect(Image_kscy, &TImage::clicked, this, &TForm_windows_main::Image_kscyClick);
}

void TForm_windows_main::GetInterfaceData(bool &flag, const QString &FunctionName,
                                          const QString &DeleteId)
{
    RequestInput input;
    input.FunctionName = FunctionName;
    input.DeleteId = DeleteId;
    input.initialFlag = flag;
    input.appid = TestAppId;
    input.userid = UserId;
    input.findKey = Edit1 ? Edit1->text() : QString();
    if (FunctionName == QLatin1String("AppList")) {
        if (Memo_AppList.isEmpty())
            Memo_AppList = EmbeddedAppListText();
        input.appListText = Memo_AppList;
    }
    input.currentCounts = UserTestsClassCountArr;

    if (!m_module)
        m_module = std::make_shared<TClientModule1>();
    const auto state = StartRequest(m_module, input, m_timing);

    // The worker wakes this loop when it ends; closing the window ends the
    // wait as well.  Events (clicks, repaints, timers, nested requests) are
    // handled meanwhile.
    QEventLoop wait;
    state->setNotify([&wait] {
        QMetaObject::invokeMethod(&wait, &QEventLoop::quit, Qt::QueuedConnection);
    });
    const auto connection = connect(this, &TForm_windows_main::closeRequested, &wait,
                                    &QEventLoop::quit);
    while (!state->ThreadDataFlg.load(std::memory_order_acquire) && !state->workerEnded() &&
           !isClose)
        wait.exec();
    state->setNotify(nullptr);
    disconnect(connection);

    RequestOutput output = state->output();
    const bool completed = state->ThreadDataFlg.load(std::memory_order_acquire);
    const bool isDelete = completed && output.isDelete;
    installRecords(FunctionName, std::move(output));
    runDisplayStep(FunctionName);
    flag = isDelete;
}

void TForm_windows_main::installRecords(const QString &name, RequestOutput output)
{
    if (output.appList)
        AppListArr = std::move(*output.appList);
    if (output.testClass)
        TestClassArr = std::move(*output.testClass);
    if (output.classCount)
        UserTestsClassCountArr = std::move(*output.classCount);
    if (output.testHelp)
        TestHelpArr = std::move(*output.testHelp);
    if (output.testType)
        TestTypeArr = std::move(*output.testType);
    if (output.userInfo) {
        if (name == QLatin1String("wdbj"))
            UserNoteArr = std::move(*output.userInfo);
        else if (name == QLatin1String("wdsc"))
            UserFavArr = std::move(*output.userInfo);
        else if (name == QLatin1String("ctcz"))
            UserErrorArr = std::move(*output.userInfo);
        else if (name == QLatin1String("stcz"))
            FindTestArr = std::move(*output.userInfo);
    }
    if (name == QLatin1String("home"))
        m_onlineCount = output.OnlineCount;
}

void TForm_windows_main::runDisplayStep(const QString &name)
{
    const QString &empty = NoDataMsg();
    if (name == QLatin1String("RefreshTestClass") || name == QLatin1String("zjlx")) {
        if (UserTestsClassCountArr.msg == empty)
            lbl_zjlx_zwnr->show();
    } else if (name == QLatin1String("home")) {
        lbl_OnlineCount->setText(FormatOnlineCount(m_onlineCount));
    } else if (name == QLatin1String("kszn")) {
        if (TestHelpArr.msg == empty)
            lbl_kszn_zwnr->show();
    } else if (name == QLatin1String("mnkc")) {
        if (TestClassArr.msg == empty) {
            lbl_mnkc_zwnr->show();
            TreeView4->hide();
        } else {
            TreeView4->show();
        }
    } else if (name == QLatin1String("wdbj")) {
        if (UserNoteArr.msg == empty)
            lbl_wdbj_zwnr->show();
    } else if (name == QLatin1String("wdsc")) {
        if (UserFavArr.msg == empty)
            lbl_wdsc_zwnr->show();
    } else if (name == QLatin1String("ctcz")) {
        if (UserErrorArr.msg == empty)
            lbl_ctcz_zwnr->show();
    } else if (name == QLatin1String("stcz")) {
        if (FindTestArr.msg == empty)
            lbl_stcz_zwnr->show();
    }
}
