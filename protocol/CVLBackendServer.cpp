#include "CVLBackendServer.h"

#include <ctime>

#include "CMVCrypt_Base.h"
#include "CVLRequestResponse.h"
#include "CVLRequestDisconnect.h"
#include "CVLRequestHandshake.h"
#include "CVLSocket.h"

namespace {

const uint32_t kReqFileTransferBit = 0x10;
const int kConnectionBufferBytes = 8388608;
const time_t kKeepAliveIdleSeconds = 10;
const unsigned kKeepAliveTimeoutSeconds = 5;

} // namespace

CVLBackendServer::CVLBackendServer() = default;

CVLBackendServer::~CVLBackendServer()
{
    if (IsConnected())
        Disconnect();
    delete m_pSocket;
}

bool CVLBackendServer::Initialize(bool flag)
{
    (void)flag;
    delete m_pSocket;
    m_pSocket = nullptr;
    m_pSocket = new CVLSocket();
    return m_ErrorCode == 0;
}

void CVLBackendServer::ReplaceSocket(CVLSocket* socket)
{
    if (socket == m_pSocket)
        return;
    delete m_pSocket;
    m_pSocket = socket;
}

bool CVLBackendServer::IsConnected() const
{
    return m_pSocket && m_pSocket->IsConnected();
}

void CVLBackendServer::TakeSocketError()
{
    if (!m_pSocket || !m_pSocket->HasError())
        return;
    m_DetailText = m_pSocket->GetErrorText();
    m_TransportError = true;
    m_pSocket->ClearErrorBit();
}

bool CVLBackendServer::Connect(const CVLString& host, unsigned port, const CVLString& connectInfo)
{
    ClearError();
    if (!m_pSocket) {
        m_ErrorCode = backendErrorNoSocket;
        return false;
    }
    if (IsConnected()) {
        if (m_Host == host)
            return true;
        Disconnect();
        ClearError();
    }
    if (m_pSocket->ConnectToServer(host, port)) {
        m_pSocket->SetReceiveBufferSize(kConnectionBufferBytes);
        m_pSocket->SetSendBufferSize(kConnectionBufferBytes);
        m_pSocket->SetBlockingMode(false);
        m_Host = host;
        m_Port = port;
        m_ConnectInfo = connectInfo;
    } else {
        m_ErrorCode = backendErrorConnect;
        TakeSocketError();
    }
    return m_ErrorCode == 0;
}

bool CVLBackendServer::SendRequest(CVLRequest* request, IVLSocketProgress* progress)
{
    ClearError();
    const bool wasBusy = m_Busy;
    m_Busy = true;
    if (!request) {
        m_ErrorCode = backendErrorNullRequest;
    } else {
        if (!CVLRequest::IsConnectRequest(request->GetRequestType()))
            request->SetSessionCookie(m_SessionCookie);
        if (!request->ValidateRequest()) {
            m_ErrorCode = backendErrorInvalidRequest;
        } else if (!m_pSocket) {
            m_ErrorCode = backendErrorNoSocket;
        } else {
            m_pSocket->SendRequest(*request, progress);
            if (m_pSocket->HasError()) {
                TakeSocketError();
                m_ErrorCode = backendErrorSend;
            }
        }
    }
    m_Busy = wasBusy;
    return m_ErrorCode == 0;
}

bool CVLBackendServer::SendRequest(CVLRequest* request, CVLRequestResponse*& response, IVLSocketProgress* progress)
{
    return SendRequest(request, response, m_DefaultTimeoutSeconds, progress);
}

bool CVLBackendServer::SendRequest(CVLRequest* request, CVLRequestResponse*& response, unsigned timeoutSeconds,
                                   IVLSocketProgress* progress)
{
    response = nullptr;
    const bool wasBusy = m_Busy;
    m_Busy = true;
    if (request && !IsLoggedOn() && !IsAllowedBeforeLogon(request->GetRequestType())) {
        m_Busy = wasBusy;
        return m_ErrorCode == 0;
    }
    const bool fileTransfer = request && (request->GetFlags() & kReqFileTransferBit);
    if (SendRequest(request, fileTransfer ? progress : nullptr))
        ReceiveRequest(request, response, timeoutSeconds, progress);
    m_Busy = wasBusy;
    return m_ErrorCode == 0;
}

