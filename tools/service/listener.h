#pragma once

// Binding an HTTP server to a loopback port and serving on a thread.

#include <QString>

#include <httplib.h>

#include <memory>
#include <thread>

// Binds host:port (0 = any free port) and starts serving on a new thread,
// stored in `thread`.  Returns the bound port, or -1.
inline int StartListening(httplib::Server &server, const QString &host, int port,
                          std::unique_ptr<std::thread> &thread)
{
    const std::string h = host.toStdString();
    int bound = port;
    if (port == 0)
        bound = server.bind_to_any_port(h);
    else if (!server.bind_to_port(h, port))
        bound = -1;
    if (bound <= 0)
        return -1;
    thread = std::make_unique<std::thread>([&server] { server.listen_after_bind(); });
    return bound;
}

// Stops serving and waits for the serving thread.
inline void StopListening(httplib::Server &server, std::unique_ptr<std::thread> &thread)
{
    server.stop();
    if (thread && thread->joinable())
        thread->join();
    thread.reset();
}
