#pragma once

#include "CVLSocketInd.h"

// The TCP side of CVLSocketInd: name resolution, IPv4 and IPv6 connections, non-blocking
// sends and receives bounded by deadlines, and the server-side Create/Bind/Listen/Accept.
// The descriptor is closed by Close and by the destructor.
class CVLSocket : public CVLSocketInd
{
public:
    CVLSocket();
    ~CVLSocket() override;

    // Server side: a socket of the family chosen by the creating bits (IPv6 with bit 7,
    // otherwise IPv4), bound to the any-address and port. socketType is SOCK_STREAM or 0.
    bool Create(unsigned port, int socketType) override;
    // Binds an existing or new socket to a numeric address and port (0 takes a free port).
    bool Bind(const CVLString& address, unsigned port);
    bool Connect(const void* address, unsigned addressLength) override;
    bool ConnectToServer(const CVLString& host, unsigned port) override;
    void Close() override;
    int Receive(void* data, unsigned count, int flags, unsigned timeoutSeconds) override;
    // Receive with a deadline in milliseconds (the form every other receive goes through).
    int ReceiveMs(void* data, unsigned count, int flags, unsigned timeoutMs);
    int ReceiveRawWithNoWait(void* data, unsigned count, int flags) override;
    int Send(const void* data, unsigned count, int flags) override;
    // Takes a waiting connection into other (which must have no descriptor); false on error.
    bool Accept(CVLSocketInd& other) override;
    // Waits up to timeoutMs for a connection to accept; false on timeout.
    bool WaitForConnection(unsigned timeoutMs);
    bool GetPeerSocketIPStr(CVLString& text) override;
    bool GetPeerSocketHostNameStr(CVLString& text) override;
    bool GetSocketIPStr(CVLString& text) override;
    bool GetSocketHostNameStr(CVLString& text) override;
    unsigned GetSocketPortNumber() override;
    // Gives up the descriptor without closing it; returns it (-1 when none).
    int Detach() override;
    bool Listen() override;
    bool SetBlockingMode(bool blocking) override;
    int CheckPendingReadData() override;
    int FlushPendingReadData() override;
    bool SetSendBufferSize(int bytes) override;
    bool SetReceiveBufferSize(int bytes) override;

    // -1 when there is no descriptor.
    int GetDescriptor() const { return m_Socket; }
    // Adopts a connected descriptor (tests, accept); the socket then owns it.
    void Attach(int descriptor);
    // Shuts the connection down in both directions without closing the descriptor,
    // which wakes another thread waiting on it.
    void Shutdown();

protected:
    int ReceiveBytesMs(void* data, unsigned count, unsigned timeoutMs) override
    {
        return ReceiveMs(data, count, 0, timeoutMs);
    }
    int PeekAvailable(void* data, unsigned count) override;
    bool WaitReadable(unsigned timeoutMs) override;
    bool CreateForFamily(int family);
    bool ConnectAddress(const void* address, unsigned addressLength);

    int m_Socket = -1;
};
