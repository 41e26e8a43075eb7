#include "pageevents.h"

#include "decodeurltext.h"

#include <QStringList>

PageMarker FindMarker(const QString &address)
{
    if (address.contains(QLatin1String("#home")))
        return PageMarker::Home;
    if (address.contains(QLatin1String("#loginoutok")))
        return PageMarker::LoginOut;
    if (address.contains(QLatin1String("#loginok")))
        return PageMarker::LoginOk;
    if (address.contains(QLatin1String("#gotestclass")))
        return PageMarker::GoTestClass;
    return PageMarker::None;
}

std::optional<SignInMarker> ParseSignInMarker(const QString &address)
{
    const qsizetype at = address.indexOf(QLatin1String("#loginok"));
    if (at < 0)
        return std::nullopt;
    const QStringList fields = address.mid(at + 9).split(QLatin1Char('#'));
    if (fields.size() < 3)
        return std::nullopt;
    SignInMarker marker;
    bool userOk = false;
    bool appOk = false;
    marker.userId = fields[0].toInt(&userOk, 10);
    marker.appId = fields[1].toInt(&appOk, 10);
    if (!userOk || !appOk || marker.userId < 0)
        return std::nullopt;
    try {
        marker.appName = DecodeURLText(fields[2]);
    } catch (const DecodeError &) {
        return std::nullopt;
    }
    return marker;
}

std::optional<CredentialMessage> ParseCredentialMessage(const QString &message)
{
    const QStringList lines = message.split(QLatin1Char('\n'));
    if (lines.size() < 3)
        return std::nullopt;
    return CredentialMessage{lines[0], lines[1], lines[2]};
}

QString MarkerAddress(const QUrl &url)
{
    QString address = url.toString(QUrl::FullyEncoded);
    const qsizetype hash = address.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        address = address.left(hash) + address.mid(hash).replace(QLatin1String("%23"), QLatin1String("#"));
    return address;
}
