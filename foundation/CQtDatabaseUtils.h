#pragma once

class CVLString;

// Kinds of project database. Values not named here have no meaning in this application.
enum MVDBType {
    kMVDBType_Unknown = 0,
    kMVDBType_SQLServer = 2,
    kMVDBType_PostgreSQL = 5,
    kMVDBType_Native = 6,
    kMVDBType_Last = 7
};

// Names of database kinds, their toolkit drivers and server platforms (table lookups).
class CQtDatabaseUtils
{
public:
    // 2 "ODBC - SQL Server", 5 "PostgreSQL", 6 "%PRDNM% Native" (codes replaced); 0, 1, 3, 4
    // and 7 "Unknown"; above 7 name is left unchanged.
    static CVLString& GetDatabaseTypeName(MVDBType type, CVLString& name);
    // 2 "QODBC3", 5 "QPSQL", 6 "QSQLITE"; anything else empty.
    static CVLString& GetQTDriverForDBType(MVDBType type, CVLString& driver);
    // Platform of a server (1 "Windows x86" ... 9 "MacOSX"); anything else empty.
    static CVLString& GetServerTypeName(unsigned short serverType, CVLString& name);
};
