#pragma once

class CVLString;

// Words the one-byte error codes of the server as a title and a message for the user.
// Texts are translated (QObject::tr) but their product placeholders (%PRDNM%, %GNSRV%,
// %GNAUN%) are left in place: the caller replaces them right before showing the text
// (ReplaceAppSpecificCodesInCVLString), or uses GetErrorMessageForDisplay.
class VLErrorMsgHelper
{
public:
    // Empties both strings and fills them from the catalogue; the title stays empty for
    // rows without one. A code without a row gives "Error" / "Error N has occurred.".
    static void GetDefaultErrorMessage(unsigned char code, CVLString& title, CVLString& message);
    static void GetDefaultErrorMessage(unsigned char code, CVLString& message);

    // The same with the product placeholders already replaced.
    static void GetErrorMessageForDisplay(unsigned char code, CVLString& title, CVLString& message);

    // True when the catalogue has a row of its own for the code.
    static bool HasCatalogueEntry(unsigned char code);
};
