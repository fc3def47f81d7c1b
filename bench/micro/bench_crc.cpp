// CRC-32 of a 64 MiB buffer against zlib's crc32(), and the request checksum (bytes with the
// low bit set) against the plain byte loop and memchr's bandwidth over the same bytes.
#include <benchmark/benchmark.h>

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "CVLFile.h"
#include "CVLReqBuffer.h"

namespace {

const size_t kCRCSize = 64u << 20;

const std::vector<unsigned char>& Data()
{
    static std::vector<unsigned char> data = [] {
        std::vector<unsigned char> v(kCRCSize);
        std::mt19937 random(7);
        for (auto& b : v)
            b = static_cast<unsigned char>(random());
        return v;
    }();
    return data;
}

void BM_CRC32_CVLFile(benchmark::State& state)
{
    const std::vector<unsigned char>& data = Data();
    for (auto _ : state) {
        unsigned crc = 0;
        CVLFile::baseCRC32(reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()), crc);
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(state.iterations() * data.size());
}
BENCHMARK(BM_CRC32_CVLFile)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_CRC32_zlib(benchmark::State& state)
{
    const std::vector<unsigned char>& data = Data();
    for (auto _ : state) {
        uLong crc = crc32(0L, data.data(), static_cast<uInt>(data.size()));
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(state.iterations() * data.size());
}
BENCHMARK(BM_CRC32_zlib)->Unit(benchmark::kMillisecond)->Repetitions(3);

// The request checksum over a typical large request (1 MiB; the data stays in cache levels
// comparable to a real request's).
const unsigned kChecksumSize = 1u << 20;

void BM_Checksum_CVLReqBuffer(benchmark::State& state)
{
    const std::vector<unsigned char>& data = Data();
    for (auto _ : state) {
        unsigned n = CVLReqBuffer::CountBytesWithLowBitSet(data.data(), kChecksumSize);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * kChecksumSize);
}
BENCHMARK(BM_Checksum_CVLReqBuffer)->Repetitions(3);

// The loop anyone would write first, kept at -O2 whatever the build type.
__attribute__((noinline, optimize("O2"), optimize("no-tree-vectorize"))) unsigned PlainLoop(const unsigned char* p,
                                                                                          unsigned count)
{
    unsigned total = 0;
    for (unsigned i = 0; i < count; ++i)
        if (p[i] & 1)
            ++total;
    return total;
}

void BM_Checksum_PlainLoop(benchmark::State& state)
{
    const std::vector<unsigned char>& data = Data();
    for (auto _ : state) {
        unsigned n = PlainLoop(data.data(), kChecksumSize);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * kChecksumSize);
}
BENCHMARK(BM_Checksum_PlainLoop)->Repetitions(3);

// Bandwidth bound: memchr for a byte that is not there reads every byte once.
void BM_Checksum_MemchrBandwidth(benchmark::State& state)
{
    static std::vector<unsigned char> zeros(kChecksumSize, 0);
    for (auto _ : state) {
        const void* hit = std::memchr(zeros.data(), 1, kChecksumSize);
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(state.iterations() * kChecksumSize);
}
BENCHMARK(BM_Checksum_MemchrBandwidth)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
