#pragma once
// Each benchmark file registers its benchmarks once the data is ready.
namespace bench {

void RegisterComposeBenchmarks();
void RegisterDecodeBenchmarks();
void RegisterEncodeBenchmarks();
void RegisterSaveBenchmarks();

}  // namespace bench
