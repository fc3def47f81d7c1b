#include "CVLSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#ifndef MSG_NOSIGNAL
#define MSG_NOSIGNAL 0 // macOS: SO_NOSIGPIPE on the socket does the same
#endif

namespace {

using Clock = std::chrono::steady_clock;

long long MsUntil(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : left;
}

Clock::time_point DeadlineAfterMs(unsigned ms)
{
    return Clock::now() + std::chrono::milliseconds(ms);
}

// Waits for events with the time left until deadline, in slices so that a signal or a
// clock jump never stretches the wait; returns the revents (0 on timeout).
short PollUntil(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        long long left = MsUntil(deadline);
        pollfd p{fd, events, 0};
        int slice = left > 1000 ? 1000 : static_cast<int>(left);
        int rc = ::poll(&p, 1, slice);
        if (rc > 0)
            return p.revents;
        if (rc < 0 && errno != EINTR)
            return POLLERR;
        if (left == 0)
            return 0;
    }
}

void SetCommonOptions(int fd)
{
    int one = 1;
#ifdef SO_NOSIGPIPE
    ::setsockopt(fd, SOL_SOCKET, SO_NOSIGPIPE, &one, sizeof one);
#endif
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
}

} // namespace

CVLSocket::CVLSocket() = default;

CVLSocket::~CVLSocket()
{
    Close();
}

bool CVLSocket::CreateForFamily(int family)
{
    m_Flags |= (family == AF_INET6) ? kFlagCreatingIPv6 : kFlagCreatingIPv4;
    int fd = ::socket(family, SOCK_STREAM, 0);
    if (fd < 0) {
        SetError(socketErrorOS, "socket() :");
        m_Flags &= ~(kFlagCreatingIPv4 | kFlagCreatingIPv6);
        return false;
    }
    SetCommonOptions(fd);
    if (family == AF_INET6) {
        int one = 1;
        ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
    }
    m_Socket = fd;
    m_Flags &= ~(kFlagCreatingIPv4 | kFlagCreatingIPv6);
    SetLastActivity(socketActionCreated);
    return true;
}

bool CVLSocket::Create(unsigned port, int socketType)
{
    if (socketType != 0 && socketType != SOCK_STREAM)
        return false;
    bool v6 = (m_Flags & kFlagCreatingIPv6) != 0;
    return Bind(v6 ? "::" : "0.0.0.0", port);
}

bool CVLSocket::Bind(const CVLString& address, unsigned port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_PASSIVE | AI_NUMERICSERV;
    char service[16];
    snprintf(service, sizeof service, "%u", port);
    addrinfo* res = nullptr;
    int rc = ::getaddrinfo(address.GetBufferPtr(), service, &hints, &res);
    if (rc != 0 || !res) {
        CVLString text("Bind(): ");
        text += ::gai_strerror(rc);
        SetErrorWithText(socketErrorOS, text);
        return false;
    }
    bool ok = false;
    if (m_Socket < 0)
        ok = CreateForFamily(res->ai_family);
    else
        ok = true;
    if (ok && ::bind(m_Socket, res->ai_addr, res->ai_addrlen) != 0) {
        SetError(socketErrorOS, "bind() :");
        ok = false;
    }
    ::freeaddrinfo(res);
    return ok;
}

bool CVLSocket::Listen()
{
    if (m_Socket < 0) {
        SetError(socketErrorClosed, "Listen(): ");
        return false;
    }
    if (::listen(m_Socket, 128) != 0) {
        SetError(socketErrorOS, "listen() :");
        return false;
    }
    return true;
}

bool CVLSocket::WaitForConnection(unsigned timeoutMs)
{
    if (m_Socket < 0)
        return false;
    return (PollUntil(m_Socket, POLLIN, DeadlineAfterMs(timeoutMs)) & POLLIN) != 0;
}

