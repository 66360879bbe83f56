// Generates the data, then runs every benchmark in one process so that each
// ratio compares numbers from the same run.
//   showcard_bench [--data_dir=DIR] [Google Benchmark flags]
// With --data_dir the generated files stay in DIR; otherwise they go to a
// scratch folder that is removed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "bench/bench_data.h"
#include "bench/register.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  constexpr std::string_view kDataDir = "--data_dir=";
  std::filesystem::path folder;
  bool keep = false;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with(kDataDir)) {
      folder = std::string(arg.substr(kDataDir.size()));
      keep = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (folder.empty())
    folder = std::filesystem::temp_directory_path() / ("showcard-bench-" + std::to_string(::getpid()));

  bench::PrepareData(folder);
  bench::RegisterComposeBenchmarks();
  bench::RegisterDecodeBenchmarks();
  bench::RegisterEncodeBenchmarks();
#ifdef SHOWCARD_BENCH_SAVE_CARD
  bench::RegisterSaveBenchmarks();
#endif
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!keep) std::filesystem::remove_all(folder);
  return 0;
}
