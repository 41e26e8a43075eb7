// The subject chooser in the popup: the tree of the built-in catalogue and
// making a subject current.

#include "appconfig.h"
#include "appinfo.h"
#include "apptree.h"
#include "inifile.h"
#include "tform_windows_main.h"
#include "timage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

constexpr int kRowHeight = 42;
// Events are handled whenever building has taken this long, so the window
// stays responsive while some thousand rows are added.
constexpr qint64 kEventBudgetNs = 4'000'000;

enum ItemRole { IsAppRole = Qt::UserRole + 1 };

} // namespace

void TForm_windows_main::MenuItem3Click()
{
    if (UserId == -1) {
        ShowSignInTip();
        return;
    }
    TreeView_pop->setVisible(!TreeView_pop->isVisible());
    TreeView_pop->raise();
    tbc_pop->setCurrentWidget(tbc_pop->findChild<QWidget *>(QStringLiteral("tbtm_AniIndicator")));
    ThreadAppFlg = false;
    if (TreeView_app->topLevelItemCount() == 0) {
        GetInterfaceData(ThreadAppFlg, QStringLiteral("AppList"));
        BuildAppTree();
    }
    tbc_pop->setCurrentWidget(tbc_pop->findChild<QWidget *>(QStringLiteral("tbtm_appList")));
    lbl_pop_title->setText(QStringLiteral("切换科目"));
}

void TForm_windows_main::BuildAppTree()
{
    TreeView_app->clear();
    const QList<AppTreeNode> plan = PlanAppTree(AppListArr);
    QList<QTreeWidgetItem *> items;
    items.reserve(plan.size());
    QElapsedTimer budget;
    budget.start();
    for (const AppTreeNode &node : plan) {
        auto *item = new QTreeWidgetItem;
        item->setText(0, AppListArr.caption.value(node.row));
        item->setData(0, Qt::UserRole, AppListArr.appid.value(node.row).toInt());
        item->setData(0, IsAppRole, node.selectable);
        item->setSizeHint(0, QSize(0, kRowHeight));
        if (node.parent < 0)
            TreeView_app->addTopLevelItem(item);
        else
            items.at(node.parent)->addChild(item);
        items.append(item);
        if (budget.nsecsElapsed() > kEventBudgetNs) {
            QCoreApplication::processEvents();
            budget.restart();
        }
    }
    TreeView_app->collapseAll();
}

void TForm_windows_main::ToggleTreeItem(QTreeWidgetItem *item)
{
    item->setExpanded(!item->isExpanded());
}

void TForm_windows_main::SelectApp(QTreeWidgetItem *item)
{
    TestAppId = item->data(0, Qt::UserRole).toInt();
    const qsizetype row = AppListArr.appid.indexOf(QString::number(TestAppId));
    if (row >= 0) {
        TestAppName = AppListArr.caption.value(row);
        TestAppEName = AppListArr.appname.value(row);
        TestNum = AppListArr.testnum.value(row);
    }
    Layout_homeClick(navIcon(QStringLiteral("home")));
    try {
        SaveUserApp(appInfoFile(), QString::number(UserId), QString::number(TestAppId), TestNum,
                    TestAppEName, TestAppName);
    } catch (const IniWriteError &) {
        // Not remembered for the next sign-in; the subject is chosen all the same.
    }
    TreeView_pop->hide();
    isNowUser = false;
    ShowStatusLine(TestNum);
    Label_title->setText(AppConfig::ProductName + QLatin1Char('-') + TestAppName);
    forgetSubjectPages();
}

void TForm_windows_main::forgetSubjectPages()
{
    tv_kszn->clear();
    TestHelpArr = TTestHelpArr();
    tv_zjlx->clear();
    TestClassArr = TTestClassArr();
    lyt_mnkc->hide();
    TestTypeArr = TTestTypeArr();
    if (auto *box = qobject_cast<QCheckBox *>(checkAll))
        box->setChecked(false);
}
