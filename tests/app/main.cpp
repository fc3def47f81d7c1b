#include "CMVQtModalHook.h"
#include "CVLApplicationSpecifics.h"
#include "CVLURLRedirectorApp.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

// Qt's offscreen platform keeps its screen objects until the process ends; those are not
// leaks of this code, and a leak report would fail the test listing of sanitizer builds.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt5Gui.so\nleak:libQt5Core.so\nleak:libQt5Widgets.so\nleak:libqoffscreen.so\n";
}

// The tests run inside the redirector's own application object (without the quit timer of
// the desktop variant), so message boxes get the application's title as they do for users.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never read or write the real user's settings, not even while the application starts.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    ::setenv("HOME", home.path().toLocal8Bit().constData(), 1);

    CVLApplicationSpecifics specifics;
    CVLURLRedirectorApp app(argc, argv);
    // A box or dialog that a test did not expect is closed at once instead of hanging the run.
    CMVQtModalHook::SetDismissUnexpected(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
