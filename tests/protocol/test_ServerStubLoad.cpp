// Many concurrent conversations against one stand-in server: every exchange must succeed.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "test_ServerStubProcess.h"
#include "test_ServerStubSession.h"

namespace {

struct LoadFigures
{
    int failures = 0;
    std::string firstFailure;
    double seconds = 0;
};

LoadFigures RunLoad(unsigned port, int sessions, int lookupsPerSession)
{
    std::atomic<int> failures{0};
    std::mutex mutex;
    std::string firstFailure;
    auto note = [&](const std::string& text) {
        ++failures;
        std::lock_guard<std::mutex> lock(mutex);
        if (firstFailure.empty())
            firstFailure = text;
    };
    auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> threads;
    threads.reserve(sessions);
    for (int s = 0; s < sessions; ++s) {
        threads.emplace_back([&, s] {
            CVLBackendServer backend;
            if (!backend.Initialize(true) || !backend.Connect("127.0.0.1", port, CVLString())) {
                note("connect: " + Failed(backend).message);
                return;
            }
            if (!SendConnect(backend)) {
                note("key exchange: " + Failed(backend).message);
                return;
            }
            const char* project = (s % 2) ? "abc" : "def";
            const unsigned id = (s % 2) ? 42 : 7;
            for (int i = 0; i < lookupsPerSession; ++i) {
                LookupResult r = LookUp(backend, project);
                if (!r.ok || r.projectId != id)
                    note("look-up: " + r.message);
            }
            if (!backend.Disconnect())
                note("disconnect: " + Failed(backend).message);
        });
    }
    for (auto& t : threads)
        t.join();
    LoadFigures f;
    f.failures = failures;
    f.firstFailure = firstFailure;
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return f;
}

} // namespace

TEST(ServerStubLoad, TwoHundredConcurrentSessionsOfTwentyLookUps)
{
    StubProcess stub;
    std::string error;
    ASSERT_TRUE(stub.Start({"--project", "abc=https://a.example/cgi,42", "--project", "def=http://d.example/w,7"},
                           &error))
        << error;
    LoadFigures f = RunLoad(stub.Port(), 200, 20);
    EXPECT_EQ(f.failures, 0) << f.firstFailure;
    RecordProperty("seconds", std::to_string(f.seconds));
    EXPECT_EQ(stub.Stop(), 0);
}
