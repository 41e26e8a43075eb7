#pragma once

// The proxy of the application server's TServerMethods1: one command per
// server method, created and prepared on first use and reused by every
// later call on the same proxy.  A proxy is bound to the session that was
// current when it was made; after a reconnect a new proxy prepares its
// commands again.
//
// Calls on one proxy are serialised.  An object result is owned by its
// command until the same method is called again; callers get shared
// ownership, so a result they are still converting stays valid even when
// another thread calls the method meanwhile.

#include "data_structure.h"
#include "tsqlconnection.h"

#include <QJsonArray>
#include <QString>

#include <memory>
#include <mutex>

// A prepared server-method command.
class TDSServerCommand
{
public:
    QString CommandType;
    QString Text;
    int prepareCount = 0;
    std::shared_ptr<TWireObject> ownedResult;

    void Prepare() { ++prepareCount; }
};

class TServerMethods1Client
{
public:
    // Throws DataSnapError when the connection is not open.
    TServerMethods1Client(std::shared_ptr<DSSession> connection, bool instanceOwner);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client &) = delete;
    TServerMethods1Client &operator=(const TServerMethods1Client &) = delete;

    QString updateUpLoadFile(const QString &kzm, const QJsonArray &nr);
    std::shared_ptr<TAppListObject> GetAppList();
    std::shared_ptr<TTestClassObject> GetTestsClass(qint32 appid);
    std::shared_ptr<TTestHelpObject> GetTestsHelp(qint32 appid);
    std::shared_ptr<TTestTypeObject> GetTestsType(qint32 appid);
    std::shared_ptr<TUserTestLogObject> GetUserTestLog(qint32 appid, qint32 userid);
    std::shared_ptr<TUserInfoObject> GetUserNote(qint32 appid, qint32 userid);
    bool DeleteUserNote(const QString &usernoteid);
    bool UpdateUserNote(const QString &usernoteid, const QString &note);
    std::shared_ptr<TUserInfoObject> GetUserErrorTest(qint32 appid, qint32 userid);
    bool DeleteUserError(const QString &UserTestLogid);
    std::shared_ptr<TUserInfoObject> GetUserFav(qint32 appid, qint32 userid);
    bool DeleteUserFav(const QString &userfavid);
    std::shared_ptr<TUserTestsClassCountObject> GetUserTestsClassCount(qint32 appid, qint32 userid);
    std::shared_ptr<TUserInfoObject> FindTests(const QString &findkey, qint32 appid, qint32 flg);
    QString GetOnlineCount();
    QString GetUpdate(const QString &Edition, const QString &Client);
    std::shared_ptr<TUserTestsClassCountObject> GetUserTestsCount(qint32 appid, qint32 userid);

    // How many commands this proxy has prepared so far.
    int preparedCommands() const;
    std::shared_ptr<DSSession> connection() const { return m_connection; }

private:
    QJsonValue execute(std::unique_ptr<TDSServerCommand> &command, const char *identifier,
                       const QJsonArray &params);
    template <class T>
    std::shared_ptr<T> executeObject(std::unique_ptr<TDSServerCommand> &command,
                                     const char *identifier, const QJsonArray &params);
    bool executeBoolean(std::unique_ptr<TDSServerCommand> &command, const char *identifier,
                        const QJsonArray &params);
    QString executeText(std::unique_ptr<TDSServerCommand> &command, const char *identifier,
                        const QJsonArray &params);

    std::shared_ptr<DSSession> m_connection;
    bool m_instanceOwner = true;
    mutable std::mutex m_mutex;

    std::unique_ptr<TDSServerCommand> FupdateUpLoadFileCommand;
    std::unique_ptr<TDSServerCommand> FGetAppListCommand;
    std::unique_ptr<TDSServerCommand> FGetTestsClassCommand;
    std::unique_ptr<TDSServerCommand> FGetTestsHelpCommand;
    std::unique_ptr<TDSServerCommand> FGetTestsTypeCommand;
    std::unique_ptr<TDSServerCommand> FGetUserTestLogCommand;
    std::unique_ptr<TDSServerCommand> FGetUserNoteCommand;
    std::unique_ptr<TDSServerCommand> FDeleteUserNoteCommand;
    std::unique_ptr<TDSServerCommand> FUpdateUserNoteCommand;
    std::unique_ptr<TDSServerCommand> FGetUserErrorTestCommand;
    std::unique_ptr<TDSServerCommand> FDeleteUserErrorCommand;
    std::unique_ptr<TDSServerCommand> FGetUserFavCommand;
    std::unique_ptr<TDSServerCommand> FDeleteUserFavCommand;
    std::unique_ptr<TDSServerCommand> FGetUserTestsClassCountCommand;
    std::unique_ptr<TDSServerCommand> FFindTestsCommand;
    std::unique_ptr<TDSServerCommand> FGetOnlineCountCommand;
    std::unique_ptr<TDSServerCommand> FGetUpdateCommand;
    std::unique_ptr<TDSServerCommand> FGetUserTestsCountCommand;
};
