#include "tservermethods1client.h"

namespace {

const QString kClass = QStringLiteral("TServerMethods1");

} // namespace

TServerMethods1Client::TServerMethods1Client(std::shared_ptr<DSSession> connection,
                                             bool instanceOwner)
    : m_connection(std::move(connection)), m_instanceOwner(instanceOwner)
{
    if (!m_connection)
        throw DataSnapError(QStringLiteral("the connection is not open"));
}

TServerMethods1Client::~TServerMethods1Client() = default;

int TServerMethods1Client::preparedCommands() const
{
    std::lock_guard lock(m_mutex);
    int count = 0;
    for (const auto *command :
         {&FupdateUpLoadFileCommand, &FGetAppListCommand, &FGetTestsClassCommand,
          &FGetTestsHelpCommand, &FGetTestsTypeCommand, &FGetUserTestLogCommand,
          &FGetUserNoteCommand, &FDeleteUserNoteCommand, &FUpdateUserNoteCommand,
          &FGetUserErrorTestCommand, &FDeleteUserErrorCommand, &FGetUserFavCommand,
          &FDeleteUserFavCommand, &FGetUserTestsClassCountCommand, &FFindTestsCommand,
          &FGetOnlineCountCommand, &FGetUpdateCommand, &FGetUserTestsCountCommand})
        if (*command)
            count += (*command)->prepareCount;
    return count;
}

QJsonValue TServerMethods1Client::execute(std::unique_ptr<TDSServerCommand> &command,
                                          const char *identifier, const QJsonArray &params)
{
    if (!command) {
        command = std::make_unique<TDSServerCommand>();
        command->CommandType = QStringLiteral("DataSnap.ServerMethod");
        command->Text = QLatin1String(identifier);
        command->Prepare();
    }
    // The method name is the identifier after "TServerMethods1.".
    const QString method = command->Text.mid(kClass.size() + 1);
    return m_connection->call(kClass, method, params);
}

template <class T>
std::shared_ptr<T> TServerMethods1Client::executeObject(std::unique_ptr<TDSServerCommand> &command,
                                                        const char *identifier,
                                                        const QJsonArray &params)
{
    std::lock_guard lock(m_mutex);
    const QJsonValue value = execute(command, identifier, params);
    // Executing the command again releases what it owned before.
    command->ownedResult.reset();
    if (value.isNull() || value.isUndefined())
        return nullptr;
    std::shared_ptr<T> object(ExpectObject<T>(JsonValueToObject(value)));
    if (m_instanceOwner)
        command->ownedResult = object;
    return object;
}

bool TServerMethods1Client::executeBoolean(std::unique_ptr<TDSServerCommand> &command,
                                           const char *identifier, const QJsonArray &params)
{
    std::lock_guard lock(m_mutex);
    const QJsonValue value = execute(command, identifier, params);
    if (!value.isBool())
        throw DataSnapError(QStringLiteral("%1 did not answer a Boolean")
                                .arg(QLatin1String(identifier)));
    return value.toBool();
}

QString TServerMethods1Client::executeText(std::unique_ptr<TDSServerCommand> &command,
                                           const char *identifier, const QJsonArray &params)
{
    std::lock_guard lock(m_mutex);
    const QJsonValue value = execute(command, identifier, params);
    if (value.isString())
        return value.toString();
    if (value.isNull())
        return {};
    throw DataSnapError(QStringLiteral("%1 did not answer a text").arg(QLatin1String(identifier)));
}

QString TServerMethods1Client::updateUpLoadFile(const QString &kzm, const QJsonArray &nr)
{
    return executeText(FupdateUpLoadFileCommand, "TServerMethods1.updateUpLoadFile", {kzm, nr});
}

std::shared_ptr<TAppListObject> TServerMethods1Client::GetAppList()
{
    return executeObject<TAppListObject>(FGetAppListCommand, "TServerMethods1.GetAppList", {});
}

std::shared_ptr<TTestClassObject> TServerMethods1Client::GetTestsClass(qint32 appid)
{
    return executeObject<TTestClassObject>(FGetTestsClassCommand, "TServerMethods1.GetTestsClass",
                                           {appid});
}

