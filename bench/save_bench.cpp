// The whole Save: snapshot, temp file, next free number, conversion to JPEG.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/bench_data.h"
#include "bench/register.h"
#include "save/save_card.h"

namespace bench {
namespace {

void SaveCard(benchmark::State& state) {
  const canvas::CardCanvas canvas = ComposedCard();
  const std::filesystem::path folder = Data().folder / "save";
  std::filesystem::create_directories(folder);
  const std::string run_directory = folder.string();
  for (auto _ : state) {
    const save::SaveOutcome outcome = save::SaveCard(canvas, run_directory);
    state.PauseTiming();
    // Every save then finds the same folder: only temp, and IMG1.jpg free.
    const bool saved = outcome.saved && std::filesystem::remove(outcome.card_path);
    state.ResumeTiming();
    if (!saved) return state.SkipWithError("the card was not saved");
  }
}

}  // namespace

void RegisterSaveBenchmarks() {
  benchmark::RegisterBenchmark("BM_SaveCard", SaveCard)->Unit(benchmark::kMillisecond);
}

}  // namespace bench
