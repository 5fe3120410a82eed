// Decryption of a 1 MiB codec stream (the size of a large skin) against the library's raw
// Blowfish-ECB over the same bytes; both set up their key on every pass.
#include "RatioReporter.h"

#include "app/PasswordCodec.h"

#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>

namespace {

const QString kPassword = QStringLiteral("F6B0C1E8-72D9-4A3B-8C5E-9D14B7A2F063");
constexpr qsizetype kStreamSize = 1 << 20;

const QByteArray &Stream()
{
    static const QByteArray stream = [] {
        QByteArray plain(kStreamSize, Qt::Uninitialized);
        for (qsizetype i = 0; i < plain.size(); ++i)
            plain[i] = char(i * 7 + (i >> 11));
        return zelto::EncryptStreamWithPassword(plain, kPassword);
    }();
    return stream;
}

void BM_CodecDecrypt(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(zelto::DecryptStreamWithPassword(Stream(), kPassword));
    state.SetBytesProcessed(state.iterations() * kStreamSize);
}

void BM_LibraryEcbDecrypt(benchmark::State &state)
{
    const QByteArray key = zelto::PasswordKey(kPassword);
    const auto *in = reinterpret_cast<const unsigned char *>(Stream().constData());
    QByteArray out(Stream().size(), Qt::Uninitialized);
    auto *outBytes = reinterpret_cast<unsigned char *>(out.data());
    for (auto _ : state) {
        BF_KEY schedule;
        BF_set_key(&schedule, int(key.size()), reinterpret_cast<const unsigned char *>(key.constData()));
        for (qsizetype offset = 0; offset + 8 <= out.size(); offset += 8)
            BF_ecb_encrypt(in + offset, outBytes + offset, &schedule, BF_DECRYPT);
        benchmark::DoNotOptimize(outBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kStreamSize);
}

BENCHMARK(BM_CodecDecrypt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryEcbDecrypt)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return zelto::bench::RunAndPrintRatio(argc, argv, "BM_CodecDecrypt", "BM_LibraryEcbDecrypt",
                                          "codec decryption / Blowfish-ECB, 1 MiB");
}