std::shared_ptr<TTestHelpObject> TServerMethods1Client::GetTestsHelp(qint32 appid)
{
    return executeObject<TTestHelpObject>(FGetTestsHelpCommand, "TServerMethods1.GetTestsHelp",
                                          {appid});
}

std::shared_ptr<TTestTypeObject> TServerMethods1Client::GetTestsType(qint32 appid)
{
    return executeObject<TTestTypeObject>(FGetTestsTypeCommand, "TServerMethods1.GetTestsType",
                                          {appid});
}

std::shared_ptr<TUserTestLogObject> TServerMethods1Client::GetUserTestLog(qint32 appid,
                                                                          qint32 userid)
{
    return executeObject<TUserTestLogObject>(FGetUserTestLogCommand,
                                             "TServerMethods1.GetUserTestLog", {appid, userid});
}

std::shared_ptr<TUserInfoObject> TServerMethods1Client::GetUserNote(qint32 appid, qint32 userid)
{
    return executeObject<TUserInfoObject>(FGetUserNoteCommand, "TServerMethods1.GetUserNote",
                                          {appid, userid});
}

bool TServerMethods1Client::DeleteUserNote(const QString &usernoteid)
{
    return executeBoolean(FDeleteUserNoteCommand, "TServerMethods1.DeleteUserNote", {usernoteid});
}

bool TServerMethods1Client::UpdateUserNote(const QString &usernoteid, const QString &note)
{
    return executeBoolean(FUpdateUserNoteCommand, "TServerMethods1.UpdateUserNote",
                          {usernoteid, note});
}

std::shared_ptr<TUserInfoObject> TServerMethods1Client::GetUserErrorTest(qint32 appid,
                                                                         qint32 userid)
{
    return executeObject<TUserInfoObject>(FGetUserErrorTestCommand,
                                          "TServerMethods1.GetUserErrorTest", {appid, userid});
}

bool TServerMethods1Client::DeleteUserError(const QString &UserTestLogid)
{
    return executeBoolean(FDeleteUserErrorCommand, "TServerMethods1.DeleteUserError",
                          {UserTestLogid});
}

std::shared_ptr<TUserInfoObject> TServerMethods1Client::GetUserFav(qint32 appid, qint32 userid)
{
    return executeObject<TUserInfoObject>(FGetUserFavCommand, "TServerMethods1.GetUserFav",
                                          {appid, userid});
}

bool TServerMethods1Client::DeleteUserFav(const QString &userfavid)
{
    return executeBoolean(FDeleteUserFavCommand, "TServerMethods1.DeleteUserFav", {userfavid});
}

std::shared_ptr<TUserTestsClassCountObject>
TServerMethods1Client::GetUserTestsClassCount(qint32 appid, qint32 userid)
{
    return executeObject<TUserTestsClassCountObject>(
        FGetUserTestsClassCountCommand, "TServerMethods1.GetUserTestsClassCount", {appid, userid});
}

std::shared_ptr<TUserInfoObject> TServerMethods1Client::FindTests(const QString &findkey,
                                                                  qint32 appid, qint32 flg)
{
    return executeObject<TUserInfoObject>(FFindTestsCommand, "TServerMethods1.FindTests",
                                          {findkey, appid, flg});
}

QString TServerMethods1Client::GetOnlineCount()
{
    return executeText(FGetOnlineCountCommand, "TServerMethods1.GetOnlineCount", {});
}

QString TServerMethods1Client::GetUpdate(const QString &Edition, const QString &Client)
{
    return executeText(FGetUpdateCommand, "TServerMethods1.GetUpdate", {Edition, Client});
}

std::shared_ptr<TUserTestsClassCountObject> TServerMethods1Client::GetUserTestsCount(qint32 appid,
                                                                                     qint32 userid)
{
    return executeObject<TUserTestsClassCountObject>(
        FGetUserTestsCountCommand, "TServerMethods1.GetUserTestsCount", {appid, userid});
}
