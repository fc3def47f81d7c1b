// Runs the built program the way the desktop does: the link, if any, as its only argument.

#include "AppTestSupport.h"

#include "CVLHyperlink.h"
#include "CVLURLRedirectorApp.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

#include <memory>

namespace
{
const QString kProgram = QStringLiteral(VL_BINARY_DIR "/app/vlurlredirector");

class ProgramTest : public RedirectorHomeTest
{
protected:
    std::unique_ptr<QProcess> Start(const QStringList& args)
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), QString::fromStdString(Home()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // In sanitizer builds, Qt's platform objects outliving main() must not change the status.
        QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
        if (!asan.isEmpty())
            asan += QLatin1Char(':');
        env.insert(QStringLiteral("ASAN_OPTIONS"), asan + QStringLiteral("detect_leaks=0"));
        p->setProcessEnvironment(env);
        p->start(kProgram, args);
        EXPECT_TRUE(p->waitForStarted(5000)) << kProgram.toStdString();
        return p;
    }

    // Waits until the program's standard error contains `wanted` (true), or gives up.
    static bool WaitForStdErr(QProcess& p, const QByteArray& wanted, QByteArray& seen, int ms = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
        {
            seen += p.readAllStandardError();
            if (seen.contains(wanted))
                return true;
            if (p.state() == QProcess::NotRunning)
                break;
            p.waitForReadyRead(100);
        }
        seen += p.readAllStandardError();
        return seen.contains(wanted);
    }

    // The box waits for a person; the test has seen what it needs.
    static void Stop(QProcess& p)
    {
        p.kill();
        p.waitForFinished(5000);
    }

    void SetUp() override
    {
        RedirectorHomeTest::SetUp();
        ASSERT_TRUE(QFileInfo(kProgram).isExecutable()) << "build the vlurlredirector target first";
    }
};
} // namespace

TEST_F(ProgramTest, QuitsByItselfWithoutAValidLink)
{
    // Nothing at all, and a link the URL parser refuses (ignored like a missing one); both
    // quit after the five seconds with status 0 and show nothing.
    const QString invalidUrl = QStringLiteral("vlstudio://[bad");
    ASSERT_FALSE(QUrl(invalidUrl).isValid());
    QElapsedTimer t;
    t.start();
    auto nothing = Start({});
    auto invalid = Start({invalidUrl});
    ASSERT_TRUE(nothing->waitForFinished(10000));
    ASSERT_TRUE(invalid->waitForFinished(10000));
    const qint64 elapsed = t.elapsed();
    EXPECT_GE(elapsed, 4500);
    EXPECT_LT(elapsed, 9000);
    for (QProcess* p : {nothing.get(), invalid.get()})
    {
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0);
        // Only Qt's own start-up notes, no box text.
        const QByteArray err = p->readAllStandardError();
        EXPECT_FALSE(err.contains("Corvane")) << err.constData();
    }
}

TEST_F(ProgramTest, VersionLinkReportsTheVersion)
{
    QString version;
    CVLURLRedirectorApp::GetVersionStr(version);
    version.replace(QLatin1Char('\n'), QLatin1Char(' '));
    auto p = Start({QStringLiteral("vlstudio://print_version")});
    QByteArray seen;
    EXPECT_TRUE(WaitForStdErr(*p, version.toUtf8() + '\n', seen)) << seen.constData();
    EXPECT_TRUE(version.startsWith(QStringLiteral("2026.2.0 Build 05 (")));
    Stop(*p);
}

TEST_F(ProgramTest, InvalidLinkReportsTheParserMessage)
{
    const QString link = QStringLiteral("vlstudio://buildsrv//Project/dfct");
    CVLString message;
    ASSERT_FALSE(CVLHyperlink::isValidHyperlink(CVLString(QUrl(link).toString(QUrl::None)), message));
    auto p = Start({link});
    QByteArray seen;
    EXPECT_TRUE(WaitForStdErr(*p, QByteArray(message.GetBufferPtr(), static_cast<int>(message.GetLength())), seen))
        << seen.constData();
    Stop(*p);
}
