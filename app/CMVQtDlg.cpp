#include "CMVQtDlg.h"

#include "CMVQtModalHook.h"
#include "MVQtWidgetUtils.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

QIcon CMVQtDlg::mgAppIcon;
const Qt::WindowFlags CMVQtDlg::mgDefaultWindowCreationFlags =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

namespace
{
// Room left for the desktop's own decorations when a dialog is grown to fit the screen.
const int kScreenMargin = 39;

QSize AvailableSize(const QWidget& w)
{
    QScreen* screen = w.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}
} // namespace

CMVQtDlg::CMVQtDlg(QWidget* parent, const char* name, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_bIgnoreEscape(false), m_bFirstShown(false), m_bAdjustSize(true), m_bInitialized(false),
      m_bRememberState(true)
{
    setObjectName(QString::fromUtf8(name ? name : ""));
    setSizeGripEnabled(true);
    SetupDlgIcon();
}

CMVQtDlg::~CMVQtDlg() = default;

void CMVQtDlg::SetupDlgIcon()
{
    if (!m_DlgIcon.isNull())
        setWindowIcon(m_DlgIcon);
    else if (!mgAppIcon.isNull())
        setWindowIcon(mgAppIcon);
}

void CMVQtDlg::SetHelpFileButton(QAbstractButton& button)
{
    connect(&button, &QAbstractButton::clicked, this, &CMVQtDlg::slotHelpFile);
}

void CMVQtDlg::AdjustToPreferredSize()
{
    resize(width(), minimumSizeHint().height());
}

void CMVQtDlg::AdjustHeight(int height)
{
    const QSize avail = AvailableSize(*this);
    resize(width(), qMin(height, avail.height() - kScreenMargin));
}

void CMVQtDlg::AdjustWidthAndHeight(int width, int height)
{
    const QSize avail = AvailableSize(*this);
    resize(qMin(width, avail.width() - kScreenMargin), qMin(height, avail.height() - kScreenMargin));
}

void CMVQtDlg::SaveWindowState() {}

bool CMVQtDlg::RestoreWindowState()
{
    return false;
}

void CMVQtDlg::slotHelpFile() {}

bool CMVQtDlg::OnInitDialog()
{
    return true;
}

void CMVQtDlg::PreFirstTimeShow()
{
    FixButtonSizesForUnix(this);
    if (m_bRememberState)
    {
        QString name = objectName();
        if (name.isEmpty())
            name = windowTitle();
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        m_StateName = name;
        if (!RestoreWindowState() && m_bAdjustSize)
            AdjustToPreferredSize();
    }
    if (QPushButton* help = findChild<QPushButton*>(QStringLiteral("m_Help")))
        SetHelpFileButton(*help);
}

void CMVQtDlg::setVisible(bool visible)
{
    if (visible && !m_bFirstShown)
    {
        PreFirstTimeShow();
        m_bFirstShown = true;
    }
    QDialog::setVisible(visible);
}

int CMVQtDlg::exec()
{
    if (!m_bInitialized)
    {
        m_bInitialized = true;
        if (!OnInitDialog())
            return 0;
    }
    CMVQtModalHook::PrepareModal(*this);
    return QDialog::exec();
}

void CMVQtDlg::done(int result)
{
    if (m_bRememberState)
        SaveWindowState();
    QDialog::done(result);
}

void CMVQtDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_bIgnoreEscape)
    {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F1)
    {
        event->accept();
        slotHelpFile();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMVQtDlg::closeEvent(QCloseEvent* event)
{
    const int earlier = result();
    setResult(-1);
    reject();
    if (result() == -1)
    {
        // reject() kept the dialog open (the user cancelled its question).
        setResult(earlier);
        event->ignore();
        return;
    }
    event->accept();
}

void CMVQtDlg::SetMinimumWidth()
{
    setMinimumWidth(QFontMetrics(font()).horizontalAdvance(windowTitle()) + 160);
}

const QPixmap& CMVQtDlg::GetAppIconAsPixmap()
{
    static QPixmap s_Pixmap;
    if (s_Pixmap.isNull() && !mgAppIcon.isNull())
        s_Pixmap = mgAppIcon.pixmap(22, 22);
    return s_Pixmap;
}

void CMVQtDlg::SwapOkCancelButtonsOnMac(QWidget* okButton, QWidget* cancelButton)
{
    SwapQtOkCancelButtonsOnMac(okButton, cancelButton);
}
