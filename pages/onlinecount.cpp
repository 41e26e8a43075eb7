#include "onlinecount.h"

#include <cmath>

QString FormatOnlineCount(const QString &count)
{
    bool ok = false;
    double value = count.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        value = 0;
    // "#,0": a whole number (halves away from zero) in groups of three.
    const QString digits = QString::number(std::round(std::fabs(value)), 'f', 0);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits.at(i);
    }
    if (value < 0 && std::round(std::fabs(value)) != 0)
        grouped.prepend(QLatin1Char('-'));
    while (grouped.size() < 7)
        grouped.prepend(QLatin1Char('0'));

    QString display(grouped.at(0));
    for (qsizetype i = 1; i < grouped.size(); ++i) {
        const QChar ch = grouped.at(i);
        if (ch != QLatin1Char(',') && grouped.at(i - 1) != QLatin1Char(','))
            display += QLatin1Char(' ');
        display += ch;
    }
    display.replace(QLatin1Char(','), QChar(0x3000));
    return display;
}
