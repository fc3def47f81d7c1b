#include "AppTestSupport.h"

#include "CVLQtConfigDlg.h"
#include "CVLRUserPrefs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace
{
const QString kClientPathText = QStringLiteral(
    "Choose a valid Corvane ALM Client executable to launch if there is no open client to handle the link.");
const QString kChangesText = QStringLiteral("Changes have been made.\nDo you want to save the changes?");

class ConfigDlgTest : public RedirectorHomeTest
{
protected:
    // Runs the dialog; `drive` works on it from inside its event loop.
    int Run(bool allowChoice, std::function<void(CVLQtConfigDlg&)> drive)
    {
        CVLQtConfigDlg dlg(nullptr, allowChoice);
        CMVQtModalHook::EnqueueAction(
            [&dlg, drive](QWidget* w)
            {
                EXPECT_EQ(w, &dlg);
                drive(dlg);
            });
        return dlg.exec();
    }

    static void ClickOk(CVLQtConfigDlg& dlg) { dlg.GetForm().buttonBox->button(QDialogButtonBox::Ok)->click(); }
    static void ClickCancel(CVLQtConfigDlg& dlg) { dlg.GetForm().buttonBox->button(QDialogButtonBox::Cancel)->click(); }

    static CVLRUserPrefs Stored()
    {
        CVLRUserPrefs prefs;
        prefs.InitFromReg();
        return prefs;
    }
};
} // namespace

TEST_F(ConfigDlgTest, FirstRunShowsNativeClientAndRefusesOkWithoutPath)
{
    SeenBox box;
    bool stayedOpen = false;
    const int result = Run(true,
                           [&](CVLQtConfigDlg& dlg)
                           {
                               const Ui_CVLQtConfigDlg_ui& f = dlg.GetForm();
                               EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Corvane ALM URL Redirector"));
                               EXPECT_EQ(dlg.objectName(), QStringLiteral("CVLQtConfigDlg_ui"));
                               EXPECT_EQ(f.m_pNativeRadio->text(), QStringLiteral("&Use the Corvane ALM Client"));
                               EXPECT_TRUE(f.m_pNativeRadio->isChecked());
                               EXPECT_FALSE(f.m_pWebRadio->isChecked());
                               EXPECT_TRUE(f.m_pClientPathEdit->text().isEmpty());
                               EXPECT_EQ(f.m_pClientPathEdit->maxLength(), 1024);
                               EXPECT_EQ(f.m_spnTimeout->value(), 2);
                               EXPECT_FALSE(f.m_pBrowseWebFrame->isVisible());
                               // Word-wrapping labels are widened on first show.
                               EXPECT_GE(f.label->minimumWidth(), 400);

                               AnswerBox(box, QMessageBox::Ok);
                               ClickOk(dlg);
                               stayedOpen = dlg.isVisible();
                               ClickCancel(dlg); // nothing changed: closes without asking
                           });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, kClientPathText);
    EXPECT_EQ(box.title, QStringLiteral("Corvane ALM URL Redirector"));
}

TEST_F(ConfigDlgTest, RadioButtonsEnableThePathRow)
{
    Run(true,
        [&](CVLQtConfigDlg& dlg)
        {
            const Ui_CVLQtConfigDlg_ui& f = dlg.GetForm();
            EXPECT_TRUE(f.m_pClientPathEdit->isEnabled());
            EXPECT_TRUE(f.m_pBrowseClientBtn->isEnabled());
            f.m_pWebRadio->click();
            EXPECT_FALSE(f.m_pClientPathEdit->isEnabled());
            EXPECT_FALSE(f.m_pBrowseClientBtn->isEnabled());
            EXPECT_TRUE(f.m_pBrowserPathEdit->isEnabled());
            f.m_pNativeRadio->click();
            EXPECT_TRUE(f.m_pClientPathEdit->isEnabled());
            EXPECT_TRUE(f.m_pBrowseClientBtn->isEnabled());
            EXPECT_FALSE(f.m_pBrowserPathEdit->isEnabled());
            ClickCancel(dlg);
        });
}

TEST_F(ConfigDlgTest, WithoutAllowChoiceOnlyPathAndTimeoutCanChange)
{
    Run(false,
        [&](CVLQtConfigDlg& dlg)
        {
            const Ui_CVLQtConfigDlg_ui& f = dlg.GetForm();
            EXPECT_FALSE(f.m_pNativeRadio->isEnabled());
            EXPECT_FALSE(f.m_pWebRadio->isEnabled());
            EXPECT_TRUE(f.m_pClientPathEdit->isEnabled());
            EXPECT_TRUE(f.m_pBrowseClientBtn->isEnabled());
            EXPECT_TRUE(f.m_spnTimeout->isEnabled());
            ClickCancel(dlg);
        });
}

TEST_F(ConfigDlgTest, BrowserChoiceSavesOpenPreferenceTwoWithoutPath)
{
    const int result = Run(true,
                           [&](CVLQtConfigDlg& dlg)
                           {
                               dlg.GetForm().m_pWebRadio->click();
                               ClickOk(dlg);
                           });
    EXPECT_EQ(result, QDialog::Accepted);
    const CVLRUserPrefs stored = Stored();
    EXPECT_EQ(stored.GetLinkOpenPref(), 2);
    EXPECT_EQ(stored.GetClientTimeout(), 2000);
    EXPECT_NE(ReadSettings().find("openpref:2"), std::string::npos);
}

