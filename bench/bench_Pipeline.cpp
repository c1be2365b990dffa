// The package pipeline on synthetic packages of 1k, 10k and 100k names: read,
// filter with a 200-entry filter list, sort, guess the type, generate the
// .int text; beside it the cost of only reading the file's bytes, and each
// stage alone, to see where the time goes.
//
// `bench_Pipeline --write-fixture DIR` instead writes the program folder
// (catalogue and filter list) and the 100k-name package into DIR, for timing
// whole programs on the same input (bench/pipeline_ratio.sh).

#include "UtxBuilder.h"
#include "catalogue/SkinCatalogue.h"
#include "engine/FilterList.h"
#include "engine/NameSorter.h"
#include "engine/PackageReader.h"
#include "engine/ScriptWriter.h"
#include "engine/WizardSession.h"
#include "services/DataFiles.h"
#include "services/SafeFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int FilterEntries = 200;
constexpr char PackageName[] = "SoldierSkins_Bench";

// The engine's names a texture package carries, which the filter drops.
const QStringList EngineNames = {"None",  "InternalTime", "Color",    "UBits",   "VBits",
                                 "USize", "VSize",        "MaxColor", "MipZero", "Texture",
                                 "Core",  "Engine",       "Class",    "Package"};

// Skins of four-letter codes, each with its body, team and face textures,
// and one engine or palette name in ten.
QString ShortName(int count) {
    return QStringLiteral("%1_%2").arg(QLatin1String(PackageName)).arg(count);
}

QStringList PackageNames(int count) {
    QStringList names{ShortName(count)};
    for (int i = 0; names.size() < count; ++i) {
        const QString code = QStringLiteral("%1").arg(i, 4, 36, QLatin1Char('0')).right(4);
        switch (i % 10) {
        case 0:
            names.append(EngineNames[(i / 10) % EngineNames.size()] + QString::number(i));
            break;
        case 1:
            names.append(code + QStringLiteral("1t_") + QString::number(i % 4));
            break;
        case 2:
        case 3:
            names.append(code + QStringLiteral("4Face") + QString::number(i));
            break;
        default:
            names.append(code + QString::number(1 + i % 5));
        }
    }
    return names;
}

// The shipped kind of entries, padded to 200 with entries that match nothing.
QStringList FilterListEntries() {
    QStringList entries;
    for (const QString& name : EngineNames)
        entries.append(name.toLower());
    entries.append(QStringLiteral("palette"));
    for (int i = entries.size(); i < FilterEntries; ++i)
        entries.append(QStringLiteral("enginename%1").arg(i));
    return entries;
}

// A program folder with the catalogue and the filter list, and one package
// file per size, made once.
bool WriteProgramFiles(const QDir& dir) {
    const QByteArray catalogue = "[SoldierSkins]\r\nExcl=\"t_\"\r\nSkinC=\"1\"\r\nName=\"4\"\r\n"
                                 "Grup=\"5\"\r\nDesc=\"Male soldier\"\r\n\r\n";
    return WriteFileAtomically(dir.filePath(QLatin1String(SkinFormatsFileName)), catalogue) &&
           WriteFileAtomically(dir.filePath(QLatin1String(FilterFileName)),
                               EncodeFilterFile(FilterListEntries()).value_or(QByteArray()));
}

QString WritePackage(const QDir& dir, int count, bool& ok) {
    const QString path = dir.filePath(ShortName(count) + QStringLiteral(".utx"));
    ok = ok && WriteFileAtomically(path, BuildUtx64(PackageNames(count)));
    return path;
}

class Fixture {
public:
    Fixture() { ok = dir.isValid() && WriteProgramFiles(QDir(dir.path())); }

    QString package(int count) {
        auto it = packages.find(count);
        if (it == packages.end())
            it = packages.emplace(count, WritePackage(QDir(dir.path()), count, ok)).first;
        return it->second;
    }

    QString programDir() const { return dir.path(); }
    bool ok = false;

private:
    QTemporaryDir dir;
    std::map<int, QString> packages;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ReadOnlyBytes(benchmark::State& state) {
    const QString path = Shared().package(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadBytes(path));
}

// What the wizard does from the chosen file to step five's text.
void WholePipeline(benchmark::State& state) {
    Fixture& fixture = Shared();
    const QString path = fixture.package(int(state.range(0)));
    qsizetype textSize = 0;
    for (auto _ : state) {
        WizardSession session(fixture.programDir());
        session.loadTypes();
        session.openFile(path);
        session.beginReview();
        const QString text = session.intText();
        textSize = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetComplexityN(state.range(0));
    if (!fixture.ok || textSize == 0)
        state.SkipWithError("the benchmark's files could not be made or the text is empty");
}

void ReadStage(benchmark::State& state) {
    const QString path = Shared().package(int(state.range(0)));
    for (auto _ : state) {
        PackageRecord read;
        benchmark::DoNotOptimize(ReadUTXFile(path, read));
    }
}

void FilterStage(benchmark::State& state) {
    Fixture& fixture = Shared();
    const QString path = fixture.package(int(state.range(0)));
    PackageRecord read;
    ReadUTXFile(path, read);
    for (auto _ : state) {
        QStringList filter;
        PackageRecord items;
        benchmark::DoNotOptimize(filteritems(path, fixture.programDir(), filter, read, items));
    }
}

void SortStage(benchmark::State& state) {
    Fixture& fixture = Shared();
    const QString path = fixture.package(int(state.range(0)));
    PackageRecord read;
    ReadUTXFile(path, read);
    for (auto _ : state) {
        QStringList names = read.Names;
        SortArray(names);
        benchmark::DoNotOptimize(names);
    }
}

void GenerateStage(benchmark::State& state) {
    Fixture& fixture = Shared();
    const QString path = fixture.package(int(state.range(0)));
    WizardSession session(fixture.programDir());
    session.openFile(path);
    session.beginReview();
    for (auto _ : state)
        benchmark::DoNotOptimize(session.intText());
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(ReadOnlyBytes)->Apply(Sizes);
BENCHMARK(WholePipeline)->Apply(Sizes)->Complexity();
BENCHMARK(ReadStage)->Apply(Sizes);
BENCHMARK(FilterStage)->Apply(Sizes);
BENCHMARK(SortStage)->Apply(Sizes);
BENCHMARK(GenerateStage)->Apply(Sizes);

int main(int argc, char** argv) {
    if (argc == 3 && QByteArrayView(argv[1]) == "--write-fixture") {
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        bool ok = dir.mkpath(QStringLiteral(".")) && WriteProgramFiles(dir);
        const QString path = WritePackage(dir, 100000, ok);
        if (!ok)
            return 1;
        std::printf("%s\n", qPrintable(path));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
