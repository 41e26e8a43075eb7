#pragma once

// Rules of the chapter practice page: the statistics line, the chapter tree
// and the slot ranges of the shared row pool.

#include "data_structure.h"

#include <QList>
#include <QString>

// The rate of right answers in percent: right / tested computed in binary
// floating point with a 64-bit mantissa (quotient first, each step rounded
// to nearest), times 100, truncated.  53 of 100 gives 52.  0 when nothing
// was answered.
int CorrectRate(qint64 tested, qint64 right);

// "共t题(已答a题，未答(t-a)题，做对r题  正确率p%)".
QString StatisticsLine(const QString &testnum, const QString &testedcount,
                       const QString &rightcount);
// testedcount - rightcount.
QString WrongCount(const QString &testedcount, const QString &rightcount);

struct ChapterTreeNode
{
    qsizetype row;
    qsizetype parent; // plan position of the part, -1 for a part
    bool isPart;
};

struct ChapterTreePlan
{
    QList<ChapterTreeNode> nodes;
    qsizetype firstChapter = -1; // plan position
    QString chapterLevel;        // empty when the levels never deepen
};

// Parts are rows with tree "1" and a pid shorter than 4 characters;
// chapters are rows of the chapter level (the last level deeper than the
// row before it, minus one) under the current part.
ChapterTreePlan PlanChapterTree(const TUserTestsClassCountArr &rows);

// The sections of a chapter: rows whose pid is the chapter id, in order.
QList<qsizetype> ChapterSections(const TUserTestsClassCountArr &rows, const QString &chapterId);

struct SlotRange
{
    qint32 start = 0;
    qint32 end = 0;
};

// The slots a chapter's n sections occupy.  Without a record marked for
// rebuilding the last record takes n slots after all others; otherwise the
// first marked record keeps its range and loses its mark.
SlotRange ChapterSlotRange(TRecordsDataArr &records, qint32 n);
int EmulatedCorrectRate(qint64 tested, qint64 right);
