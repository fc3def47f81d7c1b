#pragma once

#include "CVLDbProject.h"

class CVLString;

class ProjectUtils
{
public:
    // 0 "Unsupported", 2 "RDBMS", 3 "%PRDNM% Native"; any other value leaves name as it was.
    // The placeholder codes are replaced afterwards.
    static CVLString& GetTypeString(CVLDbProject::VLProjType type, CVLString& name);
};
