#pragma once

#include <QString>

// Lets a relocated installation bring its own Qt plug-ins: a "qtplugins/64" (or "32") folder
// beside the program is added to Qt's library paths. Qt's own paths stay in place, and on
// macOS nothing changes at all. Call before the application object is created.
class CVLQtSetPluginLibraryPath
{
public:
    static void SetPluginLibraryPath(const QString& applicationDirectory);
};
