#include "apptree.h"

#include <QHash>
#include <QSet>

namespace {

struct Planner
{
    const TAppListArr &list;
    QHash<QString, QList<qsizetype>> childrenOf;
    QSet<qsizetype> onPath;
    QList<AppTreeNode> plan;

    void AddAppTreeChildren(const QString &parentId, qsizetype parentNode)
    {
        const auto found = childrenOf.constFind(parentId);
        if (found == childrenOf.cend())
            return;
        for (qsizetype row : *found) {
            if (onPath.contains(row))
                continue; // a cycle in the ids
            plan.append({row, parentNode, list.isapp.value(row) == QLatin1String("True")});
            onPath.insert(row);
            AddAppTreeChildren(list.appid.value(row), plan.size() - 1);
            onPath.remove(row);
        }
    }
};

} // namespace

QList<AppTreeNode> PlanAppTree(const TAppListArr &list)
{
    Planner planner{list, {}, {}, {}};
    const qsizetype n = list.appid.size();
    for (qsizetype i = 0; i < n; ++i)
        planner.childrenOf[list.pid.value(i)].append(i);
    planner.plan.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        if (list.isapp.value(i) == QLatin1String("False") && list.pid.value(i) == QLatin1String("1")) {
            planner.plan.append({i, -1, false});
            planner.onPath.insert(i);
            planner.AddAppTreeChildren(list.appid.value(i), planner.plan.size() - 1);
            planner.onPath.remove(i);
        }
    }
    return planner.plan;
}
