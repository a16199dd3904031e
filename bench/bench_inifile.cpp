// Reading a settings file at the size limit (1 MiB) in the shapes a hand-edited or damaged file
// may take; start-up waits for this, so every shape must stay far below 100 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/inifile.h"

namespace {

using namespace noctaris;

constexpr size_t kFileBytes = 1 << 20;

// Repeats `line(i)` until the text reaches 1 MiB.
template <typename Line>
std::string Fill(std::string text, Line line) {
    for (int i = 0; text.size() < kFileBytes; ++i) text += line(i);
    text.resize(kFileBytes);
    return text;
}

std::string ManyKeys() {
    return Fill("[Noctaris]\r\n", [](int i) { return "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n"; });
}

std::string ManySections() {
    return Fill("", [](int i) { return "[Section" + std::to_string(i) + "]\r\nA=1\r\n"; });
}

std::string LongLines() {
    return Fill("[Noctaris]\r\n", [](int i) { return "Key" + std::to_string(i) + "=" + std::string(16384, 'x') + "\r\n"; });
}

std::string OneHugeValue() { return Fill("[Noctaris]\r\nOrt=", [](int) { return std::string(4096, 'y'); }); }

// Keys written by an editor in UTF-8: every line has an umlaut, so the whole file is decoded as UTF-8.
std::string ManyUtf8Keys() {
    return Fill("\xEF\xBB\xBF[Noctaris]\r\n",
                [](int i) { return "H\xC3\xB6hen" + std::to_string(i) + "=1\r\n"; });
}

template <std::string (*Make)()>
void BM_Parse(benchmark::State& state) {
    const std::string text = Make();
    IniFile ini("unused");
    for (auto _ : state) {
        ini.Parse(text);
        benchmark::DoNotOptimize(ini.ValueExists("Noctaris", "Ort"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Parse<ManyKeys>)->Name("BM_Parse/ManyKeys")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse<ManySections>)->Name("BM_Parse/ManySections")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse<LongLines>)->Name("BM_Parse/LongLines")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse<OneHugeValue>)->Name("BM_Parse/OneHugeValue")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse<ManyUtf8Keys>)->Name("BM_Parse/ManyUtf8Keys")->Unit(benchmark::kMillisecond);

}  // namespace
