// The session cipher and the 2014 key agreement against bare OpenSSL calls on the same data:
// AES-256-OFB with the key and IV computed beforehand, and DH_generate_key / DH_compute_key on
// the same group.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>

#include <openssl/bn.h>
#include <openssl/dh.h>
#include <openssl/evp.h>

#include <cstring>
#include <memory>
#include <vector>

#include "CMVCrypt_AES256.h"
#include "CMVDiffieHellman_2014.h"
#include "CVLBuffer.h"

namespace {

const unsigned char kKeyMaterial[] = "a key agreed by both peers, 32+ bytes long";

CMVCrypt_AES256& Cipher()
{
    static CMVCrypt_AES256 cipher;
    static bool keyed = [] {
        CVLBuffer key;
        key.AppendToBuffer(kKeyMaterial, sizeof kKeyMaterial - 1);
        cipher.SetKey(key);
        return true;
    }();
    (void)keyed;
    return cipher;
}

void BM_AES_CMVCrypt(benchmark::State& state)
{
    const unsigned size = static_cast<unsigned>(state.range(0));
    CMVCrypt_AES256& cipher = Cipher();
    CVLBuffer buffer;
    buffer.Alloc(size);
    std::memset(buffer.GetNonConstBufferPtr(), 'x', size);
    for (auto _ : state) {
        bool ok = cipher.EncryptBuffer(buffer, size);
        if (!ok) {
            state.SkipWithError("EncryptBuffer failed");
            break;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_AES_CMVCrypt)->Arg(100)->Arg(1 << 20)->Repetitions(3);

// What a user of libcrypto would write: one context, key and IV known, restart per message.
void BM_AES_BareEVP(benchmark::State& state)
{
    const unsigned size = static_cast<unsigned>(state.range(0));
    unsigned char key[32];
    unsigned char iv[16];
    if (!Cipher().GetDerivedKeyAndIV(key, iv)) {
        state.SkipWithError("no key");
        return;
    }
    std::vector<unsigned char> buffer(size, 'x');
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    const EVP_CIPHER* aes = EVP_aes_256_ofb();
    for (auto _ : state) {
        int produced = 0;
        int tail = 0;
        bool ok = EVP_EncryptInit_ex(ctx, aes, nullptr, key, iv) == 1 &&
                  EVP_EncryptUpdate(ctx, buffer.data(), &produced, buffer.data(), static_cast<int>(size)) == 1 &&
                  EVP_EncryptFinal_ex(ctx, buffer.data() + produced, &tail) == 1;
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
    EVP_CIPHER_CTX_free(ctx);
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_AES_BareEVP)->Arg(100)->Arg(1 << 20)->Repetitions(3);

// Key pair plus shared secret through the redirector's classes.
void BM_DH_CMVCrypt(benchmark::State& state)
{
    CMVCrypt_AES256 server;
    CVLBuffer serverPublic;
    server.GetPublicKey(serverPublic);
    for (auto _ : state) {
        CMVCrypt_AES256 client;
        CVLBuffer own;
        bool ok = client.GetPublicKey(own) && client.SetSecretKeyFromPublic(serverPublic);
        if (!ok) {
            state.SkipWithError("key agreement failed");
            break;
        }
    }
}
BENCHMARK(BM_DH_CMVCrypt)->Unit(benchmark::kMillisecond)->Repetitions(3);

DH* NewGroup()
{
    DH* dh = DH_new();
    BIGNUM* p = nullptr;
    BIGNUM* g = BN_new();
    BN_hex2bn(&p, CMVDiffieHellman_2014::kPrimeHex);
    BN_set_word(g, CMVDiffieHellman_2014::kGenerator);
    DH_set0_pqg(dh, p, nullptr, g);
    return dh;
}

void BM_DH_Bare(benchmark::State& state)
{
    DH* server = NewGroup();
    DH_generate_key(server);
    const BIGNUM* serverPublic = DH_get0_pub_key(server);
    std::vector<unsigned char> secret(DH_size(server));
    for (auto _ : state) {
        DH* client = NewGroup();
        bool ok = DH_generate_key(client) == 1 && DH_compute_key(secret.data(), serverPublic, client) > 0;
        DH_free(client);
        if (!ok) {
            state.SkipWithError("DH failed");
            break;
        }
    }
    DH_free(server);
}
BENCHMARK(BM_DH_Bare)->Unit(benchmark::kMillisecond)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
