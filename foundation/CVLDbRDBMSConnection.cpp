#include "CVLDbRDBMSConnection.h"

CVLString CVLDbRDBMSConnection::GetConnectionTypeString(int connectionType)
{
    switch (connectionType) {
    case 0: return CVLString("ODBC - SQL Server");
    case 3: return CVLString("PostgreSQL");
    case 4: return CVLString("SQLite");
    default: return CVLString("Unsupported");
    }
}