bool CVLBackendServer::ReceiveRequest(CVLRequest* request, CVLRequestResponse*& response, IVLSocketProgress* progress)
{
    return ReceiveRequest(request, response, m_DefaultTimeoutSeconds, progress);
}

bool CVLBackendServer::ReceiveRequest(CVLRequest* request, CVLRequestResponse*& response, unsigned timeoutSeconds,
                                      IVLSocketProgress* progress)
{
    (void)request; // the answer is not matched against the request
    response = nullptr;
    const bool wasBusy = m_Busy;
    m_Busy = true;
    if (!m_pSocket) {
        m_ErrorCode = backendErrorNoSocket;
        m_Busy = wasBusy;
        return false;
    }
    CVLRequest* received = nullptr;
    m_pSocket->ReceiveRequest(received, timeoutSeconds, true, progress);
    if (!received) {
        TakeSocketError();
        m_ErrorCode = backendErrorReceive;
    } else if (!received->IsResponse() || !dynamic_cast<CVLRequestResponse*>(received)) {
        delete received;
        TakeSocketError();
        m_ErrorCode = backendErrorNotAResponse;
    } else {
        response = static_cast<CVLRequestResponse*>(received);
        if (m_pSocket->HasError()) {
            // The frame arrived but something after it failed (for example its file).
            TakeSocketError();
            m_ErrorCode = backendErrorReceive;
        } else {
            ApplyResponse(*response);
        }
    }
    m_Busy = wasBusy;
    return m_ErrorCode == 0;
}

bool CVLBackendServer::Disconnect()
{
    if (IsConnected()) {
        CVLRequestDisconnect disconnect;
        disconnect.ValidateRequest();
        SendRequest(&disconnect, nullptr);
    }
    if (m_pSocket)
        m_pSocket->Close();
    m_Host = "";
    m_ConnectInfo = "";
    m_Port = 0xFFFFFFFFu;
    return m_ErrorCode == 0;
}

bool CVLBackendServer::MaintainConnection()
{
    if (!IsConnected()) {
        m_ErrorCode = backendErrorNotConnected;
        return false;
    }
    if (!m_Busy && !m_pSocket->IsBusy() && time(nullptr) - m_pSocket->GetLastActivityTime() > kKeepAliveIdleSeconds) {
        CVLRequestHandshake handshake;
        handshake.SetRequestId(CVLRequest::GenerateRequestId());
        CVLRequestResponse* answer = nullptr;
        SendRequest(&handshake, answer, kKeepAliveTimeoutSeconds, nullptr);
        delete answer;
    }
    return m_ErrorCode == 0;
}

bool CVLBackendServer::CheckReconnectResponse(CVLRequestResponse* response)
{
    (void)response;
    return false;
}

bool CVLBackendServer::ChooseEncryptionKey(bool keep, bool use, const CVLBuffer& key)
{
    if (keep)
        return true;
    if (!m_pSocket)
        return false;
    if (m_pSocket->IsEncrypted() && use)
        m_pSocket->SetEncryptionKey(key);
    return true;
}

void CVLBackendServer::CopyEncryptionKeysFrom(const CVLBackendServer& other)
{
    if (m_pSocket && other.m_pSocket)
        m_pSocket->CopyEncryptionKeysFrom(*other.m_pSocket);
}

const CVLBuffer* CVLBackendServer::GetEncryptionKey() const
{
    if (!m_pSocket || !m_pSocket->GetCrypt())
        return nullptr;
    return &m_pSocket->GetCrypt()->GetKeyConst();
}
