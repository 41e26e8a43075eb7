#include "chapterrules.h"

#include <cfloat>

namespace {

// A 128-bit unsigned integer (a compiler extension; enough for a 64-bit
// mantissa times 100).
__extension__ typedef unsigned __int128 u128;

// a / b rounded to nearest (ties to even) into a 64-bit mantissa; returns
// the mantissa and sets exp so that value = mantissa * 2^exp.
u128 roundShift(u128 value, int shift)
{
    if (shift <= 0)
        return value << -shift;
    const u128 half = u128(1) << (shift - 1);
    const u128 rest = value & ((u128(1) << shift) - 1);
    u128 out = value >> shift;
    if (rest > half || (rest == half && (out & 1)))
        ++out;
    return out;
}

int bitLength(u128 v)
{
    int n = 0;
    while (v) {
        v >>= 1;
        ++n;
    }
    return n;
}

// The same computation in integers, for machines whose long double is not
// the 80-bit format.
int emulatedRate(qint64 tested, qint64 right)
{
    if (right <= 0)
        return 0;
    // Quotient: mantissa m with 64 significant bits, value = m * 2^-k.
    int k = 64 - bitLength(u128(right)) + bitLength(u128(tested)) + 1;
    u128 scaled = (u128(right) << k);
    u128 m = scaled / u128(tested);
    u128 remainder = scaled % u128(tested);
    // Keep exactly 64 bits, rounding with the remainder as sticky bits.
    int extra = bitLength(m) - 64;
    if (extra > 0) {
        const bool sticky = remainder != 0;
        const u128 low = m & ((u128(1) << extra) - 1);
        const u128 half = u128(1) << (extra - 1);
        m >>= extra;
        k -= extra;
        if (low > half || (low == half && (sticky || (m & 1))))
            ++m;
    } else {
        // Exact enough: round on the remainder.
        const u128 twice = remainder * 2;
        if (twice > u128(tested) ||
            (twice == u128(tested) && (m & 1)))
            ++m;
    }
    // Times 100, rounded to 64 bits again.
    u128 product = m * 100;
    const int over = bitLength(product) - 64;
    if (over > 0) {
        product = roundShift(product, over);
        k -= over;
    }
    return static_cast<int>(k >= 0 ? product >> k : product << -k);
}

int toInt(const QString &text)
{
    return text.toInt();
}

} // namespace

int CorrectRate(qint64 tested, qint64 right)
{
    if (tested <= 0)
        return 0;
#if LDBL_MANT_DIG == 64
    const long double quotient = static_cast<long double>(right) / static_cast<long double>(tested);
    const long double percent = quotient * 100.0L;
    return static_cast<int>(percent);
#else
    return emulatedRate(tested, right);
#endif
}

// Kept callable on every platform so that tests can compare both paths.
int EmulatedCorrectRate(qint64 tested, qint64 right)
{
    return tested <= 0 ? 0 : emulatedRate(tested, right);
}

QString StatisticsLine(const QString &testnum, const QString &testedcount,
                       const QString &rightcount)
{
    const int t = toInt(testnum);
    const int a = toInt(testedcount);
    const int r = toInt(rightcount);
    const int p = testedcount == QLatin1String("0") ? 0 : CorrectRate(a, r);
    return QStringLiteral("共%1题(已答%2题，未答%3题，做对%4题  正确率%5%)")
        .arg(t).arg(a).arg(t - a).arg(r).arg(p);
}

QString WrongCount(const QString &testedcount, const QString &rightcount)
{
    return QString::number(toInt(testedcount) - toInt(rightcount));
}

ChapterTreePlan PlanChapterTree(const TUserTestsClassCountArr &rows)
{
    ChapterTreePlan plan;
    const qsizetype n = rows.testclassid.size();
    QString sectionLevel;
    for (qsizetype i = 1; i < n; ++i)
        if (rows.tree.value(i).toInt() > rows.tree.value(i - 1).toInt())
            sectionLevel = rows.tree.value(i);
    if (sectionLevel.isEmpty())
        return plan;
    plan.chapterLevel = QString::number(sectionLevel.toInt() - 1);
    qsizetype part = -1;
    for (qsizetype i = 0; i < n; ++i) {
        const QString &tree = rows.tree.value(i);
        const QString &pid = rows.pid.value(i);
        if (tree == QLatin1String("1") && pid.size() < 4) {
            plan.nodes.append({i, -1, true});
            part = plan.nodes.size() - 1;
        } else if (part >= 0 && tree == plan.chapterLevel &&
                   pid == rows.testclassid.value(plan.nodes.at(part).row)) {
            plan.nodes.append({i, part, false});
            if (plan.firstChapter < 0)
                plan.firstChapter = plan.nodes.size() - 1;
        }
    }
    return plan;
}

QList<qsizetype> ChapterSections(const TUserTestsClassCountArr &rows, const QString &chapterId)
{
    QList<qsizetype> sections;
    for (qsizetype i = 0; i < rows.pid.size(); ++i)
        if (rows.pid.at(i) == chapterId)
            sections.append(i);
    return sections;
}

SlotRange ChapterSlotRange(TRecordsDataArr &records, qint32 n)
{
    SlotRange range;
    qsizetype marked = -1;
    for (qsizetype i = 0; i < records.size(); ++i)
        if (records[i].isRefresh) {
            marked = i;
            break;
        }
    if (marked < 0) {
        if (records.isEmpty())
            return range;
        records.last().testClassCount = n;
        for (qsizetype i = 0; i + 1 < records.size(); ++i)
            range.start += records[i].testClassCount;
        range.end = range.start + n;
        return range;
    }
    for (qsizetype i = 0; i < marked; ++i)
        range.start += records[i].testClassCount;
    range.end = range.start + records[marked].testClassCount;
    records[marked].isRefresh = false;
    return range;
}
