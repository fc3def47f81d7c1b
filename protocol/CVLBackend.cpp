#include "CVLBackend.h"

#include <QCoreApplication>

#include "CApplicationSpecifics.h"
#include "CVLRequestResponse.h"
#include "VLErrorMsgHelper.h"

namespace {

const uint32_t kReqErrorBit = 0x80000000u;

CVLString Translated(const char* text)
{
    return CVLString(QCoreApplication::translate("CVLBackend", text));
}

} // namespace

CVLBackend::CVLBackend() = default;

CVLBackend::~CVLBackend() = default;

bool CVLBackend::IsLoggedOn() const
{
    return IsConnected() && m_LoggedOn;
}

void CVLBackend::ClearError()
{
    m_ErrorCode = 0;
    m_DetailText = "";
    m_TransportError = false;
}

void CVLBackend::ForceSetLastError(unsigned code, const CVLString& text)
{
    ClearError();
    m_ErrorCode = code;
    m_DetailText = text;
}

bool CVLBackend::IsAllowedBeforeLogon(unsigned type)
{
    switch (type) {
    case 1: case 3: case 4: case 72: case 286: case 356: case 386: case 392: case 461: case 489:
    case 490: case 498: case 700: case 706: case 707: case 708: case 753: case 828: case 836:
    case 837: case 2051: case 2105: case 2118: case 2119: case 2226: case 2257: case 2284: case 2286:
        return true;
    default:
        return false;
    }
}

bool CVLBackend::GetBackendErrorText(unsigned code, CVLString& text)
{
    switch (code) {
    case backendErrorSend: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "An error occurred sending the request to the server.")); return true;
    case backendErrorInvalidRequest: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "The request is invalid.")); return true;
    case backendErrorNullRequest: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "A null request was sent.")); return true;
    case backendErrorReceive: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "The request to the server returned a failure.")); return true;
    case backendErrorNoSocket: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "Socket does not exist.")); return true;
    case backendErrorSocketInit: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "Socket DLL's could not be initialized.")); return true;
    case backendErrorCreateSocket: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "Could not create a socket.")); return true;
    case backendErrorConnect: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "Could not connect to host.")); return true;
    case backendErrorNotConnected: text = Translated(QT_TRANSLATE_NOOP("CVLBackend", "Not currently connected to host.")); return true;
    default: return false;
    }
}

void CVLBackend::GetErrorMsg(CVLString& text)
{
    const unsigned code = m_ErrorCode;
    const bool hasDetail = !m_DetailText.IsEmpty();
    const unsigned char catalogueCode = static_cast<unsigned char>(code & 0xFF);
    switch (code) {
    case 3: case 4: case 247:
        if (!hasDetail)
            VLErrorMsgHelper::GetDefaultErrorMessage(catalogueCode, text);
        break;
    case 17:
        VLErrorMsgHelper::GetDefaultErrorMessage(catalogueCode, text);
        m_LoggedOffNotice = true;
        break;
    case 21: case 23: case 86: case 107: case 158:
        if (hasDetail)
            text = "";
        else
            VLErrorMsgHelper::GetDefaultErrorMessage(catalogueCode, text);
        break;
    default:
        if (!GetBackendErrorText(code, text))
            VLErrorMsgHelper::GetDefaultErrorMessage(catalogueCode, text);
        break;
    }
    ReplaceAppSpecificCodesInCVLString(text);
    if (hasDetail && text.Find(m_DetailText) < 0) {
        if (!text.IsEmpty())
            text += (code == 18) ? "\n" : " ";
        text += m_DetailText;
    }
}

void CVLBackend::ApplyResponse(CVLRequestResponse& response)
{
    if (response.GetFlags() & kReqErrorBit) {
        response.GetErrorText(m_DetailText);
        // An error response must never read as success, even when its status is 0.
        m_ErrorCode = response.GetStatus() != 0 ? response.GetStatus() : static_cast<unsigned>(backendErrorReceive);
        if (response.GetStatus() == 17)
            m_LoggedOn = false;
        else if (response.GetStatus() == 148)
            m_LoggedOn = true;
        return;
    }
    switch (response.GetRequestType()) {
    case 4: case 72: case 2051: case 2118: case 2226: case 2257:
        m_LoggedOn = true;
        break;
    case 5:
        m_LoggedOn = false;
        break;
    case 356:
        if (CheckReconnectResponse(&response))
            m_LoggedOn = true;
        break;
    default:
        break;
    }
}