bool CVLSocket::Accept(CVLSocketInd& other)
{
    CVLSocket* target = dynamic_cast<CVLSocket*>(&other);
    if (m_Socket < 0 || !target || target->m_Socket >= 0)
        return false;
    int fd;
    do {
        fd = ::accept(m_Socket, nullptr, nullptr);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            SetError(socketErrorOS, "accept() :");
        return false;
    }
    SetCommonOptions(fd);
    target->Attach(fd);
    return true;
}

void CVLSocket::Attach(int descriptor)
{
    Close();
    m_Socket = descriptor;
    m_Flags |= kFlagConnected;
    SetLastActivity(socketActionCreated);
}

int CVLSocket::Detach()
{
    int fd = m_Socket;
    m_Socket = -1;
    m_Flags &= ~(kFlagEncrypted | kFlagConnected);
    return fd;
}

void CVLSocket::Shutdown()
{
    if (m_Socket >= 0)
        ::shutdown(m_Socket, SHUT_RDWR);
}

bool CVLSocket::ConnectAddress(const void* address, unsigned addressLength)
{
    const sockaddr* sa = static_cast<const sockaddr*>(address);
    int oldFlags = ::fcntl(m_Socket, F_GETFL, 0);
    // The wait is ours (bounded by the connect timeout), not the system's.
    ::fcntl(m_Socket, F_SETFL, oldFlags | O_NONBLOCK);
    int rc;
    do {
        rc = ::connect(m_Socket, sa, addressLength);
    } while (rc != 0 && errno == EINTR);
    bool ok = (rc == 0);
    if (!ok && (errno == EINPROGRESS || errno == EALREADY)) {
        short ev = PollUntil(m_Socket, POLLOUT, DeadlineAfterMs(m_ConnectTimeoutMs));
        if (ev == 0) {
            errno = ETIMEDOUT;
            SetError(socketErrorTimeout, "Connect(): ");
        } else {
            int err = 0;
            socklen_t len = sizeof err;
            ::getsockopt(m_Socket, SOL_SOCKET, SO_ERROR, &err, &len);
            if (err == 0 || err == EISCONN) {
                ok = true;
            } else {
                errno = err;
                SetError(socketErrorOS, "Connect(): ");
            }
        }
    } else if (!ok) {
        SetError(socketErrorOS, "Connect(): ");
    }
    ::fcntl(m_Socket, F_SETFL, oldFlags);
    return ok;
}

bool CVLSocket::Connect(const void* address, unsigned addressLength)
{
    if (m_Socket < 0 || !address)
        return false;
    if (ConnectAddress(address, addressLength)) {
        m_Flags |= kFlagConnected;
        return true;
    }
    m_Flags &= ~(kFlagEncrypted | kFlagConnected);
    return false;
}

bool CVLSocket::ConnectToServer(const CVLString& host, unsigned port)
{
    if (m_Socket >= 0) {
        m_Flags |= kFlagConnected;
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    char service[16];
    snprintf(service, sizeof service, "%u", port);
    addrinfo* res = nullptr;
    int rc = ::getaddrinfo(host.GetBufferPtr(), service, &hints, &res);
    if (rc != 0) {
        // The resolver's own wording: errno says nothing about a failed look-up.
        if (rc == EAI_SYSTEM) {
            SetError(socketErrorOS);
        } else {
            SetErrorWithText(socketErrorOS, CVLString(::gai_strerror(rc)));
        }
        return false;
    }
    bool connected = false;
    for (addrinfo* ai = res; ai && !connected; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET && ai->ai_family != AF_INET6)
            continue;
        if (!CreateForFamily(ai->ai_family))
            continue;
        // Bound to port 0 on the any-address, as the connection's local end.
        if (ai->ai_family == AF_INET) {
            sockaddr_in local{};
            local.sin_family = AF_INET;
            local.sin_addr.s_addr = htonl(INADDR_ANY);
            ::bind(m_Socket, reinterpret_cast<sockaddr*>(&local), sizeof local);
        } else {
            sockaddr_in6 local{};
            local.sin6_family = AF_INET6;
            local.sin6_addr = in6addr_any;
            ::bind(m_Socket, reinterpret_cast<sockaddr*>(&local), sizeof local);
        }
        if (Connect(ai->ai_addr, static_cast<unsigned>(ai->ai_addrlen))) {
            connected = true;
        } else {
            ::close(m_Socket);
            m_Socket = -1;
        }
    }
    ::freeaddrinfo(res);
    if (connected) {
        // An earlier address that failed must not leave its error behind.
        ClearError();
    }
    return connected;
}

