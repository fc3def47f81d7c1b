#include "AppTestSupport.h"

#include "CVLHyperlink.h"
#include "CVLQtConfigDlg.h"
#include "CVLURLRedirectorApp.h"
#include "VLProductNames.h"
#include "VLQtSharedMem.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace
{
const QString kAppTitle = QStringLiteral("Corvane ALM URL Redirector");

CVLURLRedirectorApp& App()
{
    return *qobject_cast<CVLURLRedirectorApp*>(QCoreApplication::instance());
}

QString Version()
{
    QString v;
    CVLURLRedirectorApp::GetVersionStr(v);
    return v;
}

class DispatchTest : public RedirectorHomeTest
{
protected:
    void SetUp() override
    {
        RedirectorHomeTest::SetUp();
        App().ReloadPrefs();
    }
    void TearDown() override
    {
        App().SetLink(CVLString());
        RedirectorHomeTest::TearDown();
    }

    // Sets the link and dispatches it.
    void Handle(const char* link)
    {
        App().SetLink(CVLString(link));
        App().HandleHLink();
    }

    // Expects the next window to be the preferences dialog; `drive` answers it.
    static void ExpectConfigDialog(bool& seen, std::function<void(CVLQtConfigDlg&)> drive)
    {
        CMVQtModalHook::EnqueueAction(
            [&seen, drive](QWidget* w)
            {
                CVLQtConfigDlg* dlg = qobject_cast<CVLQtConfigDlg*>(w);
                ASSERT_NE(dlg, nullptr) << "expected the preferences dialog, got " << w->metaObject()->className();
                seen = true;
                drive(*dlg);
            });
    }

    static void Cancel(CVLQtConfigDlg& dlg) { dlg.GetForm().buttonBox->button(QDialogButtonBox::Cancel)->click(); }
};
} // namespace

TEST(RedirectorAppTest, NamesVersionAndKey)
{
    EXPECT_STREQ(App().GetAppName(), "Corvane ALM URL Redirector");
#if defined(Q_OS_LINUX) && defined(__x86_64__)
    EXPECT_EQ(Version(), QStringLiteral("2026.2.0 Build 05 (Linux/x86-64)\n") + QString::fromUtf8(g_cszCopyright));
#endif
    EXPECT_TRUE(Version().startsWith(QStringLiteral("2026.2.0 Build 05 (")));
    EXPECT_EQ(App().GetSharedMemKey(), QStringLiteral("wowkgsskuxdqemj_657378_%1").arg(getuid()));
}

TEST(RedirectorAppTest, SpecialLinkMatching)
{
    struct Row
    {
        const char* link;
        bool matches;
    };
    // clang-format off
    const Row rows[] = {
        {"vlstudio://config",        true},
        {"vlstudio://config/",       true},
        {"vlstudio://config//",      false},
        {"vlstudio://config?x=1",    false},
        {"vlstudio://configure",     false},
        {"VLSTUDIO://config",        false},
        {"vlstudio://confi",         false},
        {"",                         false},
    };
    // clang-format on
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.link);
        App().SetLink(CVLString(r.link));
        EXPECT_EQ(App().BrowserIndHLinkMatch(QStringLiteral("vlstudio://config")), r.matches);
    }
    App().SetLink(CVLString());
}

TEST(RedirectorAppTest, LinkFromCommandLine)
{
    char prog[] = "vlurlredirector";
    char link[] = "vlstudio://print_version";
    char* argv[] = {prog, link, nullptr};
    int argc = 1;
    App().SetLink(CVLString("before"));
    App().ExtractArgumentsFromCommandLine(argc, argv);
    EXPECT_EQ(StdStr(App().GetLink()), "before");
    argc = 2;
    App().ExtractArgumentsFromCommandLine(argc, argv);
    EXPECT_EQ(StdStr(App().GetLink()), "vlstudio://print_version");
    App().SetLink(CVLString());
}

