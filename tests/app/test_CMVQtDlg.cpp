#include "CMVQtModalHook.h"
#include "CMVQtDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace
{
// Counts the hooks the base class calls.
class ProbeDlg : public CMVQtDlg
{
public:
    explicit ProbeDlg(bool initOk) : CMVQtDlg(nullptr, ""), m_bInitOk(initOk)
    {
        setWindowTitle(QStringLiteral("Probe dialog title"));
        QVBoxLayout* layout = new QVBoxLayout(this);
        QPushButton* help = new QPushButton(QStringLiteral("Help"), this);
        help->setObjectName(QStringLiteral("m_Help"));
        layout->addWidget(help);
    }
    void slotHelpFile() override { ++m_nHelp; }
    bool OnInitDialog() override
    {
        ++m_nInit;
        return m_bInitOk;
    }
    void SaveWindowState() override { ++m_nSaved; }

    bool m_bInitOk;
    int m_nInit = 0;
    int m_nHelp = 0;
    int m_nSaved = 0;
};
} // namespace

TEST(DialogBaseTest, FailedInitialisationNeverShows)
{
    ProbeDlg dlg(false);
    EXPECT_EQ(dlg.exec(), 0);
    EXPECT_FALSE(dlg.WasShown());
    EXPECT_EQ(dlg.m_nInit, 1);
}

TEST(DialogBaseTest, FirstShowEscapeHelpAndDone)
{
    CMVQtModalHook::ClearActions();
    ProbeDlg dlg(true);
    EXPECT_TRUE(dlg.isSizeGripEnabled());
    CMVQtModalHook::EnqueueAction(
        [&dlg](QWidget*)
        {
            EXPECT_TRUE(dlg.WasShown());
            // No object name: the window title names the saved state, blanks as "_".
            EXPECT_EQ(std::string(dlg.GetStateName().GetBufferPtr()), "Probe_dialog_title");
            EXPECT_EQ(dlg.height(), dlg.minimumSizeHint().height());
            QTest::keyClick(&dlg, Qt::Key_F1);
            dlg.findChild<QPushButton*>(QStringLiteral("m_Help"))->click();
            dlg.SetIgnoreEscape(true);
            QTest::keyClick(&dlg, Qt::Key_Escape);
            EXPECT_TRUE(dlg.isVisible());
            dlg.SetIgnoreEscape(false);
            QTest::keyClick(&dlg, Qt::Key_Escape);
        });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_EQ(dlg.m_nHelp, 2);
    EXPECT_EQ(dlg.m_nSaved, 1);
    EXPECT_EQ(CMVQtModalHook::GetPendingActionCount(), 0);

    // Later runs skip the initialisation.
    CMVQtModalHook::EnqueueAction([&dlg](QWidget*) { dlg.accept(); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nInit, 1);
}

TEST(DialogBaseTest, DialogsTakeTheApplicationIcon)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    CMVQtDlg::mgAppIcon = QIcon(pixmap);
    ProbeDlg dlg(true);
    EXPECT_FALSE(dlg.windowIcon().isNull());
    // Rendered for 22 x 22; a smaller picture is not blown up.
    EXPECT_FALSE(CMVQtDlg::GetAppIconAsPixmap().isNull());
    EXPECT_LE(CMVQtDlg::GetAppIconAsPixmap().width(), 22);
    CMVQtDlg::mgAppIcon = QIcon();
}
