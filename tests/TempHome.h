#pragma once

// Test support shared by the test executables that read and write the settings file under HOME.

#include "CVLString.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Str(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

// Runs writer in a forked child, kills the child after pauseNs nanoseconds and reaps it: a writer
// stopped at an arbitrary point. Fails the test (fatally) when the fork fails.
inline void RunWriterUntilKilled(long pauseNs, const std::function<void()>& writer)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writer();
        ::_exit(0);
    }
    struct timespec pause = {0, pauseNs};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
}

// A fresh folder under /tmp with HOME pointed at it, or at a folder made inside it, for one test.
// Remove puts the old HOME back (unsets it when there was none) and deletes the folder.
class TempHome
{
public:
    // pattern is a mkdtemp pattern; an empty subfolder makes the new folder itself the home.
    // Fails the test (fatally, seen by ASSERT_NO_FATAL_FAILURE) when the folder cannot be made.
    void Make(const char* pattern, const char* subfolder)
    {
        std::string name(pattern);
        ASSERT_NE(::mkdtemp(&name[0]), nullptr);
        m_Root = name;
        m_Home = m_Root;
        if (*subfolder != '\0') {
            m_Home += std::string("/") + subfolder;
            std::filesystem::create_directories(m_Home);
        }
        const char* oldHome = std::getenv("HOME");
        m_HadHome = oldHome != nullptr;
        if (m_HadHome)
            m_OldHome = oldHome;
        ::setenv("HOME", m_Home.c_str(), 1);
    }

    void Remove()
    {
        if (m_HadHome)
            ::setenv("HOME", m_OldHome.c_str(), 1);
        else
            ::unsetenv("HOME");
        std::error_code ec;
        std::filesystem::remove_all(m_Root, ec);
    }

    const std::string& Root() const { return m_Root; }
    const std::string& Home() const { return m_Home; }

private:
    std::string m_Root;
    std::string m_Home;
    std::string m_OldHome;
    bool m_HadHome = false;
};