TEST_F(DispatchTest, VersionLinkWithAndWithoutSlash)
{
    for (const char* link : {"vlstudio://print_version", "vlstudio://print_version/"})
    {
        SCOPED_TRACE(link);
        SeenBox box;
        AnswerBox(box, QMessageBox::Ok);
        Handle(link);
        EXPECT_EQ(box.icon, QMessageBox::Information);
        EXPECT_EQ(box.title, kAppTitle);
        EXPECT_EQ(box.text, Version());
        EXPECT_EQ(box.buttons, QMessageBox::Ok);
        EXPECT_EQ(box.defaultButton, QMessageBox::Ok);
    }
}

TEST_F(DispatchTest, DebugLinkShowsDiagnostics)
{
    struct Row
    {
        const char* name;
        const char* user; // null: unset
        const char* expectedUserLine;
    };
    // clang-format off
    const Row rows[] = {
        {"user set",   "someone", "\nUser: someone\n"},
        {"user empty", "",        "\nUser: \n"},
        {"user unset", nullptr,   nullptr},
    };
    // clang-format on
    const char* oldUser = std::getenv("USER");
    const std::string savedUser = oldUser ? oldUser : "";
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.name);
        if (r.user)
            ::setenv("USER", r.user, 1);
        else
            ::unsetenv("USER");
        SeenBox box;
        AnswerBox(box, QMessageBox::Ok);
        Handle("vlstudio://print_debug/");
        EXPECT_EQ(box.icon, QMessageBox::Information);
        EXPECT_EQ(box.title, kAppTitle);
        const QString expectedStart = Version() + QStringLiteral("\n\nCurrent path: ") + QDir::currentPath() +
                                      QStringLiteral("\nApp path: ") + QCoreApplication::applicationFilePath() +
                                      QStringLiteral("\nSettings location: .molvar/vlurlredirector.conf");
        EXPECT_TRUE(box.text.startsWith(expectedStart)) << box.text.toStdString();
        EXPECT_TRUE(box.text.endsWith(QStringLiteral("\nMem key name: ") + App().GetSharedMemKey() +
                                      QStringLiteral("\nLink: vlstudio://print_debug/")))
            << box.text.toStdString();
        if (r.expectedUserLine)
            EXPECT_TRUE(box.text.contains(QString::fromUtf8(r.expectedUserLine))) << box.text.toStdString();
        else
            EXPECT_FALSE(box.text.contains(QStringLiteral("User:")));
    }
    if (oldUser)
        ::setenv("USER", savedUser.c_str(), 1);
    else
        ::unsetenv("USER");
}

TEST_F(DispatchTest, ConfigLinkOpensTheDialogWithChoice)
{
    for (const char* link : {"vlstudio://config", "vlstudio://config/"})
    {
        SCOPED_TRACE(link);
        bool seen = false;
        ExpectConfigDialog(seen,
                           [](CVLQtConfigDlg& dlg)
                           {
                               EXPECT_TRUE(dlg.GetForm().m_pNativeRadio->isEnabled());
                               EXPECT_TRUE(dlg.GetForm().m_pWebRadio->isEnabled());
                               dlg.GetForm().m_pWebRadio->click();
                               dlg.GetForm().buttonBox->button(QDialogButtonBox::Ok)->click();
                           });
        Handle(link);
        EXPECT_TRUE(seen);
        // Accepted: the application's preferences were reloaded from the saved file.
        EXPECT_EQ(App().GetPrefs().GetLinkOpenPref(), 2);
        WriteSettings("");
        App().ReloadPrefs();
    }
}

TEST_F(DispatchTest, SpecialTextFollowedByMoreIsAnOrdinaryLink)
{
    for (const char* link : {"vlstudio://config?x=1", "vlstudio://print_version/more", "vlstudio://print_debug//"})
    {
        SCOPED_TRACE(link);
        CVLString message;
        ASSERT_FALSE(CVLHyperlink::isValidHyperlink(CVLString(link), message));
        SeenBox box;
        AnswerBox(box, QMessageBox::Ok);
        Handle(link);
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_EQ(box.text, message.ToQString());
    }
}

