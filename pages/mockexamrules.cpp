#include "mockexamrules.h"

namespace {
constexpr char16_t kBackspace = 8;

bool isDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}
} // namespace

bool IsValidScoreText(const QString &text)
{
    const bool hasDot = text.contains(QLatin1Char('.'));
    if ((hasDot && text.size() > 3) || (!hasDot && text.size() > 1))
        return false;
    for (const QChar ch : text)
        if (ch != QLatin1Char('.') && !isDigit(ch))
            return false;
    if (text.count(QLatin1Char('.')) >= 2)
        return false;
    if (text.startsWith(QLatin1Char('.')))
        return false;
    const QString whole = text.section(QLatin1Char('.'), 0, 0);
    return whole.count(QLatin1Char('0')) <= 1;
}

bool NumberKeyAllowed(const QString &text, QChar ch)
{
    if (ch.unicode() != kBackspace && !isDigit(ch))
        return false;
    return !(text == QLatin1String("0") && ch == QLatin1Char('0'));
}

bool ScoreKeyAllowed(const QString &text, QChar ch)
{
    if (ch.unicode() == kBackspace)
        return true;
    if (ch != QLatin1Char('.') && !isDigit(ch))
        return false;
    return IsValidScoreText(text + ch);
}

QString NumberAfterKeyUp(const QString &text)
{
    if (text.size() > 1 && text.startsWith(QLatin1Char('0')))
        return text.mid(1, 1);
    return text;
}

QString NumberOnExit(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

QString ScoreOnExit(const QString &text)
{
    QString out = (text.isEmpty() || text == QLatin1String("0")) ? QStringLiteral("1") : text;
    if (out.endsWith(QLatin1Char('.')))
        out += QLatin1Char('0');
    return out;
}

MockExamLists BuildMockExamLists(const TTestClassArr &classes, const QStringList &tickedChapters,
                                 const QList<MockExamType> &types)
{
    QStringList sections;
    for (const QString &chapter : tickedChapters)
        for (qsizetype i = 0; i < classes.pid.size(); ++i)
            if (classes.pid.at(i) == chapter)
                sections.append(classes.testclassid.value(i));
    QStringList ids, nums, scores;
    for (const MockExamType &t : types) {
        if (t.number.isEmpty() || t.number == QLatin1String("0"))
            continue;
        ids.append(t.testtypeid);
        nums.append(t.number);
        scores.append(t.score);
    }
    const QChar comma(QLatin1Char(','));
    return {sections.join(comma), ids.join(comma), nums.join(comma), scores.join(comma)};
}
