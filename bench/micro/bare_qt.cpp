// The smallest Widgets program: starts, shows nothing, quits. The whole-process figures of the
// redirector are measured against it.
#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
