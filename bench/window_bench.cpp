// The work of one tick of the board's clock on a 1920 x 1080 board: the whole board repainted, as
// every tick once did, against what refresh repaints; and a whole end-of-level count-down on the
// real timers, whose ticks are designed 10 ms apart. Run under the platform to measure: offscreen
// by default, or a real X display with QT_QPA_PLATFORM=xcb.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QWindow>
#include <chrono>
#include <ctime>

#include "board_window.h"
#include "fake_services.h"
#include "game.h"
#include "qt_services.h"

namespace crestaverde::testing {
namespace {

constexpr QSize kScreen{1920, 1080};

void showOnScreen(BoardWindow& window) {
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.resize(kScreen);
    window.show();
    // On a real display the window is drawn only once the server has shown it.
    for (int wait = 0; wait < 400 && !window.windowHandle()->isExposed(); ++wait) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    QApplication::processEvents();
}

// A dealt board counting down on a shown window; the ticks come from the benchmark.
struct TickingBoard {
    TickingBoard() {
        game.startGame();
        showOnScreen(window);
        game.edit().phase = Phase::Countdown;
    }
    // One count-down tick, kept away from the end of the level.
    void tick() {
        if (game.s().timeLeft <= 10) game.edit().timeLeft = kFullTime;
        game.board.tick(TimerId::Clock);
    }
    TestGame game;
    MediaCatalogue media{QStringLiteral(CRESTAVERDE_MEDIA_DIR)};
    BoardWindow window{game.board, media, [] {}};
};

void BM_TickRepaintingTheWholeBoard(benchmark::State& state) {
    TickingBoard board;
    for (auto _ : state) {
        board.tick();
        board.window.refresh();
        board.window.repaint();
    }
}
BENCHMARK(BM_TickRepaintingTheWholeBoard)->Unit(benchmark::kMillisecond);

void BM_TickRepaintingWhatChanged(benchmark::State& state) {
    TickingBoard board;
    for (auto _ : state) {
        board.tick();
        board.window.repaint(board.window.refresh());
    }
}
BENCHMARK(BM_TickRepaintingWhatChanged)->Unit(benchmark::kMillisecond);

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The program's wiring of a tick (Game's), on real timers, with a hook after each tick.
struct RealTimers {
    RealTimers() {
        board.deal();
        services.timer(TimerId::Banner).stop();
        showOnScreen(window);
    }
    QtServices services{[this](TimerId id) {
        board.tick(id);
        window.refresh();
        afterTick();
    }};
    RecordingScores scores;
    Board board{services, scores};
    MediaCatalogue media{QStringLiteral(CRESTAVERDE_MEDIA_DIR)};
    BoardWindow window{board, media, [] {}};
    std::function<void()> afterTick = [] {};
};

// From a full time bar the count-down pays out 40 ticks, then deals the next level. Its time is
// what the player waits: per tick, it should be the design's 10 ms.
void BM_EndOfLevelCountdown(benchmark::State& state) {
    RealTimers timers;
    constexpr int kTicks = kFullTime / 5;
    double cpuMs = 0;
    double wallMs = 0;
    for (auto _ : state) {
        BoardState& s = BoardTestAccess::state(timers.board);
        s.phase = Phase::Countdown;
        s.timeLeft = s.timeBar = kFullTime;
        QEventLoop loop;
        auto end = std::chrono::steady_clock::now();
        timers.afterTick = [&] {
            if (timers.board.state().phase == Phase::Countdown) return;
            end = std::chrono::steady_clock::now();
            timers.services.timer(TimerId::Banner).stop();
            loop.quit();
        };
        const double cpuBefore = processCpuMs();
        const auto begin = std::chrono::steady_clock::now();
        timers.services.timer(TimerId::Clock).start(kCountdownIntervalMs);
        loop.exec();
        cpuMs += processCpuMs() - cpuBefore;
        const std::chrono::duration<double> took = end - begin;
        wallMs += took.count() * 1e3;
        state.SetIterationTime(took.count());
    }
    const double ticks = static_cast<double>(state.iterations()) * kTicks;
    state.counters["ms_per_tick"] = wallMs / ticks;
    state.counters["cpu_ms_per_tick"] = cpuMs / ticks;
}
BENCHMARK(BM_EndOfLevelCountdown)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace crestaverde::testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    crestaverde::prepareApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
