// File-to-file LZW12 through the redirector's codec, so the whole-process timing can stand
// next to compress -b12 / uncompress. Usage: lzw12_tool c|d <input> <output>
#include <cstdio>
#include <cstring>

#include "CMVCompressor.h"
#include "CMVDecompressor.h"
#include "CVLFile.h"

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "c") != 0 && std::strcmp(argv[1], "d") != 0)) {
        std::fprintf(stderr, "usage: lzw12_tool c|d <input> <output>\n");
        return 2;
    }
    CVLFile input{CVLString(argv[2])};
    CVLFile output{CVLString(argv[3])};
    int result;
    if (argv[1][0] == 'c') {
        CMVCompressor compressor;
        compressor.SetCompressionMethod(compressorModeLZW12);
        result = compressor.CompressFile(input, output);
    } else {
        CMVDecompressor decompressor;
        result = decompressor.DecompressFile(input, output);
    }
    if (result != 0)
        std::fprintf(stderr, "lzw12_tool: error %d\n", result);
    return result == 0 ? 0 : 1;
}
