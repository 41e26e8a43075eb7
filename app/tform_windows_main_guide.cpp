// The exam guide page: the topic tree and the guide article beside it.

#include "guidetree.h"
#include "tchromium.h"
#include "tform_windows_main.h"
#include "weburls.h"

#include <QTreeWidget>

namespace {
constexpr int kRowHeight = 42;
enum Role { CodeRole = Qt::UserRole, PageRole };
} // namespace

void TForm_windows_main::ShowTestHelpTree()
{
    tv_kszn->hide();
    const GuideTreePlan plan = PlanGuideTree(TestHelpArr.helptreeid);
    if (!TestHelpArr.helptreeid.isEmpty()) {
        tv_kszn->clear();
        QList<QTreeWidgetItem *> items;
        for (const GuideTreeNode &node : plan.nodes) {
            auto *item = new QTreeWidgetItem;
            item->setText(0, TestHelpArr.helptitle.value(node.topic));
            item->setData(0, CodeRole, TestHelpArr.helptreeid.value(node.topic)); // its style name
            item->setData(0, PageRole, node.isPage);
            item->setSizeHint(0, QSize(0, kRowHeight));
            if (node.parent < 0) {
                tv_kszn->addTopLevelItem(item);
            } else {
                items.at(node.parent)->addChild(item);
                items.at(node.parent)->setExpanded(true);
            }
            items.append(item);
        }
        if (plan.firstPage >= 0) {
            tv_kszn->setCurrentItem(items.at(plan.firstPage));
            TestHelpNodeClick(items.at(plan.firstPage));
        }
    }
    tv_kszn->show();
}

void TForm_windows_main::TestHelpNodeClick(QTreeWidgetItem *sender)
{
    const QString code = sender ? sender->data(0, CodeRole).toString() : QString();
    qsizetype i = TestHelpArr.helptreeid.indexOf(code);
    if (i < 0)
        i = 0;
    if (TestHelpArr.testhelpid.isEmpty())
        return;
    const QString address = GuideArticleUrl(TestHelpArr.appid.value(i), TestHelpArr.testhelpid.value(i));
    chrmfmx_Help->loadAddress(QStringLiteral("about:blank"));
    chrmfmx_Help->loadAddress(address);
}
