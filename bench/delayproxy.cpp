#include "delayproxy.h"

#include <QByteArray>
#include <arpa/inet.h>
#include <chrono>
#include <deque>
#include <fcntl.h>
#include <list>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Chunk
{
    Clock::time_point due;
    QByteArray bytes;
};

// One direction of a connection: chunks held until due, then written.
struct Direction
{
    int from = -1;
    int to = -1;
    std::deque<Chunk> held;
    QByteArray ready;
    bool closed = false;
};

struct Link
{
    Direction up;       // client to server
    Direction down;     // server to client
    bool asked = false; // the client sent a request not answered yet
    bool dead = false;
};

void nonBlocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

int connectServer(const QString &host, int port)
{
    if (host.startsWith(u'/')) {
        const QByteArray path = (host + QStringLiteral("/.s.PGSQL.%1").arg(port)).toLocal8Bit();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
            close(fd);
            return -1;
        }
        return fd;
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (getaddrinfo(host.toLocal8Bit().constData(), QByteArray::number(port).constData(), &hints,
                    &found) != 0)
        return -1;
    int fd = -1;
    for (addrinfo *a = found; a && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (fd >= 0 && ::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd >= 0) {
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return fd;
}

} // namespace

DelayProxy::DelayProxy(const QString &serverHost, int serverPort, double delayMs)
    : m_serverHost(serverHost), m_serverPort(serverPort), m_delayNs(qint64(delayMs * 1e6))
{
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
    listen(m_listener, 64);
    socklen_t length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    if (pipe(m_wake) != 0)
        qFatal("no pipe for the proxy");
    m_thread = std::thread([this] { serve(); });
}

DelayProxy::~DelayProxy()
{
    m_stop = true;
    const char byte = 0;
    if (write(m_wake[1], &byte, 1) < 0)
        qWarning("could not wake the proxy");
    m_thread.join();
    close(m_listener);
    close(m_wake[0]);
    close(m_wake[1]);
}

void DelayProxy::serve()
{
    std::list<Link> links;
    std::vector<char> buffer(1 << 16);
    while (!m_stop) {
        const Clock::time_point now = Clock::now();
        // Chunks whose time has come are written as far as the peer takes them.
        Clock::time_point next = Clock::time_point::max();
        for (Link &link : links)
            for (Direction *d : {&link.up, &link.down}) {
                while (!d->held.empty() && d->held.front().due <= now) {
                    d->ready += d->held.front().bytes;
                    d->held.pop_front();
                }
                if (!d->held.empty())
                    next = std::min(next, d->held.front().due);
                if (!d->ready.isEmpty()) {
                    const ssize_t n =
                        ::send(d->to, d->ready.constData(), size_t(d->ready.size()), MSG_NOSIGNAL);
                    if (n > 0)
                        d->ready.remove(0, n);
                    else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                        link.dead = true;
                }
                if (d->closed && d->held.empty() && d->ready.isEmpty())
                    link.dead = true;
            }
        for (auto it = links.begin(); it != links.end();) {
            if (it->dead) {
                close(it->up.from);
                close(it->down.from);
                it = links.erase(it);
            } else {
                ++it;
            }
        }

        std::vector<pollfd> fds{{m_listener, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        std::vector<std::pair<Link *, Direction *>> owners;
        for (Link &link : links)
            for (Direction *d : {&link.up, &link.down}) {
                short events = d->closed ? 0 : POLLIN;
                fds.push_back({d->from, events, 0});
                owners.push_back({&link, d});
                if (!d->ready.isEmpty()) {
                    fds.push_back({d->to, POLLOUT, 0});
                    owners.push_back({&link, nullptr});
                }
            }
        timespec wait{1, 0};
        if (next != Clock::time_point::max()) {
            const auto ns = std::max<qint64>(
                0,
                std::chrono::duration_cast<std::chrono::nanoseconds>(next - Clock::now()).count());
            wait = {time_t(ns / 1000000000), long(ns % 1000000000)};
        }
        if (ppoll(fds.data(), fds.size(), &wait, nullptr) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            const int client = accept(m_listener, nullptr, nullptr);
            const int server = client >= 0 ? connectServer(m_serverHost, m_serverPort) : -1;
            if (server < 0) {
                if (client >= 0)
                    close(client);
            } else {
                const int on = 1;
                setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                nonBlocking(client);
                nonBlocking(server);
                ++m_connections;
                Link &link = links.emplace_back();
                link.up.from = link.down.to = client;
                link.up.to = link.down.from = server;
            }
        }
        for (size_t i = 2; i < fds.size(); ++i) {
            auto [link, d] = owners[i - 2];
            if (!d || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = ::recv(d->from, buffer.data(), buffer.size(), 0);
            if (n <= 0) {
                if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                    d->closed = true;
                continue;
            }
            if (d == &link->up) {
                link->asked = true;
            } else if (link->asked) {
                link->asked = false;
                ++m_exchanges;
            }
            d->held.push_back({Clock::now() + std::chrono::nanoseconds(m_delayNs.load()),
                               QByteArray(buffer.data(), n)});
        }
    }
    for (Link &link : links) {
        close(link.up.from);
        close(link.down.from);
    }
}
