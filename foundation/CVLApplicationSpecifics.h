#pragma once

#include "CApplicationSpecifics.h"

// The application specifics of the URL redirector. main() creates one before anything else
// and destroys it last.
class CVLApplicationSpecifics : public CApplicationSpecifics
{
public:
    CVLApplicationSpecifics();
    ~CVLApplicationSpecifics() override;

    const char* GetServerDbDir() const override;
    const char* GetProjectsSubDir() const override;
    const char* GetInstallersFolder() const override;
    // The product flags 1, 4, 8, 16, 32 in this order.
    std::vector<unsigned> GetSupportedProducts() const override;
    const char* GetProductStr(unsigned productFlag) const override;
    bool IsSupported(unsigned productFlags) const override;
    bool IsSupported(unsigned productFlags, unsigned short clientType) const override;
    bool IsSupported(int feature) const override;
    CVLString& ReplaceAppSpecificCodesInCVLString(CVLString& text) const override;
    QString& ReplaceAppSpecificCodesInQString(QString& text) const override;
    const char* GetDTDDataName() const override;
    const char* GetDefaultCustomerDetailStylesheet() const override;
    const char* GetDefaultDefectDetailStylesheet() const override;
    const char* GetCustomerDetailStylesheetID() const override;
    const char* GetDefectDetailStylesheetID() const override;
    const char* GetDefaultTestCaseDetailStylesheet() const override;
    const char* GetDefaultTestRunDetailStylesheet() const override;
    const char* GetTestCaseDetailStylesheetID() const override;
    const char* GetTestRunDetailStylesheetID() const override;
    const char* GetTempFileNameAndPathUnix() const override;
    const char* GetTempFileNameUnix() const override;

    // The main item types dfct, tstc, tstr, rqmt, rdmt (four-character codes, high byte first).
    static int GetNumMainEntityTypes();
    // 0 outside 0..4.
    static unsigned GetMainEntityTypeAt(int index);
    // -1 for a code that is not a main item type.
    static int GetMainEntityTypeOrder(unsigned code);
    static bool IsMainEntityType(unsigned code);
    // True for dfct, rqmt and tstc.
    static bool DoesCoreItemTypeSupportChangelists(unsigned code);
};
