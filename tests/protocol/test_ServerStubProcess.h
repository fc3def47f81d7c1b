#pragma once

// Starts the built vlserver-stub on a free loopback port and stops it again.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

class StubProcess
{
public:
    StubProcess() = default;
    StubProcess(const StubProcess&) = delete;
    StubProcess& operator=(const StubProcess&) = delete;
    ~StubProcess()
    {
        if (m_Pid > 0)
            Stop();
    }

    static std::string BinaryPath() { return std::string(VL_BINARY_DIR) + "/tools/vlserver-stub"; }

    // Runs the stub with args and waits (at most 10 s) for its "port N" line.
    bool Start(const std::vector<std::string>& args, std::string* error = nullptr)
    {
        int out[2];
        if (pipe(out) != 0)
            return Fail(error, "pipe failed");
        std::string path = BinaryPath();
        std::vector<std::string> all{path};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_t pid = fork();
        if (pid < 0)
            return Fail(error, "fork failed");
        if (pid == 0) {
            dup2(out[1], 1);
            close(out[0]);
            close(out[1]);
            execv(path.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        m_Pid = pid;
        std::string line;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            pollfd p{out[0], POLLIN, 0};
            if (poll(&p, 1, 100) <= 0)
                continue;
            char buf[64];
            ssize_t n = read(out[0], buf, sizeof buf);
            if (n <= 0)
                break;
            line.append(buf, static_cast<size_t>(n));
        }
        close(out[0]);
        if (line.compare(0, 5, "port ") != 0)
            return Fail(error, "no port line from " + path + ": '" + line + "'");
        m_Port = static_cast<unsigned>(strtoul(line.c_str() + 5, nullptr, 10));
        return m_Port != 0 || Fail(error, "bad port line");
    }

    unsigned Port() const { return m_Port; }

    // SIGTERM, then the exit status (-1 when it had to be killed or did not exit normally).
    int Stop()
    {
        if (m_Pid <= 0)
            return -1;
        kill(m_Pid, SIGTERM);
        return Wait(5000);
    }

    // Waits for the process to end on its own; -1 after the time (it is then killed).
    int Wait(unsigned ms)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        int status = 0;
        for (;;) {
            pid_t r = waitpid(m_Pid, &status, WNOHANG);
            if (r == m_Pid)
                break;
            if (std::chrono::steady_clock::now() > deadline) {
                kill(m_Pid, SIGKILL);
                waitpid(m_Pid, &status, 0);
                m_Pid = -1;
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_Pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    bool Fail(std::string* error, const std::string& text)
    {
        if (error)
            *error = text;
        return false;
    }

    pid_t m_Pid = -1;
    unsigned m_Port = 0;
};
