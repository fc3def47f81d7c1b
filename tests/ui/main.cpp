#include "CMVQtModalHook.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A box that a test did not expect is closed at once instead of hanging the run.
    CMVQtModalHook::SetDismissUnexpected(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
