#pragma once

#include "CVLQtDlg.h"
#include "ui_CVLQtConfigDlg.h"

class CVLRUserPrefs;

// The preferences dialog: native client or web browser, the client's path and the client
// timeout. Reads the settings file when built and writes it on OK; callers reload their
// preferences after an accepted run. Without allow-choice only the path and timeout can change.
class CVLQtConfigDlg : public CVLQtDlg
{
    Q_OBJECT

public:
    CVLQtConfigDlg(QWidget* parent, bool allowChoice);
    ~CVLQtConfigDlg() override;

    void InitControls();
    void UpdateControlAvailability();
    void CopyControlsToPrefs(CVLRUserPrefs& prefs) const;

    const Ui_CVLQtConfigDlg_ui& GetForm() const { return m_Form; }

public slots:
    // Validates and saves; on failure shows why and stays open.
    void accept() override;
    // Asks before discarding changes; Cancel in the question keeps the dialog open.
    void reject() override;
    void slotBrowseClient();
    void slotBrowseWebBrowser();
    void slotRadioToggled();

private:
    bool m_bAllowChoice;
    Ui_CVLQtConfigDlg_ui m_Form;
};
