#pragma once

#include "CVLString.h"

// A connection description to a relational database server; only its type is kept here.
class CVLDbRDBMSConnection
{
public:
    explicit CVLDbRDBMSConnection(int connectionType = 0) : m_ConnectionType(connectionType) {}

    int GetConnectionType() const { return m_ConnectionType; }
    void SetConnectionType(int connectionType) { m_ConnectionType = connectionType; }

    // 0 "ODBC - SQL Server", 3 "PostgreSQL", 4 "SQLite"; anything else "Unsupported".
    static CVLString GetConnectionTypeString(int connectionType);
    CVLString GetConnectionTypeString() const { return GetConnectionTypeString(m_ConnectionType); }

private:
    int m_ConnectionType;
};
