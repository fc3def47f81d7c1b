#include "CServerDbLocation.h"

CVLString CServerDbLocation::GetDatabaseVendorName(MVDBVendorType vendor)
{
    switch (static_cast<int>(vendor)) {
    case 2: return CVLString("Microsoft SQL Server");
    case 4: return CVLString("PostgreSQL");
    case 5: return CVLString("SQLite");
    default: return CVLString("Unknown");
    }
}
