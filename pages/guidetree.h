#pragma once

// The exam guide's topic tree planned from the topics' position codes
// (3 characters per level, parents first).

#include "data_structure.h"

#include <QList>

struct GuideTreeNode
{
    qsizetype topic;  // position in TTestHelpArr
    qsizetype parent; // position in the plan of the parent node; -1 for a top-level node
    bool isPage;      // a page node opens its guide page; top-level nodes fold
};

struct GuideTreePlan
{
    QList<GuideTreeNode> nodes;
    qsizetype firstPage = -1; // plan position of the page opened at once, -1 for none
    int leafLength = 0;
};

// The leaf length is the length of the last code that is longer than the
// code before it.  Codes of length 3 are top-level nodes; a code one level
// below the current parent that is not of leaf length becomes a page node
// and the parent of what follows; a code of leaf length is a page node
// under the current parent; any other topic is not shown, nor is a topic
// that comes before the first top-level topic.
GuideTreePlan PlanGuideTree(const QStringList &helptreeid);
