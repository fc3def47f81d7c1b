// Any file contents as the settings file. Beyond not crashing: every pair read is one a line
// of the file can hold (a non-empty key without colon or line break and without white space
// around it, a value without line break), the cache is sorted and holds each key once, and
// saving the cache and reading the saved file gives the same pairs.

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "FuzzSupport.h"
#include "LArray.h"
#include "RegistryUnix.h"

namespace {

// A home folder of the run's own, so that nothing of the user's is read or written.
const std::string& FuzzHome()
{
    static const std::string home = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vl-fuzz-settings-XXXXXX";
        const char* made = mkdtemp(&pattern[0]);
        FUZZ_CHECK(made != nullptr);
        setenv("HOME", made, 1);
        std::atexit([] {
            const char* home = std::getenv("HOME");
            if (home != nullptr) {
                unlink((std::string(home) + "/fuzz.conf").c_str());
                rmdir(home);
            }
        });
        return pattern;
    }();
    return home;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string Pairs(const AssocArray& cache)
{
    std::string out;
    for (unsigned i = 1; i <= cache.GetPairCount(); ++i) {
        const NamedPair* pair = cache.GetPairAt(i);
        FUZZ_CHECK(pair != nullptr);
        out += FuzzBytes(pair->GetKey());
        out += '\n';
        out += FuzzBytes(pair->GetValue());
        out += '\n';
    }
    return out;
}

// Known fault (fuzz/crashes/fuzz_settings_file/utf8-bom-ill-formed-*): a file that starts with
// a UTF-8 byte-order mark but is not well-formed UTF-8 is taken as UTF-8 without checking, up to
// its first zero byte: ill-formed bytes reach the cache and the lines after a zero byte are lost.
bool HitsKnownBomFault(const uint8_t* data, size_t size)
{
    return size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0
           && !CVLString::IsLegalUTF8String(data, static_cast<unsigned>(size));
}

// Known fault (fuzz/crashes/fuzz_settings_file/key-starting-with-bom-lost-on-save): a key that
// begins with U+FEFF is written first in the saved file, where the reader takes it for a
// byte-order mark, so that key (or its first character) is lost on the next read.
bool HitsKnownSavedBomFault(const AssocArray& cache)
{
    for (unsigned i = 1; i <= cache.GetPairCount(); ++i)
        if (FuzzBytes(cache.GetPairAt(i)->GetKey()).compare(0, 3, "\xEF\xBB\xBF") == 0)
            return true;
    return false;
}

void CheckCache(const AssocArray& cache, bool textMustBeUTF8)
{
    std::string previous;
    for (unsigned i = 1; i <= cache.GetPairCount(); ++i) {
        const NamedPair* pair = cache.GetPairAt(i);
        FUZZ_CHECK(pair != nullptr);
        const std::string key = FuzzBytes(pair->GetKey());
        const std::string value = FuzzBytes(pair->GetValue());
        FUZZ_CHECK(!key.empty());
        FUZZ_CHECK(key.find_first_of(":\n\r") == std::string::npos);
        FUZZ_CHECK(!IsSpace(key.front()) && !IsSpace(key.back()));
        FUZZ_CHECK(value.find_first_of("\n\r") == std::string::npos);
        if (textMustBeUTF8) {
            FUZZ_CHECK(CVLString::IsLegalUTF8String(pair->GetKey().GetUTF8Ptr(), pair->GetKey().GetLength()));
            FUZZ_CHECK(CVLString::IsLegalUTF8String(pair->GetValue().GetUTF8Ptr(), pair->GetValue().GetLength()));
        }
        if (i > 1)
            FUZZ_CHECK(pair->GetKey().Compare(CVLString(CVLString::Raw, previous.data(), previous.size())) > 0);
        previous = key;
    }
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const std::string path = FuzzHome() + "/fuzz.conf";
    FUZZ_CHECK(WriteFile(path, data, size));

    const bool knownFault = !FuzzStrict() && HitsKnownBomFault(data, size);
    std::string firstPairs;
    {
        CVLRegistry store(kClientID_UserFile, kRegKeyLocation_User, path.c_str());
        LArray list(sizeof(int32_t));
        const int found = store.Init(&list);
        FUZZ_CHECK(found == (store.GetCache().GetPairCount() > 0 ? 1 : 0));
        CheckCache(store.GetCache(), !knownFault);
        firstPairs = Pairs(store.GetCache());
        CVLString value;
        store.GetProperty("FormsPath.", value, 1);
        if (store.GetCache().GetPairCount() == 0 || knownFault
            || (!FuzzStrict() && HitsKnownSavedBomFault(store.GetCache())))
            return 0;
        FUZZ_CHECK(store.SaveProperties());
    }

    CVLRegistry reread(kClientID_UserFile, kRegKeyLocation_User, path.c_str());
    FUZZ_CHECK(reread.Init() == 1);
    const std::string secondPairs = Pairs(reread.GetCache());
    if (secondPairs != firstPairs)
        std::fprintf(stderr, "saved settings read back differently:\n[%s]\n[%s]\n", firstPairs.c_str(),
                     secondPairs.c_str());
    FUZZ_CHECK(secondPairs == firstPairs);
    unlink(path.c_str());
    return 0;
}
