#include "CMVQtModalHook.h"

#include <QApplication>

#include <gtest/gtest.h>

// Qt's offscreen platform keeps its screen objects until the process ends; those are not
// leaks of this code, and a leak report would fail the test listing of sanitizer builds.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt5Gui.so\nleak:libQt5Core.so\nleak:libQt5Widgets.so\nleak:libqoffscreen.so\n";
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A box that a test did not expect is closed at once instead of hanging the run.
    CMVQtModalHook::SetDismissUnexpected(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
