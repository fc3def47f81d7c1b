// The LZW12 codec in process on the bytes of the files named by VL_BENCH_LZW_FILES
// (colon-separated, each read once into memory); compress -b12 / uncompress are timed on the
// same files as processes by bench.sh.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CMVCompressor.h"
#include "CMVDecompressor.h"
#include "CVLMemFile.h"

namespace {

bool LoadFile(const std::string& path, CVLMemFile& file)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    file.Open(CVLFile::kOpenCreate);
    std::vector<char> chunk(1 << 20);
    size_t n;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0)
        file.Write(chunk.data(), static_cast<unsigned>(n));
    std::fclose(f);
    file.Close();
    return true;
}

void Compress(benchmark::State& state, std::string path)
{
    CVLMemFile input;
    if (!LoadFile(path, input)) {
        state.SkipWithError("cannot read input");
        return;
    }
    for (auto _ : state) {
        CMVCompressor compressor;
        compressor.SetCompressionMethod(compressorModeLZW12);
        CVLMemFile output;
        if (compressor.CompressFile(input, output) != compressorNoError) {
            state.SkipWithError("compression failed");
            break;
        }
        state.counters["ratio"] = double(output.GetLength()) / input.GetLength();
    }
    state.SetBytesProcessed(state.iterations() * input.GetLength());
}

void Decompress(benchmark::State& state, std::string path)
{
    CVLMemFile original;
    if (!LoadFile(path, original)) {
        state.SkipWithError("cannot read input");
        return;
    }
    CVLMemFile packed;
    {
        CMVCompressor compressor;
        compressor.SetCompressionMethod(compressorModeLZW12);
        if (compressor.CompressFile(original, packed) != compressorNoError) {
            state.SkipWithError("compression failed");
            return;
        }
    }
    for (auto _ : state) {
        CMVDecompressor decompressor;
        CVLMemFile output;
        if (decompressor.DecompressFile(packed, output) != decompressorNoError ||
            output.GetLength() != original.GetLength()) {
            state.SkipWithError("decompression failed");
            break;
        }
    }
    // Throughput counted on the decoded bytes, as for uncompress.
    state.SetBytesProcessed(state.iterations() * original.GetLength());
}

}  // namespace

int main(int argc, char** argv)
{
    const char* files = std::getenv("VL_BENCH_LZW_FILES");
    std::string list = files ? files : "";
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        std::string path = list.substr(start, end - start);
        std::string name = path.substr(path.find_last_of('/') + 1);
        benchmark::RegisterBenchmark(("BM_LZW12_Compress/" + name).c_str(), Compress, path)
            ->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(2);
        benchmark::RegisterBenchmark(("BM_LZW12_Decompress/" + name).c_str(), Decompress, path)
            ->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(2);
        start = end + 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