TEST_F(DispatchTest, InvalidLinkShowsTheParserMessageAndStops)
{
    const char* link = "vlstudio://no server here";
    CVLString message;
    ASSERT_FALSE(CVLHyperlink::isValidHyperlink(CVLString(link), message));
    ASSERT_FALSE(message.IsEmpty());
    SeenBox box;
    AnswerBox(box, QMessageBox::Ok);
    Handle(link);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.title, kAppTitle);
    EXPECT_EQ(box.text, message.ToQString());
    EXPECT_EQ(StdStr(App().GetLink()), link); // never reached the space replacement
}

TEST_F(DispatchTest, EmptyErrorTextIsWorded)
{
    SeenBox box;
    AnswerBox(box, QMessageBox::Ok);
    App().DisplayErrorToUser(QString());
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, QStringLiteral("An unexpected error occurred."));
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
}

TEST_F(DispatchTest, IncompletePreferencesAskFirstAndCancelEndsSilently)
{
    // Fresh home: native client without a client path is not usable.
    const char* link = "vlstudio://127.0.0.1:1//My Project/dfct?recordID=1";
    CVLString message;
    ASSERT_TRUE(CVLHyperlink::isValidHyperlink(CVLString(link), message)) << StdStr(message);
    bool seen = false;
    ExpectConfigDialog(seen, [](CVLQtConfigDlg& dlg) { Cancel(dlg); });
    Handle(link);
    EXPECT_TRUE(seen);
    EXPECT_EQ(StdStr(App().GetLink()), link);
}

TEST_F(DispatchTest, WebRouteSeesSpacesAsPercentTwenty)
{
    // The preferences dialog opens first (nothing chosen yet); choosing the browser goes on.
    // A further link arriving while the dialog is open does not replace the validated one.
    bool seen = false;
    ExpectConfigDialog(seen,
                       [](CVLQtConfigDlg& dlg)
                       {
                           App().SetLink(CVLString("vlstudio://not validated"));
                           dlg.GetForm().m_pWebRadio->click();
                           dlg.GetForm().buttonBox->button(QDialogButtonBox::Ok)->click();
                       });
    // Nothing listens on port 1: the web route ends in one error box.
    SeenBox box;
    AnswerBox(box, QMessageBox::Ok);
    Handle("vlstudio://127.0.0.1:1//My Project/dfct?recordID=1");
    EXPECT_TRUE(seen);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(StdStr(App().GetLink()), "vlstudio://127.0.0.1:1//My%20Project/dfct?recordID=1");
}

TEST_F(DispatchTest, NativeRouteOffersTheLinkThroughSharedMemory)
{
    // A client path that exists and a short client timeout; a stand-in "running client" on
    // another thread takes the link from the segment and acknowledges it with a newer stamp.
    PerUserSegmentLock segmentLock;
    WriteSettings("openpref:1\nclientloc:" + Home() + "\ndefaultclienttimeout:1500\n");
    App().ReloadPrefs();
    const QString expected = QStringLiteral("vlstudio://127.0.0.1:1//My%20Project/dfct?recordID=1");
    const QString key = App().GetSharedMemKey();
    std::atomic<bool> taken(false);
    QString received;
    std::thread client(
        [&]()
        {
            CVLQtSharedMem reader;
            reader.SetKey(key);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
            while (std::chrono::steady_clock::now() < deadline)
            {
                QString text;
                bool changed = false;
                if (reader.ReadMemIfChanged(text, changed) && changed && text == expected)
                {
                    received = text;
                    // An acknowledgement stamped in the link's own millisecond reads as no
                    // change; let the clock move on first.
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    reader.WriteMem(QStringLiteral("taken"));
                    taken = true;
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    Handle("vlstudio://127.0.0.1:1//My Project/dfct?recordID=1");
    client.join();
    EXPECT_TRUE(taken);
    EXPECT_EQ(received, expected);
}
