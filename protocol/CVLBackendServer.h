#pragma once

#include "CVLBackend.h"

class CVLBuffer;
class CVLSocket;

// The client connection to the ALM server over one CVLSocket, which it owns.
//
// Typical use (web-address look-up):
//   CVLBackendServer backend;
//   backend.Initialize(true) && backend.Connect(host, port, CVLString());
//   CVLRequestExtensibleConnect connect; connect.SetClientType(35); connect.SetSessionCookie(-1);
//   CVLRequestResponse* r = nullptr; backend.SendRequest(&connect, r, nullptr); delete r;
//   CVLRequestGetCGIURL cgi; ... backend.SendRequest(&cgi, r, nullptr); // r: CVLRequestGetCGIURLResp
//   on any false: backend.GetErrorMsg(text). Destroying a connected backend disconnects politely.
class CVLBackendServer : public CVLBackend
{
public:
    CVLBackendServer();
    ~CVLBackendServer() override;

    bool Disconnect() override;
    bool IsConnected() const override;
    bool MaintainConnection() override;
    bool Connect(const CVLString& host, unsigned port, const CVLString& connectInfo) override;
    bool SendRequest(CVLRequest* request, CVLRequestResponse*& response, IVLSocketProgress* progress) override;
    bool SendRequest(CVLRequest* request, CVLRequestResponse*& response, unsigned timeoutSeconds,
                     IVLSocketProgress* progress) override;
    bool ReceiveRequest(CVLRequest* request, CVLRequestResponse*& response, IVLSocketProgress* progress) override;
    bool ReceiveRequest(CVLRequest* request, CVLRequestResponse*& response, unsigned timeoutSeconds,
                        IVLSocketProgress* progress) override;
    // Deletes the current socket and creates a new one; the flag is not used.
    bool Initialize(bool flag) override;
    bool SendRequest(CVLRequest* request, IVLSocketProgress* progress) override;
    bool CheckReconnectResponse(CVLRequestResponse* response) override;

    // Deletes the current socket and adopts socket (may be null).
    void ReplaceSocket(CVLSocket* socket);
    bool ChooseEncryptionKey(bool keep, bool use, const CVLBuffer& key);
    void CopyEncryptionKeysFrom(const CVLBackendServer& other);
    // Null without a socket.
    const CVLBuffer* GetEncryptionKey() const;
    // The owned socket, null before Initialize (for deadlines and diagnostics).
    CVLSocket* GetSocket() const { return m_pSocket; }

private:
    // Copies the socket's recorded error into the detail text and clears its error bit.
    void TakeSocketError();

    CVLSocket* m_pSocket = nullptr;
};
