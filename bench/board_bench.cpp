// How long a deal takes, and a whole game played by a simple greedy player.

#include <benchmark/benchmark.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

void BM_Deal(benchmark::State& state) {
    TestGame game(1);
    long long clock = 0;
    for (auto _ : state) {
        game.services.advance(1 + (clock++ % 3));  // a fresh clock reading now and then
        game.board.deal();
        benchmark::DoNotOptimize(game.s().tower.data());
    }
}
BENCHMARK(BM_Deal);

// Greedy: the first free tower card that fits, else a draw; one second passes per move.
void BM_GreedyGame(benchmark::State& state) {
    std::int64_t games = 0;
    for (auto _ : state) {
        TestGame game(++games);
        game.services.onMenu = [&] {
            if (game.services.menuShown == 1) game.board.deal();
        };
        game.startGame();
        while (game.s().phase != Phase::Over) {
            const BoardState& s = game.s();
            int move = 0;
            for (int p = 1; p <= kTowerCardCount && move == 0; ++p) {
                if (s.canPlay(p) && neighbours(s.tower[p].rank, s.faceUp.rank)) move = p;
            }
            if (move == 0) {
                game.board.drawFromStock();
            } else {
                game.board.playTowerCard(move);
            }
            game.services.advance(1000);
        }
        benchmark::DoNotOptimize(game.scores.handed.data());
    }
}
BENCHMARK(BM_GreedyGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace crestaverde::testing

BENCHMARK_MAIN();
