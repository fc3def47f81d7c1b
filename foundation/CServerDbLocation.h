#pragma once

#include "CVLString.h"

enum MVDBVendorType {
    kMVDBVendor_Unknown = 0,
    kMVDBVendor_SQLServer = 2,
    kMVDBVendor_Other = 3,
    kMVDBVendor_PostgreSQL = 4,
    kMVDBVendor_SQLite = 5
};

// Where a server database lives; only the vendor names are needed here.
class CServerDbLocation
{
public:
    // 2 "Microsoft SQL Server", 4 "PostgreSQL", 5 "SQLite"; anything else "Unknown".
    static CVLString GetDatabaseVendorName(MVDBVendorType vendor);
};
