#include "cardrules.h"

QString CardTitle(const QString &testtype, const QString &title, const QString &a3title,
                  const QString &btitle)
{
    if (testtype == QLatin1String("A3test"))
        return a3title + QStringLiteral(" - ") + title;
    if (testtype == QLatin1String("Btest"))
        return btitle;
    return title;
}

QString CardAnswer(const QString &testtype, const QString &rightanswer,
                   const QString &answercontent)
{
    const QString prefix = QStringLiteral("答案：");
    if (testtype == QLatin1String("TKTEST"))
        return prefix + rightanswer;
    if (rightanswer.size() <= 1)
        return prefix + rightanswer + QLatin1Char('.') + answercontent;
    const QStringList pieces = answercontent.split(QLatin1Char('|'));
    QStringList groups;
    for (qsizetype i = 0; i < rightanswer.size(); ++i)
        groups.append(rightanswer.at(i) + QLatin1Char('.') + pieces.value(i));
    return prefix + groups.join(QLatin1Char('|'));
}

QString CardAnalysis(const QString &analyse)
{
    return QStringLiteral("解析：") + analyse;
}

QString CardNote(const QString &note)
{
    return QStringLiteral("笔记：") + note;
}

bool NoSpecialChars(const QString &text)
{
    static const QString forbidden = QStringLiteral("~!@#$%^+*&/\\?|:{}()';=\"`");
    for (const QChar ch : text)
        if (forbidden.contains(ch))
            return false;
    return true;
}

QString IdListText(const QStringList &ids)
{
    return ids.join(QLatin1Char(','));
}
