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

    // The updater file served under /update/ (empty: none).
    void setUpdaterFile(const QString &path) { m_updaterFile = path; }

private:
    void routes();
    qint32 signedInUser(const httplib::Request &req);

    Store &m_store;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<std::thread> m_thread;
    std::mutex m_mutex;
    std::map<std::string, qint32> m_sessions; // cookie token -> user id
    QString m_updaterFile;
    quint64 m_serial = 0;
};
