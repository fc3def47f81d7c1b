#include "CVLURLRedirectorApp_Mac.h"

#include <QFileOpenEvent>
#include <QTimer>
#include <QUrl>

CVLURLRedirectorApp_Mac::CVLURLRedirectorApp_Mac(int& argc, char** argv)
    : CVLURLRedirectorApp(argc, argv), m_pQuitTimer(new QTimer(this))
{
    m_pQuitTimer->setInterval(kQuitTimeoutMS);
    m_pQuitTimer->setSingleShot(true);
    connect(m_pQuitTimer, &QTimer::timeout, this, &QCoreApplication::quit);
    m_pQuitTimer->start();
}

CVLURLRedirectorApp_Mac::~CVLURLRedirectorApp_Mac() = default;

bool CVLURLRedirectorApp_Mac::event(QEvent* e)
{
    if (e && e->type() == QEvent::FileOpen)
    {
        const QUrl url = static_cast<QFileOpenEvent*>(e)->url();
        if (url.isValid())
        {
            m_Link = url.toString(QUrl::None);
            m_pQuitTimer->stop();
            // Runs from the event loop once this event has been delivered.
            QTimer::singleShot(0, this, &CVLURLRedirectorApp_Mac::slotHandleHLinkAndQuit);
        }
    }
    return QApplication::event(e);
}

bool CVLURLRedirectorApp_Mac::IsQuitTimerActive() const
{
    return m_pQuitTimer->isActive();
}

void CVLURLRedirectorApp_Mac::slotHandleHLinkAndQuit()
{
    HandleHLink();
    quit();
}
