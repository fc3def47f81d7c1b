#include "CMVQtDlg.h"
#include "CVLApplicationSpecifics.h"
#include "CVLTranslationInstaller.h"
#include "CVLURLRedirectorApp_Mac.h"

#include <QFileOpenEvent>
#include <QIcon>
#include <QUrl>

int main(int argc, char** argv)
{
    CVLApplicationSpecifics appSpecifics;
    CVLURLRedirectorApp::SetPluginLibraryPaths();

    CVLURLRedirectorApp_Mac app(argc, argv);
    // Before any text is looked up: every box and message then speaks the user's language.
    CVLTranslationInstaller translations;
    CMVQtDlg::mgAppIcon = QIcon(QStringLiteral(":/vlurlredirector"));

#if !defined(Q_OS_MACOS)
    // Desktops without open-URL events hand the link over on the command line; it enters
    // through the same event the macOS desktop sends, so one path handles both.
    if (argc > 1 && argv[1])
        QCoreApplication::postEvent(&app, new QFileOpenEvent(QUrl(QString::fromLocal8Bit(argv[1]))));
#endif

    const int status = app.exec();
    CMVQtDlg::mgAppIcon = QIcon();
    return status;
}
