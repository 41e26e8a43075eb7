#pragma once

// The client's settings file AppInfo.ini: the last subject per user, the
// remembered sign-in fields and the executable's path.

#include <QString>

#include <stdexcept>

// A remember text that reads as neither true nor false.
class RememberTextError : public std::invalid_argument
{
public:
    explicit RememberTextError(const QString &text);
};

struct UserApp
{
    qint32 testAppId = -1;
    QString testNum = QStringLiteral("0");
    QString testAppEName;
    QString testAppName;
};

struct LoginInfo
{
    QString userName;
    QString passWord;
    QString isRemembe = QStringLiteral("false");
};

// The settings file's path for a client whose executable lives in `folder`.
QString AppInfoPath(const QString &folder);

void SaveUserApp(const QString &file, const QString &section, const QString &testAppId,
                 const QString &testNum, const QString &testAppEName, const QString &testAppName);
UserApp LoadUserApp(const QString &file, const QString &section);

// Stores name and password only when the remember text reads as true; the
// remember text itself is stored as received.  Throws RememberTextError
// before writing anything when it reads as neither, IniWriteError when the
// file cannot be written.
void SaveLoginInfo(const QString &file, const QString &userName, const QString &passWord,
                   const QString &rememberText);
LoginInfo LoadLoginInfo(const QString &file);

// Section "Path", key "ExePath".
void SaveExePath(const QString &file, const QString &exePath);

// The remember text as a Boolean: "true"/"false" in any letter case, or a
// number (0 is false).  Returns false in *ok for anything else.
bool RememberTextToBool(const QString &text, bool *ok);
