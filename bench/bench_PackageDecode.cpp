// Decoding every texture's top mip of the largest shared game package
// (BossSkins.utx, 22 textures of 256 × 256) in one process, beside reading the
// file's bytes: the decode should cost at most a few reads. Without the game's
// packages a synthetic one of the same shape stands in.

#include "TestPaths.h"
#include "UtxBuilder.h"
#include "package/UnrealPackage.h"
#include "services/SafeFile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The game's package, or a synthetic one written to `scratch`.
QString LargestPackage(const QTemporaryDir& scratch) {
    const QString real = FullPackagesDir() + QStringLiteral("/BossSkins.utx");
    if (QFileInfo::exists(real))
        return real;
    PackageBuilder builder(68);
    const qint32 palette = builder.palette(QStringLiteral("Pal"), QByteArray(1024, '\x40'));
    for (int i = 0; i < 22; ++i)
        builder.texture(QStringLiteral("Skin%1").arg(i),
                        TextureShape{0, 256, 256, QByteArray(256 * 256, char(i)), palette});
    const QString path = scratch.filePath(QStringLiteral("Synthetic.utx"));
    WriteFileAtomically(path, builder.build());
    return path;
}

const QString& Package() {
    static const QTemporaryDir scratch;
    static const QString path = LargestPackage(scratch);
    return path;
}

void BM_ReadBytes(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWholeFile(Package()));
}
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);

// The package opened once, as the wizard keeps it; each pass decodes every top mip.
void BM_DecodeEveryTopMip(benchmark::State& state) {
    const PackageResult<UnrealPackage> package = UnrealPackage::open(Package());
    qint64 pixels = 0;
    for (auto _ : state)
        for (int i = 0; package && i < package->exports().size(); ++i)
            if (package->isTexture(i))
                pixels += package->decodeTopMip(i)->pixels.size() / 4;
    state.counters["pixels"] = benchmark::Counter(double(pixels), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeEveryTopMip)->Unit(benchmark::kMillisecond);

// Opening it too: the header and tables, then every texture's properties and mips.
void BM_OpenAndDecodeEveryTopMip(benchmark::State& state) {
    for (auto _ : state) {
        const PackageResult<UnrealPackage> package = UnrealPackage::open(Package());
        for (int i = 0; package && i < package->exports().size(); ++i)
            if (package->isTexture(i))
                benchmark::DoNotOptimize(package->decodeTopMip(i));
    }
}
BENCHMARK(BM_OpenAndDecodeEveryTopMip)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
