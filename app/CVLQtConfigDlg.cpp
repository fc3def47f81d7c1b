#include "CVLQtConfigDlg.h"

#include "CMVQtFileDlg.h"
#include "CVLQtMessageBox.h"
#include "CVLRUserPrefs.h"
#include "VLProductNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{
const char* const kClientNameCode = "%VLNCN%";
const int kMaxClientPathLength = 1024;

QString ClientName()
{
    return QString::fromUtf8(g_cszNativeClientNameVLPro);
}
} // namespace

CVLQtConfigDlg::CVLQtConfigDlg(QWidget* parent, bool allowChoice)
    : CVLQtDlg(parent, nullptr, mgDefaultWindowCreationFlags), m_bAllowChoice(allowChoice)
{
    m_Form.setupUi(this);
    ThisDlgHasNoOkCancelBtnsToSwapOnMac();
    setWindowTitle(QStringLiteral("Corvane ALM URL Redirector"));
    InitControls();
    UpdateControlAvailability();
    connect(m_Form.m_pBrowseClientBtn, &QPushButton::clicked, this, &CVLQtConfigDlg::slotBrowseClient);
    connect(m_Form.m_pBrowseWebBtn, &QPushButton::clicked, this, &CVLQtConfigDlg::slotBrowseWebBrowser);
    connect(m_Form.m_pNativeRadio, &QRadioButton::toggled, this, &CVLQtConfigDlg::slotRadioToggled);
}

CVLQtConfigDlg::~CVLQtConfigDlg() = default;

void CVLQtConfigDlg::InitControls()
{
    CVLRUserPrefs prefs;
    prefs.InitFromReg();

    if (prefs.GetLinkOpenPref() == CVLRUserPrefs::kLinkOpenPref_WebBrowser)
        m_Form.m_pWebRadio->setChecked(true);
    else if (prefs.GetLinkOpenPref() == CVLRUserPrefs::kLinkOpenPref_NativeClient)
        m_Form.m_pNativeRadio->setChecked(true);

    if (!m_bAllowChoice)
    {
        m_Form.m_pNativeRadio->setEnabled(false);
        m_Form.m_pWebRadio->setEnabled(false);
    }

    m_Form.m_pClientPathEdit->setText(prefs.GetClientPath().ToQString());
    m_Form.m_pClientPathEdit->setMaxLength(kMaxClientPathLength);
    m_Form.m_pBrowseWebFrame->hide();
    // Whole seconds, truncated; the spin box keeps the value within its 1..99 range.
    m_Form.m_spnTimeout->setValue(prefs.GetClientTimeout() / 1000);

    QString text = m_Form.m_pNativeRadio->text();
    text.replace(QLatin1String(kClientNameCode), ClientName(), Qt::CaseSensitive);
    m_Form.m_pNativeRadio->setText(text);
}

void CVLQtConfigDlg::UpdateControlAvailability()
{
    const bool native = m_Form.m_pNativeRadio->isChecked();
    m_Form.m_pClientPathEdit->setEnabled(native);
    m_Form.m_pBrowseClientBtn->setEnabled(native);
    const bool web = m_Form.m_pWebRadio->isChecked();
    m_Form.m_pBrowserPathEdit->setEnabled(web);
    m_Form.m_pBrowseWebBtn->setEnabled(web);
}

void CVLQtConfigDlg::slotRadioToggled()
{
    UpdateControlAvailability();
}

void CVLQtConfigDlg::CopyControlsToPrefs(CVLRUserPrefs& prefs) const
{
    if (m_Form.m_pWebRadio->isChecked())
        prefs.SetLinkOpenPref(CVLRUserPrefs::kLinkOpenPref_WebBrowser);
    else if (m_Form.m_pNativeRadio->isChecked())
        prefs.SetLinkOpenPref(CVLRUserPrefs::kLinkOpenPref_NativeClient);
    else
        prefs.SetLinkOpenPref(CVLRUserPrefs::kLinkOpenPref_NotChosen);
    prefs.SetClientPath(CVLString(m_Form.m_pClientPathEdit->text()));
    prefs.SetClientTimeout(m_Form.m_spnTimeout->value() * 1000);
}

void CVLQtConfigDlg::slotBrowseClient()
{
    QString defaultName = QStringLiteral("%VLNCN%.app");
    defaultName.replace(QLatin1String(kClientNameCode), ClientName(), Qt::CaseSensitive);
    const QString filter = tr("Executables (*.app);;All Files (*)");

    QString start = m_Form.m_pClientPathEdit->text();
    if (start.isEmpty() || !QFileInfo::exists(start))
        start = QCoreApplication::applicationDirPath();
    if (!start.endsWith(QLatin1Char('/')))
        start += QLatin1Char('/');
    start += defaultName;

    CMVQtFileDlg chooser(this);
    if (chooser.getOpenFileName(start, filter, QString(), nullptr, true))
        m_Form.m_pClientPathEdit->setText(chooser.GetFileName().ToQString());
}

void CVLQtConfigDlg::slotBrowseWebBrowser()
{
    QString start = m_Form.m_pClientPathEdit->text();
    if (start.isEmpty() || !QFileInfo::exists(start))
        start = QDir::currentPath();

    CMVQtFileDlg chooser(this);
    if (chooser.getOpenFileName(start, QString(), QString(), nullptr, true))
        m_Form.m_pBrowserPathEdit->setText(chooser.GetFileName().ToQString());
}

void CVLQtConfigDlg::accept()
{
    CVLRUserPrefs prefs;
    CopyControlsToPrefs(prefs);
    CVLString message;
    if (prefs.IsValid(&message) && prefs.FlushToReg(&message))
    {
        CVLQtDlg::accept();
        return;
    }
    CVLQtMessageBox::VLCriticalBoxOk(this, message);
}

void CVLQtConfigDlg::reject()
{
    CVLRUserPrefs stored;
    stored.InitFromReg();
    CVLRUserPrefs edited;
    CopyControlsToPrefs(edited);
    if (CVLRUserPrefs::IsEqualTo(stored, edited))
    {
        QDialog::reject();
        return;
    }
    const CVLQtMessageBox::Button answer = CVLQtMessageBox::VLQuestionBoxYesNoCancel(
        this, CVLString(tr("Changes have been made.\nDo you want to save the changes?")), QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        accept();
    else if (answer == QMessageBox::No)
        QDialog::reject();
}
