#pragma once

// A project database; only its kind is needed here.
class CVLDbProject
{
public:
    enum VLProjType {
        kProjType_Unsupported = 0,
        kProjType_RDBMS = 2,
        kProjType_Native = 3
    };
};
