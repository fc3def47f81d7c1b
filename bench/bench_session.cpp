// A whole web-address conversation with the stand-in server (TCP connect, key agreement,
// one encrypted look-up, disconnect) against the two Diffie-Hellman operations the client
// performs in it, and the full-size load run.

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "CMVCrypt_Base.h"
#include "CMVCrypt_Factory.h"
#include "test_ServerStubProcess.h"
#include "test_ServerStubSession.h"

namespace {

StubProcess& Stub()
{
    static StubProcess stub;
    static bool started = stub.Start({"--project", "abc=https://alm.example.com/cgi,42"});
    if (!started)
        fprintf(stderr, "cannot start %s\n", StubProcess::BinaryPath().c_str());
    return stub;
}

void BM_FullSession(benchmark::State& state)
{
    unsigned port = Stub().Port();
    for (auto _ : state) {
        LookupResult r = ResolveOnce("127.0.0.1", port, "abc");
        if (!r.ok) {
            state.SkipWithError(r.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(r.projectId);
    }
}
BENCHMARK(BM_FullSession)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The client's part of the key agreement: its key pair and the shared secret.
void BM_DiffieHellmanAlone(benchmark::State& state)
{
    std::unique_ptr<CMVCrypt_Base> server(CMVCrypt_Factory::EncryptionClassFactory(1));
    CVLBuffer serverPublic;
    server->GetPublicKey(serverPublic);
    for (auto _ : state) {
        std::unique_ptr<CMVCrypt_Base> client(CMVCrypt_Factory::EncryptionClassFactory(1));
        CVLBuffer own;
        client->GetPublicKey(own);
        bool ok = client->SetSecretKeyFromPublic(serverPublic);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_DiffieHellmanAlone)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// 200 concurrent sessions of 20 look-ups each; failures are counted, not tolerated.
void BM_Load200x20(benchmark::State& state)
{
    unsigned port = Stub().Port();
    for (auto _ : state) {
        std::atomic<int> failures{0};
        std::vector<std::thread> threads;
        for (int s = 0; s < 200; ++s) {
            threads.emplace_back([&] {
                CVLBackendServer backend;
                if (!backend.Initialize(true) || !backend.Connect("127.0.0.1", port, CVLString()) ||
                    !SendConnect(backend)) {
                    ++failures;
                    return;
                }
                for (int i = 0; i < 20; ++i)
                    if (!LookUp(backend, "abc").ok)
                        ++failures;
                backend.Disconnect();
            });
        }
        for (auto& t : threads)
            t.join();
        state.counters["failures"] = failures.load();
    }
}
BENCHMARK(BM_Load200x20)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
