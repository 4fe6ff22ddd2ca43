// The full redraw of the window (画面_再描画) through the real Qt platform and surface, on Qt's
// offscreen platform, at device pixel ratios 1 and 2.
//
// The offscreen platform is started with two screens, "low" at ratio 1 and "high" at ratio 2, and
// one window is shown on each, so both ratios are measured in one run. Each benchmark checks that
// the surface's image really has its widget's size times the wanted ratio before it measures.
//
// Each iteration is one whole redraw as the game does it: the background tiles, the 81 squares
// with their outlines, both clocks (経過時間 on), the magnets, the title and the synchronous
// repaint that hands the image to the window's backing store.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QScreen>
#include <QWindow>
#include <QtMath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "game/game.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace quorvel {
namespace {

constexpr const char* kScreens = R"({
  "screens": [
    {"name": "low", "x": 0, "y": 0, "width": 1024, "height": 768,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "high", "x": 1024, "y": 0, "width": 1024, "height": 768,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}
  ]
}
)";

QScreen* screenNamed(const char* name) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == QLatin1String(name)) return screen;
    }
    return nullptr;
}

// The window, the Qt platform and the game, showing the first position with both clocks.
struct Rig {
    MainWindow window;
    QtPlatform platform{window};
    Game game{platform};

    explicit Rig(QScreen* screen) {
        if (screen != nullptr) {
            window.setScreen(screen);
            window.move(screen->geometry().topLeft());
        }
        window.show();
        if (screen != nullptr && window.windowHandle() != nullptr) {
            window.windowHandle()->setScreen(screen);
            window.move(screen->geometry().topLeft());
        }
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();

        GameState& s = game.mutableState();
        s.sides = Sides{SIDE_GOTE, SIDE_SENTE};
        s.backgroundPicture = BACKGROUND_TATAMI;
        s.marks.keika = true;
        game.初期設定();  // lays the first position and draws it once
        s.manSeconds = 754.3;
        s.comSeconds = 1234.9;
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }
};

void runRedraw(benchmark::State& state, const char* screenName, qreal wantedRatio) {
    QScreen* screen = screenNamed(screenName);
    if (screen == nullptr && wantedRatio != 1.0) {
        state.SkipWithError("no screen of that ratio (QT_QPA_PLATFORM was set from outside)");
        return;
    }
    Rig rig(screen);
    Surface& surface = rig.window.surface();
    const QImage& image = surface.image();
    const QSize expected(qCeil(surface.width() * wantedRatio),
                         qCeil(surface.height() * wantedRatio));
    if (surface.ratio() != wantedRatio || image.size() != expected) {
        state.SkipWithError("the surface did not get the wanted device pixel ratio");
        return;
    }
    for (auto _ : state) {
        rig.game.画面_再描画();
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.counters["ratio"] = surface.ratio();
    state.counters["image_w"] = image.width();
    state.counters["image_h"] = image.height();
    state.SetLabel("image " + std::to_string(image.width()) + "x" + std::to_string(image.height()));
}

void BM_FullRedraw_Ratio1(benchmark::State& state) {
    runRedraw(state, "low", 1.0);
}
void BM_FullRedraw_Ratio2(benchmark::State& state) {
    runRedraw(state, "high", 2.0);
}

BENCHMARK(BM_FullRedraw_Ratio1)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_FullRedraw_Ratio2)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}
}

int main(int argc, char** argv) {
    // A private folder for the screen layout and Qt's runtime files.
    std::string folder = (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string screens = folder + "/screens.json";
    std::ofstream(screens) << quorvel::kScreens;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screens.c_str());
    }
    qputenv("XDG_RUNTIME_DIR", folder.c_str());
    // The ratios come from the screens; a scale factor from outside would change them.
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");

    int code = 0;
    {
        QApplication app(argc, argv);
        quorvel::installFonts();
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
            code = 1;
        } else {
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return code;
}
