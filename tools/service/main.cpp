// quillmoor-service: the stand-in online service the client runs against on
// loopback — the application server (REST messaging protocol) and the web
// site, backed by an SQLite file seeded on first start.

#include "appserver.h"
#include "store.h"
#include "website.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <csignal>
#include <cstdlib>
#include <cstdio>

namespace {

const char *kHelp = R"(Usage: quillmoor-service [options]

The stand-in online service of the Quillmoor client, on 127.0.0.1 only.

  --data DIR          folder of the SQLite data file (default ./quillmoor-data);
                      created and seeded on first start
  --reset             throw the data away and seed it anew
  --port N            application server port (default 21100; 0 = any free port)
  --web-port N        web site port (default 21180; 0 = any free port)
  --fault M=KIND      inject a fault into every call of method M (repeatable);
                      KIND is delay:MS, hang[:MS], error, false, null, malformed,
                      wrongclass or reset, optionally followed by @COUNT
                      (only the next COUNT calls)
  --ascii-json        write answers as ASCII with \uXXXX and \/ escapes
  --online-count N    the answer of GetOnlineCount (default 1286)
  --update-url URL    the answer of GetUpdate for older clients (default: none)
  --offer-update      answer GetUpdate with the address of a small updater
                      program this service serves (it writes updater-ran.txt
                      into its working folder)
  --update-fault KIND serve the updater as an error page (errorpage) or cut
                      off half way (truncated)
  --help              this text

On start it prints one line per listener:
  app-server 127.0.0.1:PORT
  web-site http://127.0.0.1:PORT/
and then "ready".

Admin endpoint (application server port, loopback, for tests):
  GET /admin/log                        every call received, as JSON
  GET /admin/log/clear                  forget the calls
  GET /admin/fault?method=M&fault=KIND  inject a fault (KIND as above)
  GET /admin/faults/clear               remove every fault; hanging calls end
  GET /admin/sessions/expire            forget every session (clients must
                                        authenticate again)

Demo accounts: demo / demo123 (subject 10218), student / 123456 (no subject),
kuaiji / 123456 (subject 19851, 1000 favourites).
)";

int fail(const char *message)
{
    std::fprintf(stderr, "quillmoor-service: %s (see --help)\n", message);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString data = QStringLiteral("quillmoor-data");
    bool reset = false;
    int port = 21100;
    int webPort = 21180;
    AppServer::Options options;
    QList<QPair<QString, Fault>> faults;
    bool offerUpdate = false;
    WebSite::UpdaterMode updaterMode = WebSite::UpdaterMode::Normal;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        auto next = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == QLatin1String("--help")) {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (a == QLatin1String("--data")) {
            data = next();
        } else if (a == QLatin1String("--reset")) {
            reset = true;
        } else if (a == QLatin1String("--port")) {
            port = next().toInt();
        } else if (a == QLatin1String("--web-port")) {
            webPort = next().toInt();
        } else if (a == QLatin1String("--ascii-json")) {
            options.asciiJson = true;
        } else if (a == QLatin1String("--online-count")) {
            options.onlineCount = next();
        } else if (a == QLatin1String("--update-url")) {
            options.updateUrl = next();
        } else if (a == QLatin1String("--offer-update")) {
            offerUpdate = true;
        } else if (a == QLatin1String("--update-fault")) {
            const QString kind = next();
            if (kind == QLatin1String("errorpage"))
                updaterMode = WebSite::UpdaterMode::ErrorPage;
            else if (kind == QLatin1String("truncated"))
                updaterMode = WebSite::UpdaterMode::Truncated;
            else
                return fail("--update-fault needs errorpage or truncated");
        } else if (a == QLatin1String("--fault")) {
            const QString spec = next();
            const qsizetype eq = spec.indexOf(QLatin1Char('='));
            const auto fault = eq > 0 ? ParseFault(spec.mid(eq + 1)) : std::nullopt;
            if (!fault)
                return fail("--fault needs METHOD=KIND");
            faults.append({spec.left(eq), *fault});
        } else {
            return fail("unknown option");
        }
    }
    if (data.isEmpty())
        return fail("--data needs a folder");

    // The listeners stop cleanly on SIGINT and SIGTERM.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    Store store(QDir(data).absolutePath(), reset);
    AppServer appServer(store, options);
    for (const auto &[method, fault] : faults)
        appServer.setFault(method, fault);
    const int boundPort = appServer.start(QStringLiteral("127.0.0.1"), port);
    if (boundPort < 0)
        return fail("cannot listen on the application server port");
    std::printf("app-server 127.0.0.1:%d\n", boundPort);
    WebSite webSite(store);
    const int boundWebPort = webSite.start(QStringLiteral("127.0.0.1"), webPort);
    if (boundWebPort < 0)
        return fail("cannot listen on the web site port");
    std::printf("web-site http://127.0.0.1:%d/\n", boundWebPort);
    if (offerUpdate) {
        // A stand-in updater: it only leaves a mark in its working folder.
        webSite.setUpdater("#!/bin/sh\necho \"Quillmoor updater started in $(pwd)\" > updater-ran.txt\n",
                           updaterMode);
        appServer.setUpdateUrl(QStringLiteral("http://127.0.0.1:%1/update/Quillmoor_update.exe").arg(boundWebPort));
    }
    std::printf("ready\n");
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    // Every change is committed when its call answers, so the process may end
    // at once instead of waiting out the clients' keep-alive connections.
    std::fflush(stdout);
    std::_Exit(0);
}
