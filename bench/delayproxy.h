#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <thread>

// A TCP proxy on loopback that puts a database server at a distance: every chunk
// is held for `delayMs` each way before it is passed on. It counts exchanges with
// the server: a request answered is one, however many packets either carries.
// It runs on a thread of its own, so the benchmark's own calls may block.
class DelayProxy
{
public:
    // The server is a host name or address, or a unix-socket folder ("/run/…").
    DelayProxy(const QString &serverHost, int serverPort, double delayMs);
    ~DelayProxy();
    DelayProxy(const DelayProxy &) = delete;
    DelayProxy &operator=(const DelayProxy &) = delete;

    int port() const { return m_port; }
    int exchanges() const { return m_exchanges.load(); }
    int connections() const { return m_connections.load(); }

private:
    void serve();

    QString m_serverHost;
    int m_serverPort;
    int m_listener = -1;
    int m_port = 0;
    int m_wake[2] = {-1, -1};
    std::atomic<qint64> m_delayNs;
    std::atomic<int> m_exchanges{0};
    std::atomic<int> m_connections{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