void CVLSocket::Close()
{
    if (m_Socket >= 0) {
        ::shutdown(m_Socket, SHUT_RDWR);
        ::close(m_Socket);
    }
    m_Socket = -1;
    m_ErrorCode = socketErrorNone;
    m_Flags &= ~(kFlagEncrypted | kFlagConnected);
}

int CVLSocket::Send(const void* data, unsigned count, int flags)
{
    if (m_Socket < 0) {
        SetError(socketErrorClosed, "Send(): ");
        return -1;
    }
    SetLastActivity(socketActionSend);
    const char* p = static_cast<const char*>(data);
    unsigned sent = 0;
    auto deadline = DeadlineAfterMs(m_SendTimeoutMs);
    while (sent < count) {
        ssize_t n = ::send(m_Socket, p + sent, count - sent, flags | MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<unsigned>(n);
            deadline = DeadlineAfterMs(m_SendTimeoutMs);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            SetError(socketErrorOS, "Send(): ");
            return -1;
        }
        if (MsUntil(deadline) == 0) {
            SetError(socketErrorTimeout, "Send(): ");
            return static_cast<int>(sent);
        }
        PollUntil(m_Socket, POLLOUT, deadline);
    }
    SetLastActivity(socketActionSend);
    return static_cast<int>(sent);
}

int CVLSocket::Receive(void* data, unsigned count, int flags, unsigned timeoutSeconds)
{
    return ReceiveMs(data, count, flags, ReceiveDeadlineMs(timeoutSeconds));
}

int CVLSocket::ReceiveMs(void* data, unsigned count, int flags, unsigned timeoutMs)
{
    if (m_Socket < 0)
        return 0;
    SetLastActivity(socketActionReceive);
    char* p = static_cast<char*>(data);
    unsigned got = 0;
    auto deadline = DeadlineAfterMs(timeoutMs);
    while (got < count) {
        ssize_t n = ::recv(m_Socket, p + got, count - got, flags | MSG_DONTWAIT);
        if (n > 0) {
            got += static_cast<unsigned>(n);
            deadline = DeadlineAfterMs(timeoutMs);
            SetLastActivity(socketActionReceive);
            continue;
        }
        if (n == 0)
            break; // orderly close by the peer
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            SetError(socketErrorOS, "Receive(): ");
            return -1;
        }
        if (MsUntil(deadline) == 0) {
            SetError(socketErrorTimeout, "Receive(): ");
            break;
        }
        PollUntil(m_Socket, POLLIN, deadline);
    }
    return static_cast<int>(got);
}

