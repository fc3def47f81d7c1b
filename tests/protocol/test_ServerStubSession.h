#pragma once

// One web-address conversation as the redirector holds it: connect exchange, web-address
// exchanges, disconnect.

#include <memory>
#include <string>

#include "CVLBackendServer.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLRequestGetCGIURLResp.h"
#include "CVLRequestResponse.h"
#include "CVLSocket.h"

struct LookupResult
{
    bool ok = false;
    unsigned errorCode = 0;
    std::string message; // GetErrorMsg after a failure
    std::string url;
    unsigned projectId = 0;
};

inline std::string ToStd(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

inline LookupResult Failed(CVLBackendServer& backend)
{
    LookupResult r;
    r.errorCode = backend.GetError();
    CVLString text;
    backend.GetErrorMsg(text);
    r.message = ToStd(text);
    return r;
}

// Sends the connect request; true when the answer arrived and switched the socket to encryption.
inline bool SendConnect(CVLBackendServer& backend, IVLSocketProgress* progress = nullptr)
{
    CVLRequestExtensibleConnect connect;
    connect.SetClientType(35);
    connect.SetSessionCookie(-1);
    CVLRequestResponse* raw = nullptr;
    bool ok = backend.SendRequest(&connect, raw, progress);
    std::unique_ptr<CVLRequestResponse> answer(raw);
    return ok && answer && answer->GetRequestType() == 707 && backend.GetSocket()->IsEncrypted();
}

inline LookupResult LookUp(CVLBackendServer& backend, const char* project, IVLSocketProgress* progress = nullptr)
{
    CVLRequestGetCGIURL request;
    request.SetSessionCookie(backend.GetSessionCookie());
    request.SetProjectName(CVLString(project));
    CVLRequestResponse* raw = nullptr;
    bool ok = backend.SendRequest(&request, raw, progress);
    std::unique_ptr<CVLRequestResponse> answer(raw);
    if (!ok || !answer)
        return Failed(backend);
    auto* cgi = dynamic_cast<CVLRequestGetCGIURLResp*>(answer.get());
    LookupResult r;
    r.ok = cgi != nullptr;
    if (cgi) {
        r.url = ToStd(cgi->GetCGIURL());
        r.projectId = cgi->GetProjectId();
    }
    return r;
}

// Connects, exchanges keys and looks the project up once.
inline LookupResult ResolveOnce(const char* host, unsigned port, const char* project, unsigned receiveMs = 0,
                                IVLSocketProgress* progress = nullptr)
{
    CVLBackendServer backend;
    if (!backend.Initialize(true) || !backend.Connect(CVLString(host), port, CVLString()))
        return Failed(backend);
    if (receiveMs)
        backend.GetSocket()->SetReceiveTimeoutOverrideMs(receiveMs);
    if (!SendConnect(backend, progress))
        return Failed(backend);
    LookupResult r = LookUp(backend, project, progress);
    if (r.ok && !backend.Disconnect()) {
        r.ok = false;
        r.errorCode = backend.GetError();
    }
    return r;
}
