#pragma once

// The stand-in web site: personal centre and sign-in pages, the practice
// page (GET and POST), statistics, guide articles, jQuery and the tips
// plugin.  Pages talk back to the client as the real site does: address
// markers (#loginok#..., #loginoutok, #home, #gotestclass) and the
// credential dialog of the sign-in form.

#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
}
class Store;

class WebSite
{
public:
    explicit WebSite(Store &store);
    ~WebSite();

    int start(const QString &host, int port);
    void stop();

    // The updater program served at /update/Quillmoor_update.exe: as it is,
    // as an error page, or cut off after a few bytes.
    enum class UpdaterMode { Normal, ErrorPage, Truncated };
    void setUpdater(const QByteArray &content, UpdaterMode mode)
    {
        m_updater = content;
        m_updaterMode = mode;
    }

private:
    void routes();
    qint32 signedInUser(const httplib::Request &req);

    Store &m_store;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<std::thread> m_thread;
    std::mutex m_mutex;
    std::map<std::string, qint32> m_sessions; // cookie token -> user id
    QByteArray m_updater;
    UpdaterMode m_updaterMode = UpdaterMode::Normal;
    quint64 m_serial = 0;
};