TEST_F(ConfigDlgTest, NativeChoiceWithExistingPathSaves)
{
    const std::string client = Home() + "/Client.app";
    ::mkdir(client.c_str(), 0755);
    const int result = Run(true,
                           [&](CVLQtConfigDlg& dlg)
                           {
                               dlg.GetForm().m_pClientPathEdit->setText(QString::fromStdString(client));
                               dlg.GetForm().m_spnTimeout->setValue(7);
                               ClickOk(dlg);
                           });
    EXPECT_EQ(result, QDialog::Accepted);
    const CVLRUserPrefs stored = Stored();
    EXPECT_EQ(stored.GetLinkOpenPref(), 1);
    EXPECT_EQ(StdStr(stored.GetClientPath()), client);
    EXPECT_EQ(stored.GetClientTimeout(), 7000);
}

TEST_F(ConfigDlgTest, CancelAfterAChangeAsks)
{
    WriteSettings("openpref:2\ndefaultclienttimeout:3000\n");
    const std::string before = ReadSettings();

    struct Row
    {
        const char* name;
        QMessageBox::StandardButton answer;
        int expectedResult;
        bool expectStillOpen; // after the question
        int expectedStoredTimeout;
    };
    // clang-format off
    const Row rows[] = {
        {"No discards",        QMessageBox::No,     QDialog::Rejected, false, 3000},
        {"Yes saves",          QMessageBox::Yes,    QDialog::Accepted, false, 9000},
        {"Cancel stays open",  QMessageBox::Cancel, QDialog::Rejected, true,  3000},
    };
    // clang-format on
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.name);
        WriteSettings(before);
        SeenBox question;
        bool stillOpen = false;
        const int result = Run(true,
                               [&](CVLQtConfigDlg& dlg)
                               {
                                   EXPECT_EQ(dlg.GetForm().m_spnTimeout->value(), 3);
                                   dlg.GetForm().m_spnTimeout->setValue(9);
                                   AnswerBox(question, r.answer);
                                   ClickCancel(dlg);
                                   stillOpen = dlg.isVisible();
                                   if (stillOpen)
                                   {
                                       dlg.GetForm().m_spnTimeout->setValue(3); // back to what is stored
                                       ClickCancel(dlg);
                                   }
                               });
        EXPECT_EQ(result, r.expectedResult);
        EXPECT_EQ(stillOpen, r.expectStillOpen);
        EXPECT_EQ(question.icon, QMessageBox::Question);
        EXPECT_EQ(question.text, kChangesText);
        EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(question.defaultButton, QMessageBox::Cancel);
        EXPECT_EQ(Stored().GetClientTimeout(), r.expectedStoredTimeout);
    }
}

TEST_F(ConfigDlgTest, TimeoutIsShownInWholeSeconds)
{
    // 2500 ms shows as 2 and saves back as 2000.
    WriteSettings("openpref:2\ndefaultclienttimeout:2500\n");
    int shown = 0;
    Run(true,
        [&](CVLQtConfigDlg& dlg)
        {
            shown = dlg.GetForm().m_spnTimeout->value();
            ClickOk(dlg);
        });
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(Stored().GetClientTimeout(), 2000);

    // 500 ms shows as the minimum 1 second, which differs from what is stored: Cancel asks.
    WriteSettings("openpref:2\ndefaultclienttimeout:500\n");
    SeenBox question;
    Run(true,
        [&](CVLQtConfigDlg& dlg)
        {
            shown = dlg.GetForm().m_spnTimeout->value();
            AnswerBox(question, QMessageBox::No);
            ClickCancel(dlg);
        });
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(question.shown);
    EXPECT_EQ(Stored().GetClientTimeout(), 500);
}

TEST_F(ConfigDlgTest, EscapeAndWindowCloseGoThroughReject)
{
    WriteSettings("openpref:2\n");
    // Escape without changes closes at once.
    EXPECT_EQ(Run(true, [](CVLQtConfigDlg& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); }), QDialog::Rejected);

    // Closing the window after a change asks; Cancel keeps the window open.
    SeenBox question;
    bool closeAccepted = true;
    const int result = Run(true,
                           [&](CVLQtConfigDlg& dlg)
                           {
                               dlg.GetForm().m_spnTimeout->setValue(5);
                               AnswerBox(question, QMessageBox::Cancel);
                               QCloseEvent close;
                               QApplication::sendEvent(&dlg, &close);
                               closeAccepted = close.isAccepted();
                               EXPECT_TRUE(dlg.isVisible());
                               dlg.GetForm().m_spnTimeout->setValue(2);
                               QTest::keyClick(&dlg, Qt::Key_F1); // help does nothing here
                               EXPECT_TRUE(dlg.isVisible());
                               ClickCancel(dlg);
                           });
    EXPECT_TRUE(question.shown);
    EXPECT_FALSE(closeAccepted);
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(ConfigDlgTest, CopyControlsToPrefs)
{
    CVLQtConfigDlg dlg(nullptr, true);
    const Ui_CVLQtConfigDlg_ui& f = dlg.GetForm();
    f.m_pClientPathEdit->setText(QStringLiteral("/opt/Corvane ALM Client.app"));
    f.m_spnTimeout->setValue(12);
    CVLRUserPrefs prefs;
    dlg.CopyControlsToPrefs(prefs);
    EXPECT_EQ(prefs.GetLinkOpenPref(), 1);
    EXPECT_EQ(StdStr(prefs.GetClientPath()), "/opt/Corvane ALM Client.app");
    EXPECT_EQ(prefs.GetClientTimeout(), 12000);
    f.m_pWebRadio->setChecked(true);
    dlg.CopyControlsToPrefs(prefs);
    EXPECT_EQ(prefs.GetLinkOpenPref(), 2);
}
