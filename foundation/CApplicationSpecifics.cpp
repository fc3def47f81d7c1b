#include "CApplicationSpecifics.h"

#include "VLProductNames.h"

#include <QString>

CApplicationSpecifics* g_spApplicationSpecifics = nullptr;

CApplicationSpecifics::CApplicationSpecifics()
    : m_StartupLogName("Startup.log"), m_NumberedStartupLogName("Startup.%d.log")
{
    g_spApplicationSpecifics = this;
}

CApplicationSpecifics::~CApplicationSpecifics()
{
    // Only unregister ourselves: a newer object may have taken the slot meanwhile.
    if (g_spApplicationSpecifics == this)
        g_spApplicationSpecifics = nullptr;
}

const AppSpecificCodesMap& GetAppSpecificCodesToValueMap()
{
    static AppSpecificCodesMap codes;
    if (!codes.empty())
        return codes;

    CVLString productName(g_cszProductNameVLPro);
    CVLString appName;
    if (g_spApplicationSpecifics) {
        productName = g_spApplicationSpecifics->GetProductName();
        appName = g_spApplicationSpecifics->GetApplicationName();
    }

    // clang-format off
    const struct { const char* code; const char* value; } kFixed[] = {
        {"%GCOMPNM%", g_cszCompanyName},
        {"%GCOMPNML%", g_cszCompanyNameLong},
        {"%SNPRO%", g_cszSubProductNameVLPro},
        {"%SNTCM%", g_cszSubProductNameVLTCM},
        {"%SNRM%", g_cszSubProductNameVLRM},
        {"%SNPRO_FU%", g_cszSubProductNameVLPro_FU},
        {"%SNTCM_FU%", g_cszSubProductNameVLTCM_FU},
        {"%SNRM_FU%", g_cszSubProductNameVLRM_FU},
        {"%SNPRO_LC%", g_cszSubProductNameVLPro_LC},
        {"%SNTCM_LC%", g_cszSubProductNameVLTCM_LC},
        {"%SNRM_LC%", g_cszSubProductNameVLRM_LC},
        {"%GNSRV%", g_cszServerNameVLPro},
        {"%GNNCN%", g_cszNativeClientNameVLPro},
        {"%GNSCN%", g_cszNativeStudioClientNameVLPro},
        {"%GNAUN%", g_cszAdminUtilNameVLPro},
        {"%GNWCN%", g_cszWebClientNameVLPro},
        {"%GNWAN%", g_cszWebAdminNameVLPro},
        {"%GNRUN%", g_cszRegUtilNameVLPro},
        {"%GNSSB%", g_cszSisterToolNameVLPro},
        {"%GNWAD%", g_cszStartOfWebAddressVLPro},
        {"%GPRWA%", g_cszProductNameVLProWithArticle},
        {"%VLRSS%", g_cszVLProRSS},
        {"%GTCMWB%", g_cszTCMWeb},
        {"%GRMWB%", g_cszRMWeb},
        {"%GRMWB_FU%", g_cszRMWeb_FU},
        {"%GRMWB_LC%", g_cszRMWeb_LC},
        {"%VLPRD%", g_cszProductNameVLPro},
        {"%VLPRO%", g_cszSubProductNameVLPro},
        {"%VLTCM%", g_cszSubProductNameVLTCM},
        {"%VLSRV%", g_cszServerNameVLPro},
        {"%VLNCN%", g_cszNativeClientNameVLPro},
        {"%VLAUN%", g_cszAdminUtilNameVLPro},
        {"%VLWCN%", g_cszWebClientNameVLPro},
        {"%VLWAN%", g_cszWebAdminNameVLPro},
        {"%VLRUN%", g_cszRegUtilNameVLPro},
        {"%SCTRL_U%", g_cszSourceControlU},
        {"%SCTRL_L%", g_cszSourceControlL},
        {"%SCTRL_F%", g_cszSourceControlF},
        {"%QUILLETPRDNM%", g_cszProductNameQuillet},
        {"%JENKINSPRDNM%", g_cszProductNameJenkins},
        {"%SALES_EMAIL_ADDR%", g_cszSalesEmailAddress},
        {"%WBADMHELP%", g_cszWebAdminHelpURL},
        {"%WBVLSTUPGRADEHLP%", g_cszDownloadPageURL},
        {"%COPYRIGHT%", g_cszCopyright},
    };
    // clang-format on

    codes[CVLString("%PRDNM%")] = productName;
    codes[CVLString("%APPNM%")] = appName;
    for (const auto& entry : kFixed)
        codes[CVLString(entry.code)] = CVLString(entry.value);
    return codes;
}

CVLString& ReplaceCodesFromMap(const AppSpecificCodesMap& codes, CVLString& text)
{
    if (text.GetLength() == 0)
        return text;
    for (const auto& entry : codes) {
        // A percent sign is the first byte of every code: skip the work when none is left.
        if (text.GetCharCount('%') == 0)
            break;
        text.ReplaceCharSequence(entry.first.GetBufferPtr(), entry.second.GetBufferPtr());
    }
    return text;
}

QString& ReplaceCodesFromMap(const AppSpecificCodesMap& codes, QString& text)
{
    for (const auto& entry : codes) {
        if (!text.contains(QLatin1Char('%')))
            break;
        text.replace(QString::fromLatin1(entry.first.GetBufferPtr(), static_cast<int>(entry.first.GetLength())),
                     QString::fromUtf8(entry.second.GetBufferPtr(), static_cast<int>(entry.second.GetLength())),
                     Qt::CaseSensitive);
    }
    return text;
}

CVLString& ReplaceAppSpecificCodesInCVLString(CVLString& text)
{
    if (g_spApplicationSpecifics)
        g_spApplicationSpecifics->ReplaceAppSpecificCodesInCVLString(text);
    return text;
}

QString& ReplaceAppSpecificCodesInQString(QString& text)
{
    if (g_spApplicationSpecifics)
        g_spApplicationSpecifics->ReplaceAppSpecificCodesInQString(text);
    return text;
}
