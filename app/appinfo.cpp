#include "appinfo.h"

#include "inifile.h"

#include <QDir>

#include <cmath>

namespace {

const QString kUserSection = QStringLiteral("User");

} // namespace

RememberTextError::RememberTextError(const QString &text)
    : std::invalid_argument(
          QStringLiteral("'%1' is not a valid boolean value").arg(text).toStdString())
{
}

QString AppInfoPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("AppInfo.ini"));
}

void SaveUserApp(const QString &file, const QString &section, const QString &testAppId,
                 const QString &testNum, const QString &testAppEName, const QString &testAppName)
{
    Ini::writeStrings(file, section,
                      {{QStringLiteral("TestAppId"), testAppId},
                       {QStringLiteral("TestAppName"), testAppName},
                       {QStringLiteral("TestAppEName"), testAppEName},
                       {QStringLiteral("TestNum"), testNum}});
}

UserApp LoadUserApp(const QString &file, const QString &section)
{
    UserApp app;
    bool ok = false;
    const qint32 id =
        Ini::readString(file, section, QStringLiteral("TestAppId"), QString()).toInt(&ok, 10);
    app.testAppId = ok ? id : -1;
    app.testAppName = Ini::readString(file, section, QStringLiteral("TestAppName"), QString());
    app.testAppEName = Ini::readString(file, section, QStringLiteral("TestAppEName"), QString());
    app.testNum = Ini::readString(file, section, QStringLiteral("TestNum"), QStringLiteral("0"));
    return app;
}

bool RememberTextToBool(const QString &text, bool *ok)
{
    *ok = true;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    const double number = text.trimmed().toDouble(ok);
    if (*ok && std::isnan(number))
        *ok = false;
    return *ok && number != 0.0;
}

void SaveLoginInfo(const QString &file, const QString &userName, const QString &passWord,
                   const QString &rememberText)
{
    bool ok = false;
    const bool remember = RememberTextToBool(rememberText, &ok);
    if (!ok)
        throw RememberTextError(rememberText);
    Ini::writeStrings(file, kUserSection,
                      {{QStringLiteral("UserName"), remember ? userName : QString()},
                       {QStringLiteral("PassWord"), remember ? passWord : QString()},
                       {QStringLiteral("isRemembe"), rememberText}});
}

LoginInfo LoadLoginInfo(const QString &file)
{
    LoginInfo info;
    info.userName = Ini::readString(file, kUserSection, QStringLiteral("UserName"), QString());
    info.passWord = Ini::readString(file, kUserSection, QStringLiteral("PassWord"), QString());
    info.isRemembe =
        Ini::readString(file, kUserSection, QStringLiteral("isRemembe"), QStringLiteral("false"));
    return info;
}

void SaveExePath(const QString &file, const QString &exePath)
{
    Ini::writeString(file, QStringLiteral("Path"), QStringLiteral("ExePath"), exePath);
}
