// How long a deal takes, and a whole game played by a simple greedy player.

#include <benchmark/benchmark.h>

#include "fake_services.h"
#include "numeric_text.h"

namespace crestaverde::testing {
namespace {

void BM_Deal(benchmark::State& state) {
    TestGame game(1);
    long long clock = 0;
    for (auto _ : state) {
        game.services.advance(1 + (clock++ % 3));  // a fresh clock reading now and then
        game.board.repartir(true);
        benchmark::DoNotOptimize(game.s().Image1[1].picture.data());
    }
}
BENCHMARK(BM_Deal);

bool fits(std::int64_t v, std::int64_t w) {
    return v == w + 1 || v == w - 1 || (v == 13 && w == 1) || (v == 1 && w == 13);
}

// Greedy: the first free tower card that fits, else a draw; one second passes per move.
void BM_GreedyGame(benchmark::State& state) {
    std::int64_t games = 0;
    for (auto _ : state) {
        TestGame game(++games);
        bool ended = false;
        game.services.onMenu = [&] {
            if (game.services.menuShown == 1) {
                game.board.repartir(true);
            } else {
                ended = true;
            }
        };
        game.startGame();
        while (!ended) {
            const BoardState& s = game.s();
            std::int16_t move = s.contar;
            for (std::int16_t slot = 1; slot <= kTowerSlotCount; ++slot) {
                const int cover = coverOnSlot(slot);
                if (s.Image1[slot].Visible && (cover == 0 || !s.Image3[cover].Visible) &&
                    fits(captionNumber(s.Image1[slot].Tag),
                         captionNumber(s.Image1[s.contar].Tag))) {
                    move = slot;
                    break;
                }
            }
            game.board.Image1_Click(move);
            game.services.advance(1000);
        }
        benchmark::DoNotOptimize(game.scores.handed.data());
    }
}
BENCHMARK(BM_GreedyGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace crestaverde::testing

BENCHMARK_MAIN();
