#pragma once

// Shared helpers of the fuzz targets: a property check that stops the run the way a sanitizer
// finding does (so libFuzzer keeps the input), and byte views of the project's string types.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CVLString.h"

#define FUZZ_CHECK(condition)                                                                        \
    do {                                                                                             \
        if (!(condition)) {                                                                          \
            std::fprintf(stderr, "fuzz property violated: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            __builtin_trap();                                                                        \
        }                                                                                            \
    } while (0)

inline std::string FuzzBytes(const CVLString& text)
{
    return std::string(text.GetBufferPtr(), text.GetLength());
}

// The bytes as they arrive, not checked or converted.
inline CVLString FuzzRawString(const uint8_t* data, size_t size)
{
    return CVLString(CVLString::Raw, reinterpret_cast<const char*>(data), static_cast<unsigned>(size));
}

// Faults already reported (their inputs are kept under fuzz/crashes/<target>/) are stepped
// around so that a run can still find new ones; VL_FUZZ_STRICT=1 checks them as well.
inline bool FuzzStrict()
{
    static const bool strict = [] {
        const char* value = std::getenv("VL_FUZZ_STRICT");
        return value != nullptr && value[0] != '\0' && value[0] != '0';
    }();
    return strict;
}
