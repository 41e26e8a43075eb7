#pragma once

// Texts of the question cards and the note check.

#include <QString>
#include <QStringList>

// "A3test": case text, " - ", question; "Btest": btitle; others: title.
QString CardTitle(const QString &testtype, const QString &title, const QString &a3title,
                  const QString &btitle);

// "答案：" and the answer: for "TKTEST" the answer text unchanged; for a
// single letter "B.<content>"; for several letters each letter with the
// content piece at the same position, joined by "|".
QString CardAnswer(const QString &testtype, const QString &rightanswer,
                   const QString &answercontent);

QString CardAnalysis(const QString &analyse);
QString CardNote(const QString &note);

// True when the text holds none of the 24 characters a note may not contain.
bool NoSpecialChars(const QString &text);

// Ids joined by "," without blanks or a trailing comma.
QString IdListText(const QStringList &ids);
