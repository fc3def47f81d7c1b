#pragma once

// Keeps the single-button message boxes (CVLQtMessageBox::VL...BoxOk) from showing for its
// lifetime by raising the process-wide block count; scopes nest.
class CQtModalDialogBlocker
{
public:
    CQtModalDialogBlocker();
    virtual ~CQtModalDialogBlocker();

    CQtModalDialogBlocker(const CQtModalDialogBlocker&) = delete;
    CQtModalDialogBlocker& operator=(const CQtModalDialogBlocker&) = delete;
};
