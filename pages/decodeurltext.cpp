#include "decodeurltext.h"

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

QString DecodeURLText(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('+')) {
            bytes += ' ';
        } else if (c == QLatin1Char('%')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('%')) {
                bytes += '%';
                ++i;
                continue;
            }
            if (i + 2 >= text.size())
                throw DecodeError("a % needs two hexadecimal digits");
            const int high = hexValue(text.at(i + 1));
            const int low = hexValue(text.at(i + 2));
            if (high < 0 || low < 0)
                throw DecodeError("a % needs two hexadecimal digits");
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            // A run of ordinary characters, surrogate pairs kept together.
            qsizetype end = i;
            while (end < text.size() && text.at(end) != QLatin1Char('%') &&
                   text.at(end) != QLatin1Char('+'))
                ++end;
            bytes += QStringView(text).mid(i, end - i).toUtf8();
            i = end - 1;
        }
    }
    return QString::fromUtf8(bytes);
}
