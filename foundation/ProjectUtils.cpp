#include "ProjectUtils.h"

#include "CApplicationSpecifics.h"
#include "CVLString.h"

CVLString& ProjectUtils::GetTypeString(CVLDbProject::VLProjType type, CVLString& name)
{
    switch (static_cast<int>(type)) {
    case 0: name = "Unsupported"; break;
    case 2: name = "RDBMS"; break;
    case 3: name = "%PRDNM% Native"; break;
    default: break;
    }
    return ReplaceAppSpecificCodesInCVLString(name);
}
