#pragma once

// Content of the stand-in service's subjects.  Deterministic: the same
// subject always gets the same tree, questions, types and guide.

#include <QList>
#include <QString>

struct SeedNode
{
    qint64 id;
    QString pid;
    int tree;
    QString caption;
};

struct SeedQuestion
{
    qint64 sectionId;
    QString testtype;
    QString title, a3title, btitle;
    QString rightanswer;   // letters, or the answer text of a fill-in question
    QString answercontent; // the right options' texts, joined by "|"
    QString options;       // every option "A.xxx|B.yyy|...", empty for fill-in
    QString analyse;
};

struct SeedType
{
    QString testtype, explain, caption, score;
};

struct SeedHelp
{
    QString helptreeid, helptitle, helpcontent;
};

struct SubjectContent
{
    QList<SeedNode> nodes; // parents before children
    QList<SeedQuestion> questions;
    QList<SeedType> types;
    QList<SeedHelp> help;
};

// `domain` is the caption of the subject's top-level category ("医药卫生",
// "建筑工程", "财会经济"), empty for subjects outside the tree.
SubjectContent MakeSubjectContent(qint32 appid, const QString &caption, const QString &domain);

// Subjects whose content is written by hand.
constexpr qint32 MedicineFlagship = 10218; // 临床执业医师·医学综合笔试
constexpr qint32 AccountingFlagship = 19851; // 初级会计实务
