#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

// The one place every modal box and dialog of the application passes through on its way
// to the screen. It writes each message-box text to standard error (one line per box, so
// scripts and logs see what the user was told) and lets automated tests answer modal
// windows without a person: an action queued with EnqueueAction runs from inside the next
// modal window's own event loop, with that window as its argument.
class CMVQtModalHook
{
public:
    using Action = std::function<void(QWidget* modal)>;

    // Queues an action for the next modal window; actions run in the order queued, one per window.
    static void EnqueueAction(Action action);
    static void ClearActions();
    static int GetPendingActionCount();

    // When set, a modal window that finds no queued action is closed at once (as if the user
    // pressed Escape) and counted, so that an unexpected box cannot hang an unattended run.
    static void SetDismissUnexpected(bool dismiss);
    static int GetUnexpectedCount();
    static void ResetUnexpectedCount();

    // Arms the next queued action (or the unexpected-window dismissal) for a window that is
    // about to run its modal event loop; call it right before exec().
    static void PrepareModal(QDialog& modal);
    // PrepareModal, then exec().
    static int ExecModal(QDialog& modal);
    // The same for a message box; `text` is written to standard error first.
    static int ExecMessageBox(QDialog& box, const QString& text);

    // Writes one line to standard error: every line break of the text becomes a blank.
    static void LogMessageText(const QString& text);
};
