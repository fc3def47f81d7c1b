#include "CQtDatabaseUtils.h"

#include "CApplicationSpecifics.h"
#include "CVLString.h"

CVLString& CQtDatabaseUtils::GetDatabaseTypeName(MVDBType type, CVLString& name)
{
    switch (static_cast<int>(type)) {
    case 2: name = "ODBC - SQL Server"; break;
    case 5: name = "PostgreSQL"; break;
    case 6:
        name = "%PRDNM% Native";
        ReplaceAppSpecificCodesInCVLString(name);
        break;
    case 0: case 1: case 3: case 4: case 7: name = "Unknown"; break;
    default: break;
    }
    return name;
}

CVLString& CQtDatabaseUtils::GetQTDriverForDBType(MVDBType type, CVLString& driver)
{
    switch (static_cast<int>(type)) {
    case 2: driver = "QODBC3"; break;
    case 5: driver = "QPSQL"; break;
    case 6: driver = "QSQLITE"; break;
    default: driver.Empty(); break;
    }
    return driver;
}

CVLString& CQtDatabaseUtils::GetServerTypeName(unsigned short serverType, CVLString& name)
{
    static const char* const kNames[] = {"",           "Windows x86", "MacOSX",    "Solaris 32", "Linux x86",
                                         "MacOSX",     "Windows x64", "Linux x64", "Solaris 64", "MacOSX"};
    if (serverType < sizeof(kNames) / sizeof(kNames[0]))
        name = kNames[serverType];
    else
        name.Empty();
    return name;
}
