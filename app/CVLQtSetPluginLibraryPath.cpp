#include "CVLQtSetPluginLibraryPath.h"

#include <QCoreApplication>
#include <QDir>

void CVLQtSetPluginLibraryPath::SetPluginLibraryPath(const QString& applicationDirectory)
{
#if defined(Q_OS_MACOS)
    Q_UNUSED(applicationDirectory);
#else
    if (applicationDirectory.isEmpty())
        return;
    const QString folder = QStringLiteral("qtplugins/") + QString::number(QT_POINTER_SIZE * 8);
    const QDir plugins(QDir(applicationDirectory).filePath(folder));
    if (plugins.exists())
        QCoreApplication::addLibraryPath(plugins.absolutePath());
#endif
}
