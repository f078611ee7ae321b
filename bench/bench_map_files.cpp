// Parsing the demo project's map file (80 KB of JSON). Reference: the JSON library's own
// parse of the same text.
//   ParseDemoMap/0  the library's parse       ParseDemoMap/1  the readers' parse with the nesting limit
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "map/tiled_json.h"

namespace {

std::string DemoMapText() {
  std::ifstream in(std::string(TL_SOURCE_DIR) + "/Projects/Demo/Map/demo_map.json", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_ParseDemoMap(benchmark::State& state) {
  const std::string text = DemoMapText();
  for (auto _ : state) {
    nlohmann::json document = state.range(0) == 0 ? nlohmann::json::parse(text) : map::ParseJsonText(text);
    benchmark::DoNotOptimize(document);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseDemoMap)->Arg(0)->Arg(1);

}  // namespace
