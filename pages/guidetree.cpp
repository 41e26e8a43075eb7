#include "guidetree.h"

GuideTreePlan PlanGuideTree(const QStringList &codes)
{
    GuideTreePlan plan;
    const qsizetype n = codes.size();
    for (qsizetype i = 1; i < n; ++i)
        if (codes[i].size() > codes[i - 1].size())
            plan.leafLength = int(codes[i].size());

    QString parentCode;
    qsizetype parentNode = -1;
    auto addPage = [&](qsizetype topic) {
        plan.nodes.append({topic, parentNode, true});
        if (plan.firstPage < 0)
            plan.firstPage = plan.nodes.size() - 1;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QString &c = codes[i];
        if (c.size() == 3) {
            plan.nodes.append({i, -1, false});
            parentCode = c;
            parentNode = plan.nodes.size() - 1;
        } else if (parentNode < 0) {
            continue; // nothing to hang it under
        } else if (c.startsWith(parentCode) && c != parentCode &&
                   c.size() == parentCode.size() + 3 && c.size() != plan.leafLength) {
            addPage(i);
            parentCode = c;
            parentNode = plan.nodes.size() - 1;
        } else if (c.size() == plan.leafLength) {
            addPage(i);
        }
    }
    return plan;
}
