#include "CMVQtModalHook.h"

#include <QDialog>
#include <QAbstractButton>
#include <QPushButton>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <deque>

namespace
{
std::deque<CMVQtModalHook::Action>& Actions()
{
    static std::deque<CMVQtModalHook::Action> s_Actions;
    return s_Actions;
}

bool g_bDismissUnexpected = false;
int g_nUnexpected = 0;

// Closes a window the way Escape would; a message box without an escape button gets its
// default (or first) button, a dialog that refuses to close is closed as rejected.
void Dismiss(QDialog* modal)
{
    if (QMessageBox* box = qobject_cast<QMessageBox*>(modal))
    {
        QAbstractButton* button = box->escapeButton();
        if (!button)
            button = box->defaultButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        if (button)
        {
            button->click();
            return;
        }
    }
    QPointer<QDialog> target(modal);
    modal->reject();
    if (target && target->isVisible())
        target->done(QDialog::Rejected);
}

void ArmFor(QDialog& modal)
{
    QPointer<QDialog> target(&modal);
    if (!Actions().empty())
    {
        CMVQtModalHook::Action action = std::move(Actions().front());
        Actions().pop_front();
        // Fires from inside the window's own event loop, once exec() has shown it.
        QTimer::singleShot(0, &modal,
                           [target, action]()
                           {
                               if (target)
                                   action(target.data());
                           });
    }
    else if (g_bDismissUnexpected)
    {
        QTimer::singleShot(0, &modal,
                           [target]()
                           {
                               if (!target)
                                   return;
                               ++g_nUnexpected;
                               Dismiss(target.data());
                           });
    }
}
} // namespace

void CMVQtModalHook::EnqueueAction(Action action)
{
    Actions().push_back(std::move(action));
}

void CMVQtModalHook::ClearActions()
{
    Actions().clear();
}

int CMVQtModalHook::GetPendingActionCount()
{
    return static_cast<int>(Actions().size());
}

void CMVQtModalHook::SetDismissUnexpected(bool dismiss)
{
    g_bDismissUnexpected = dismiss;
}

int CMVQtModalHook::GetUnexpectedCount()
{
    return g_nUnexpected;
}

void CMVQtModalHook::ResetUnexpectedCount()
{
    g_nUnexpected = 0;
}

void CMVQtModalHook::PrepareModal(QDialog& modal)
{
    ArmFor(modal);
}

int CMVQtModalHook::ExecModal(QDialog& modal)
{
    ArmFor(modal);
    return modal.exec();
}

int CMVQtModalHook::ExecMessageBox(QDialog& box, const QString& text)
{
    LogMessageText(text);
    return ExecModal(box);
}

void CMVQtModalHook::LogMessageText(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QByteArray bytes = line.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}