int CVLSocket::ReceiveRawWithNoWait(void* data, unsigned count, int flags)
{
    if (m_Socket < 0)
        return 0;
    ssize_t n;
    do {
        n = ::recv(m_Socket, data, count, flags | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        SetError(socketErrorOS, "Receive(): ");
        return -1;
    }
    return static_cast<int>(n);
}

int CVLSocket::PeekAvailable(void* data, unsigned count)
{
    if (m_Socket < 0)
        return -1;
    ssize_t n;
    do {
        n = ::recv(m_Socket, data, count, MSG_PEEK | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n == 0)
        return -1; // closed
    if (n < 0)
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    return static_cast<int>(n);
}

bool CVLSocket::WaitReadable(unsigned timeoutMs)
{
    if (m_Socket < 0)
        return false;
    return PollUntil(m_Socket, POLLIN, DeadlineAfterMs(timeoutMs)) != 0;
}

bool CVLSocket::SetBlockingMode(bool blocking)
{
    if (m_Socket < 0)
        return false;
    int fl = ::fcntl(m_Socket, F_GETFL, 0);
    if (fl < 0)
        return false;
    fl = blocking ? (fl & ~O_NONBLOCK) : (fl | O_NONBLOCK);
    return ::fcntl(m_Socket, F_SETFL, fl) == 0;
}

int CVLSocket::CheckPendingReadData()
{
    if (m_Socket < 0)
        return 0;
    int n = 0;
    if (::ioctl(m_Socket, FIONREAD, &n) != 0)
        return 0;
    return n;
}

int CVLSocket::FlushPendingReadData()
{
    int pending = CheckPendingReadData();
    int flushed = 0;
    char scratch[4096];
    while (flushed < pending) {
        unsigned want = static_cast<unsigned>(pending - flushed);
        if (want > sizeof scratch)
            want = sizeof scratch;
        ssize_t n = ::recv(m_Socket, scratch, want, MSG_DONTWAIT);
        if (n <= 0)
            break;
        flushed += static_cast<int>(n);
    }
    return flushed;
}

bool CVLSocket::SetSendBufferSize(int bytes)
{
    if (m_Socket < 0)
        return false;
    if (::setsockopt(m_Socket, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes) != 0)
        return false;
    int back = 0;
    socklen_t len = sizeof back;
    ::getsockopt(m_Socket, SOL_SOCKET, SO_SNDBUF, &back, &len);
    return back == bytes;
}

bool CVLSocket::SetReceiveBufferSize(int bytes)
{
    if (m_Socket < 0)
        return false;
    if (::setsockopt(m_Socket, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) != 0)
        return false;
    int back = 0;
    socklen_t len = sizeof back;
    ::getsockopt(m_Socket, SOL_SOCKET, SO_RCVBUF, &back, &len);
    return back == bytes;
}

namespace {

bool NameOf(int fd, bool peer, bool numeric, CVLString& text)
{
    text = "";
    if (fd < 0)
        return false;
    sockaddr_storage ss{};
    socklen_t len = sizeof ss;
    int rc = peer ? ::getpeername(fd, reinterpret_cast<sockaddr*>(&ss), &len)
                  : ::getsockname(fd, reinterpret_cast<sockaddr*>(&ss), &len);
    if (rc != 0)
        return false;
    char host[1025];
    if (::getnameinfo(reinterpret_cast<sockaddr*>(&ss), len, host, sizeof host, nullptr, 0,
                      numeric ? NI_NUMERICHOST : 0) != 0)
        return false;
    text = host;
    return true;
}

} // namespace

bool CVLSocket::GetPeerSocketIPStr(CVLString& text)
{
    return NameOf(m_Socket, true, true, text);
}

bool CVLSocket::GetPeerSocketHostNameStr(CVLString& text)
{
    return NameOf(m_Socket, true, false, text);
}

bool CVLSocket::GetSocketIPStr(CVLString& text)
{
    return NameOf(m_Socket, false, true, text);
}

bool CVLSocket::GetSocketHostNameStr(CVLString& text)
{
    return NameOf(m_Socket, false, false, text);
}

unsigned CVLSocket::GetSocketPortNumber()
{
    if (m_Socket < 0)
        return 0;
    sockaddr_storage ss{};
    socklen_t len = sizeof ss;
    if (::getsockname(m_Socket, reinterpret_cast<sockaddr*>(&ss), &len) != 0)
        return 0;
    if (ss.ss_family == AF_INET)
        return ntohs(reinterpret_cast<sockaddr_in*>(&ss)->sin_port);
    if (ss.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<sockaddr_in6*>(&ss)->sin6_port);
    return 0;
}
