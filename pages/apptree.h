#pragma once

// The subject tree planned from the subject list: which rows are shown and
// under which parent, in the order they are added.

#include "data_structure.h"

#include <QList>

struct AppTreeNode
{
    qsizetype row;    // row of the subject list
    qsizetype parent; // position in the plan of the parent node; -1 for a top-level category
    bool selectable;  // a subject ("True"); categories only group
};

// Top-level categories (isapp "False", pid "1") in list order, each followed
// depth first by the rows whose pid names it, children in list order.  One
// pass over an index of the rows by parent id; rows under ids that are not
// reachable never appear, and a row is never added below itself.
QList<AppTreeNode> PlanAppTree(const TAppListArr &list);
