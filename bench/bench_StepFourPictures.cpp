// Step four with and without its pictures, on the largest game package and a
// synthetic one of 2,000 textures (128 × 128, P8, one mip each):
//   StepFour/<package>/<pictures>   Next from step three until the list is
//                                   painted, the pictures not waited for
//   AllPictures/<package>           Next until every picture is in the list
//   DecodeAll/<package>             every top mip decoded in turn, in process
// At the end the ratios the wizard is held to: with pictures at most 1.2 times
// the list without them, every picture within 3 times the decoding alone.

#include "TestPaths.h"
#include "UtxBuilder.h"
#include "engine/WizardSession.h"
#include "shell/AppState.h"
#include "wizard/ReviewDecorator.h"
#include "wizard/frmWizard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int SyntheticTextures = 2000;

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

// The packages by label: the game's largest, when present, and the synthetic one.
const std::map<std::string, QString>& Packages() {
    static const std::map<std::string, QString> packages = [] {
        std::map<std::string, QString> found;
        const QString game = FixturesDir() + QStringLiteral("/../ut-full/BossSkins.utx");
        if (QFile::exists(game))
            found["BossSkins"] = game;
        QList<SyntheticTexture> textures;
        for (int i = 0; i < SyntheticTextures; ++i)
            textures.append(
                {QStringLiteral("skin%1").arg(i, 4, 10, QLatin1Char('0')), 0, 128, 128});
        const QString synthetic = Folder().filePath(QStringLiteral("SoldierSkins_Many.utx"));
        if (WriteBytes(synthetic, BuildTexturePackage(textures)))
            found["Synthetic2000"] = synthetic;
        return found;
    }();
    return packages;
}

// A wizard over the shipped data files, at step three with `package` open.
struct Rig {
    QSettings store{Folder().filePath(QStringLiteral("store.conf")), QSettings::IniFormat};
    AppState state;
    WizardSession session{BuiltBinDir()};
    std::unique_ptr<frmWizard> wizard;

    Rig(const QString& package, bool pictures) {
        state.programDir = BuiltBinDir();
        state.store = &store;
        state.reviewPictures = pictures;
        wizard = std::make_unique<frmWizard>(session, state);
        wizard->show();
        wizard->openPackageFile(package);
        wizard->cmdNext[0]->click();
        wizard->cmdNext[1]->click();
    }
    // Back to step three with no picture kept and no decode running.
    void reset() {
        wizard->cmdBack[2]->click();
        wizard->decorator->forget();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }
};

void StepFour(benchmark::State& state, const QString& package, bool pictures) {
    Rig rig(package, pictures);
    for (auto _ : state) {
        rig.wizard->cmdNext[2]->click();
        rig.wizard->lstItems->repaint();
        state.PauseTiming();
        rig.reset();
        state.ResumeTiming();
    }
}

void AllPictures(benchmark::State& state, const QString& package) {
    Rig rig(package, true);
    for (auto _ : state) {
        rig.wizard->cmdNext[2]->click();
        QCoreApplication::processEvents(); // the pictures are asked for once the list is shown
        while (rig.wizard->decorator->outstanding() > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.PauseTiming();
        rig.reset();
        state.ResumeTiming();
    }
}

void DecodeAll(benchmark::State& state, const QString& path) {
    const PackageResult<UnrealPackage> package = UnrealPackage::open(path);
    for (auto _ : state)
        for (int i = 0; i < package->exports().size(); ++i)
            if (package->isTexture(i))
                benchmark::DoNotOptimize(package->decodeTopMip(i));
}

// Keeps each run's real time per iteration besides printing it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        // Names carry the timing's suffix: "StepFour/BossSkins/none/real_time".
        for (const Run& run : runs)
            seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const auto& [label, path] : Packages()) {
        for (const bool pictures : {false, true})
            benchmark::RegisterBenchmark(
                ("StepFour/" + label + (pictures ? "/pictures" : "/none")).c_str(), StepFour, path,
                pictures)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        benchmark::RegisterBenchmark(("AllPictures/" + label).c_str(), AllPictures, path)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("DecodeAll/" + label).c_str(), DecodeAll, path)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& [label, path] : Packages()) {
        const auto time = [&](const std::string& name) { return reporter.seconds[name]; };
        const double without = time("StepFour/" + label + "/none");
        const double with = time("StepFour/" + label + "/pictures");
        const double decode = time("DecodeAll/" + label);
        const double all = time("AllPictures/" + label);
        if (without > 0 && decode > 0)
            std::printf("%s: list with pictures / without = %.2f (at most 1.20); every picture / "
                        "decoding alone = %.2f from Next, %.2f from the list shown (at most "
                        "3.00)\n",
                        label.c_str(), with / without, all / decode, (all - with) / decode);
    }
    benchmark::Shutdown();
    return 0;
}
