#pragma once

// What the service's pages tell the client: markers in the addresses they
// navigate to, and the credential message of the sign-in page.

#include <QString>
#include <QUrl>

#include <optional>

enum class PageMarker { None, Home, LoginOut, LoginOk, GoTestClass };

// The first marker of "#home", "#loginoutok", "#loginok", "#gotestclass"
// that occurs in the address (plain substring search, in that order).
PageMarker FindMarker(const QString &address);

struct SignInMarker
{
    qint32 userId = -1;
    qint32 appId = -1;
    QString appName; // decoded
};

// The fields after "#loginok#": user id, subject id, URL-encoded subject
// name.  Nothing for fewer than three fields, ids that are not whole
// numbers, or a name that does not decode.
std::optional<SignInMarker> ParseSignInMarker(const QString &address);

struct CredentialMessage
{
    QString userName, passWord, remember;
};

// The sign-in page's dialog text "name\npassword\ntrue|false"; nothing for
// fewer than three lines.
std::optional<CredentialMessage> ParseCredentialMessage(const QString &message);

// A browser's address as the marker rules read it: the URL in its encoded
// form, with "%23" in the fragment read as "#" (addresses the client loads
// itself have their extra "#" encoded).
QString MarkerAddress(const QUrl &url);
