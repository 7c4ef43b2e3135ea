// What an emulator switch costs in skin work: loading the three skin
// pictures (a 1024x768 JPEG background plus built-ins), finding a picture in
// a crowded skin folder, and colouring a window with many controls.
#include "ui/Skin.h"
#include "ui/SkinColors.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

namespace {

void BM_LoadDemoSkin(benchmark::State& state)
{
    const QString amiga = QStringLiteral(ARVEX_SOURCE_DIR "/examples/demo/Config/Amiga/");
    const QString plain = QStringLiteral(ARVEX_SOURCE_DIR "/examples/demo/Config/Arcade/");
    SkinPictures pictures;
    for (auto _ : state) {
        pictures.load(amiga);  // decodes the skin's background
        pictures.load(plain);  // back to the built-ins
        benchmark::DoNotOptimize(pictures.picture(SkinPictures::Background).cacheKey());
    }
}
BENCHMARK(BM_LoadDemoSkin)->Unit(benchmark::kMillisecond);

void BM_FindPictureAmongFiles(benchmark::State& state)
{
    QTemporaryDir dir;
    for (int i = 0; i < state.range(0); ++i)
        QFile(dir.filePath(QStringLiteral("Game %1 (1990).png").arg(i))).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("Loading.png"))).open(QIODevice::WriteOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(Skin::FindPictureFile(dir.path(), QStringLiteral("Loading")));
}
BENCHMARK(BM_FindPictureAmongFiles)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_SetColors(benchmark::State& state)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    for (int i = 0; i < state.range(0) / 4; ++i) {
        layout->addWidget(new QLabel(QStringLiteral("Label")));
        layout->addWidget(new QLineEdit);
        layout->addWidget(new QPushButton(QStringLiteral("Button")));
        layout->addWidget(new QListWidget);
    }
    ColorValue back = 0xbc5200;
    for (auto _ : state) {
        SetColors(&window, back, 0xffffff, QString());
        back ^= 0x010101;  // a real change every time
    }
}
BENCHMARK(BM_SetColors)->Arg(40)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
