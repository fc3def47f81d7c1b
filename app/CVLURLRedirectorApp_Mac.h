#pragma once

#include "CVLURLRedirectorApp.h"

class QTimer;

// The application as the desktop starts it: it waits up to five seconds for the open-URL
// event that carries the link, handles the link once and quits.
class CVLURLRedirectorApp_Mac : public CVLURLRedirectorApp
{
    Q_OBJECT

public:
    static const int kQuitTimeoutMS = 5000;

    // Starts the quit timer: without a valid open-URL event the application quits after 5000 ms.
    CVLURLRedirectorApp_Mac(int& argc, char** argv);
    ~CVLURLRedirectorApp_Mac() override;

    // A FileOpen event with a valid URL stores the link, stops the quit timer and schedules
    // the handling; every event then goes on to QApplication.
    bool event(QEvent* e) override;

    bool IsQuitTimerActive() const;

public slots:
    void slotHandleHLinkAndQuit();

private:
    QTimer* m_pQuitTimer;
};
