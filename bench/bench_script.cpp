// Loading scripts: lines per second of the parser on a typical script, on one very long line
// and on binary garbage (the reported items are lines).
//   ParseScript/0  100 000 typical lines   /1  one 10 000-word line   /2  1 MB of random bytes
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "script/orvanta_script.h"

namespace {

std::string TypicalScript() {
  const char* lines[] = {"// the guard's round\r\n", "SET steps = 0\r\n", "WHILE steps < 3\r\n",
                         "\tSET guard.DESTINATIONX = 640\r\n", "\tMOVE_UNIT guard\r\n",
                         "\tSET guard.MESSAGE = \"Halt! Who goes there?\"\r\n", "\tSHOW guard.MESSAGE\r\n",
                         "\tSLEEP 2000\r\n", "\tSET steps = +1\r\n", "ENDWHILE\r\n"};
  std::string text;
  for (int i = 0; i < 10000; ++i) {
    for (const char* line : lines) text += line;
  }
  return text;
}

std::string LongLine() {
  std::string text = "IF";
  for (int i = 0; i < 10000; ++i) text += " word";
  return text;
}

std::string Garbage() {
  uint32_t state = 1;
  std::string text;
  for (int i = 0; i < 1 << 20; ++i) {
    state = state * 214013u + 2531011u;
    text += static_cast<char>((state >> 16) & 0xFF);
  }
  return text;
}

void BM_ParseScript(benchmark::State& state) {
  const std::string text = state.range(0) == 0 ? TypicalScript() : state.range(0) == 1 ? LongLine() : Garbage();
  std::size_t lines = 0;
  for (auto _ : state) {
    COrvantaScript script;
    script.LoadText("bench", text);
    lines = script.LineCount() + script.RejectedLines().size();
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseScript)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
