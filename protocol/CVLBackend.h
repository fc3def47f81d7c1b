#pragma once

#include <cstdint>

#include "CVLString.h"

class CVLRequest;
class CVLRequestResponse;
class IVLSocketProgress;

// Backend error codes (the server's own statuses are 1 to 255).
enum backendErrors : unsigned
{
    backendErrorSend = 256,           // "An error occurred sending the request to the server."
    backendErrorInvalidRequest = 257, // "The request is invalid."
    backendErrorNullRequest = 258,    // "A null request was sent."
    backendErrorReceive = 259,        // "The request to the server returned a failure."
    backendErrorCatalogue = 260,      // worded by the catalogue
    backendErrorNotAResponse = 261,   // worded by the catalogue
    backendErrorNoSocket = 262,       // "Socket does not exist."
    backendErrorSocketInit = 263,     // "Socket DLL's could not be initialized."
    backendErrorCreateSocket = 264,   // "Could not create a socket."
    backendErrorConnect = 265,        // "Could not connect to host."
    backendErrorNotConnected = 266    // "Not currently connected to host."
};

// One conversation with the server, seen from the client: error state (a code and the
// detail text that explains it), logged-on state and the session cookie. Operations return
// true when the error code is 0 afterwards; GetErrorMsg words the current error.
class CVLBackend
{
public:
    CVLBackend();
    virtual ~CVLBackend();
    CVLBackend(const CVLBackend&) = delete;
    CVLBackend& operator=(const CVLBackend&) = delete;

    virtual bool Disconnect() = 0;
    virtual bool IsConnected() const = 0;
    virtual bool IsBusy() const { return m_Busy; }
    virtual bool MaintainConnection() = 0;
    virtual bool Connect(const CVLString& host, unsigned port, const CVLString& connectInfo) = 0;
    virtual bool IsAvailable() const { return true; }
    virtual bool IsLoggedOn() const;
    // The exchange with the default timeout. The caller owns *response whenever one is
    // returned (also together with false); it is null when nothing arrived.
    virtual bool SendRequest(CVLRequest* request, CVLRequestResponse*& response, IVLSocketProgress* progress) = 0;
    virtual bool SendRequest(CVLRequest* request, CVLRequestResponse*& response, unsigned timeoutSeconds,
                             IVLSocketProgress* progress) = 0;
    virtual bool ReceiveRequest(CVLRequest* request, CVLRequestResponse*& response, IVLSocketProgress* progress) = 0;
    virtual bool ReceiveRequest(CVLRequest* request, CVLRequestResponse*& response, unsigned timeoutSeconds,
                                IVLSocketProgress* progress) = 0;
    virtual bool Initialize(bool flag) = 0;
    virtual void ClearError();
    virtual void SetLoggedOn(bool on) { m_LoggedOn = on; }
    // The sending half: sends without waiting for an answer. The request is not consumed.
    virtual bool SendRequest(CVLRequest* request, IVLSocketProgress* progress) = 0;
    virtual bool CheckReconnectResponse(CVLRequestResponse* response) = 0;

    bool HasErrorOccurred() const { return m_ErrorCode != 0; }
    unsigned GetError() const { return m_ErrorCode; }
    const CVLString& GetErrorDetail() const { return m_DetailText; }
    bool IsTransportError() const { return m_TransportError; }
    void ForceSetLastError(unsigned code, const CVLString& text);
    // The user-facing text of the current error, product placeholders replaced. Callers
    // pass text empty.
    void GetErrorMsg(CVLString& text);
    bool GetLoggedOffNotice() const { return m_LoggedOffNotice; }

    int GetSessionCookie() const { return m_SessionCookie; }
    const CVLString& GetHost() const { return m_Host; }
    unsigned GetPort() const { return m_Port; }

    // Receive deadline of the forms without a timeout argument (120 seconds).
    void SetDefaultTimeout(unsigned seconds) { m_DefaultTimeoutSeconds = seconds; }
    unsigned GetDefaultTimeout() const { return m_DefaultTimeoutSeconds; }

    // Types sent while not logged on.
    static bool IsAllowedBeforeLogon(unsigned type);

protected:
    // The fixed text of a backend code (256 to 266 except 260 and 261); false for others.
    static bool GetBackendErrorText(unsigned code, CVLString& text);
    // Applies the logged-on rules and the error of a received response.
    void ApplyResponse(CVLRequestResponse& response);

    CVLString m_DetailText;
    unsigned m_ErrorCode = 0;
    bool m_Busy = false;
    int m_SessionCookie = -1;
    bool m_LoggedOn = false;
    bool m_LoggedOffNotice = false;
    CVLString m_Host;
    CVLString m_ConnectInfo;
    unsigned m_Port = 0xFFFFFFFFu;
    bool m_TransportError = false;
    unsigned m_DefaultTimeoutSeconds = 120;
};
