#pragma once

// Rules of the mock exam setup: what the number and score edits accept, and
// the four lists the start button sends.

#include "data_structure.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// A score as typed at the end: one digit, optionally "." and one more digit.
bool IsValidScoreText(const QString &text);

// Whether a typed character may go into the edit (backspace is 0x08).
bool NumberKeyAllowed(const QString &text, QChar ch);
bool ScoreKeyAllowed(const QString &text, QChar ch);
// "05" becomes "5" after the key is released.
QString NumberAfterKeyUp(const QString &text);
// Leaving the edits: an empty number becomes "0"; an empty score or "0"
// becomes "1", and a score ending in "." gets a "0".
QString NumberOnExit(const QString &text);
QString ScoreOnExit(const QString &text);

struct MockExamType
{
    QString testtypeid, number, score;
};

struct MockExamLists
{
    QString testclassid, testtypeids, testnums, scores;
};

// The sections of the ticked chapters (rows whose pid is a ticked chapter's
// id, in list order) and the types whose number is neither empty nor "0".
MockExamLists BuildMockExamLists(const TTestClassArr &classes, const QStringList &tickedChapters,
                                 const QList<MockExamType> &types);
