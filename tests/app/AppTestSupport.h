#pragma once

// Shared by the application tests: a temporary home folder with the redirector's settings
// file, and answering the modal windows the code under test opens.

#include "CMVQtModalHook.h"
#include "CVLApplicationSpecifics.h"
#include "CVLString.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

inline std::string StdStr(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

// What a test saw of a message box it answered.
struct SeenBox
{
    bool shown = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString title;
    QString text;
};

// Queues an answer for the next modal window: it must be a message box; it is recorded and
// `click` is pressed.
inline void AnswerBox(SeenBox& seen, QMessageBox::StandardButton click)
{
    CMVQtModalHook::EnqueueAction(
        [&seen, click](QWidget* w)
        {
            QMessageBox* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr) << "expected a message box, got " << w->metaObject()->className();
            seen.shown = true;
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            seen.defaultButton =
                box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
            seen.title = box->windowTitle();
            seen.text = box->text();
            if (QAbstractButton* b = box->button(click))
                b->click();
        });
}

// A fresh home folder per test, the system client file pointed at a file that does not exist.
class RedirectorHomeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_Home.isValid());
        const char* old = std::getenv("HOME");
        m_OldHome = old ? old : "";
        ::setenv("HOME", m_Home.path().toLocal8Bit().constData(), 1);
        m_OldSystemFile = g_spApplicationSpecifics->GetClientConfigFile();
        g_spApplicationSpecifics->SetClientConfigFile(CVLString((Home() + "/no-vlclient.conf").c_str()));
        CMVQtModalHook::ClearActions();
        CMVQtModalHook::ResetUnexpectedCount();
    }

    void TearDown() override
    {
        EXPECT_EQ(CMVQtModalHook::GetPendingActionCount(), 0) << "a window the test expected never opened";
        EXPECT_EQ(CMVQtModalHook::GetUnexpectedCount(), 0) << "a window opened that the test did not expect";
        CMVQtModalHook::ClearActions();
        g_spApplicationSpecifics->SetClientConfigFile(m_OldSystemFile);
        ::setenv("HOME", m_OldHome.c_str(), 1);
    }

    std::string Home() const { return m_Home.path().toStdString(); }
    std::string SettingsFile() const { return Home() + "/.molvar/vlurlredirector.conf"; }

    void WriteSettings(const std::string& text)
    {
        ::mkdir((Home() + "/.molvar").c_str(), 0700);
        std::ofstream(SettingsFile(), std::ios::binary | std::ios::trunc) << text;
    }

    std::string ReadSettings() const
    {
        std::ifstream in(SettingsFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    QTemporaryDir m_Home;
    std::string m_OldHome;
    CVLString m_OldSystemFile;
};

// The per-user shared-memory segment is one per user, not one per test: tests that offer
// links through it (in this process or in a started redirector) hold this lock, so parallel
// test processes do not take each other's links.
class PerUserSegmentLock
{
public:
    PerUserSegmentLock()
    {
        const std::string path = "/tmp/vlurlredirector-segment-tests-" + std::to_string(::getuid()) + ".lock";
        m_Fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_Fd >= 0)
            ::flock(m_Fd, LOCK_EX);
    }
    ~PerUserSegmentLock()
    {
        if (m_Fd >= 0)
            ::close(m_Fd); // releases the lock
    }
    PerUserSegmentLock(const PerUserSegmentLock&) = delete;
    PerUserSegmentLock& operator=(const PerUserSegmentLock&) = delete;

private:
    int m_Fd = -1;
};
