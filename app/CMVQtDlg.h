#pragma once

#include "CVLString.h"

#include <QDialog>
#include <QIcon>
#include <QPixmap>

class QAbstractButton;
class QCloseEvent;
class QKeyEvent;

// Base of the suite's dialogs: the application icon, a size fix and size adjustment on first
// show, Escape and F1 handling, a window close that goes through reject() (and stays open
// when reject() keeps the dialog), and the hooks for saving and restoring the window state.
class CMVQtDlg : public QDialog
{
    Q_OBJECT

public:
    CMVQtDlg(QWidget* parent, const char* name, Qt::WindowFlags flags = mgDefaultWindowCreationFlags);
    ~CMVQtDlg() override;

    virtual void SetHelpFileButton(QAbstractButton& button);
    // Keeps the width; the height becomes that of the minimum size hint.
    virtual void AdjustToPreferredSize();
    virtual void AdjustHeight(int height);
    virtual void AdjustWidthAndHeight(int width, int height);
    // No-ops here; a dialog that remembers its geometry overrides them.
    virtual void SaveWindowState();
    virtual bool RestoreWindowState();

    void setVisible(bool visible) override;
    // The first call runs OnInitDialog() and returns 0 without showing when it fails.
    int exec() override;

    void SetMinimumWidth();
    void SetupDlgIcon();
    void SetIgnoreEscape(bool ignore) { m_bIgnoreEscape = ignore; }
    void SetAdjustSize(bool adjust) { m_bAdjustSize = adjust; }
    void SetRememberState(bool remember) { m_bRememberState = remember; }
    const CVLString& GetStateName() const { return m_StateName; }
    bool WasShown() const { return m_bFirstShown; }

    // The application icon rendered once at 22 x 22 pixels (null while there is no icon).
    static const QPixmap& GetAppIconAsPixmap();
    static void SwapOkCancelButtonsOnMac(QWidget* okButton, QWidget* cancelButton);
    void ThisDlgHasNoOkCancelBtnsToSwapOnMac() {}

    static QIcon mgAppIcon;
    static const Qt::WindowFlags mgDefaultWindowCreationFlags;

public slots:
    virtual void slotHelpFile();
    void done(int result) override;

protected:
    virtual bool OnInitDialog();
    virtual void PreFirstTimeShow();

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    QIcon m_DlgIcon;
    bool m_bIgnoreEscape;
    bool m_bFirstShown;
    bool m_bAdjustSize;
    bool m_bInitialized;
    bool m_bRememberState;
    CVLString m_StateName;
};
