// Rendering speed of the engine: 44.1 kHz in blocks of 512 samples with 0, 1,
// 16 and 64 sounding voices. "realtime" is seconds of audio rendered per
// second of CPU time. RenderVoices uses the best instruction set of the
// processor; RenderVoicesAtLevel/<voices>/<level> each one this build and
// processor support (-1 one voice at a time on plain doubles, 0 baseline
// SSE2, 1 AVX2, 2 AVX-512).
#include "engine/Engine.h"
#include "engine/EngineParameters.h"
#include "engine/SimdLevel.h"
#include "engine/SynthGlobals.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace orv::engine;

namespace {

constexpr double kRate = 44100.0;
constexpr int kBlock = 512;

void Render(benchmark::State& state, int voices, SimdLevel level)
{
    SynthGlobals settings;
    Engine engine(settings);
    engine.SetSimdLevel(level);
    engine.Reset(kRate, kBlock);
    // A busy patch: every model and the wood filter path sound, Air on.
    const double patch[kOrvParameterCount] = {0.8, -0.4, 0.3, 0.7, 0.5, 0.6, 0.2, 0.0, 0.5, -0.5, 3.0, 0.4};
    for (int i = 0; i < kOrvParameterCount; ++i)
        engine.SetParameter(i, patch[i]);
    engine.Queue(QueuedMidi{0, 0xB0, 64, 127});  // pedal down: nothing ends
    for (int v = 0; v < voices; ++v)
        engine.Queue(QueuedMidi{0, 0x90, static_cast<uint8_t>(30 + v), 100});

    std::vector<double> left(kBlock), right(kBlock);
    engine.Render(left.data(), right.data(), kBlock);
    for (auto _ : state) {
        engine.Render(left.data(), right.data(), kBlock);
        benchmark::DoNotOptimize(left.data());
        benchmark::ClobberMemory();
    }
    state.counters["realtime"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBlock / kRate, benchmark::Counter::kIsRate);
    state.SetLabel(SimdLevelName(engine.GetSimdLevel()));
}

void RenderVoices(benchmark::State& state)
{
    Render(state, static_cast<int>(state.range(0)), BestSimdLevel());
}

void RenderVoicesAtLevel(benchmark::State& state)
{
    const SimdLevel level = static_cast<SimdLevel>(state.range(1));
    if (static_cast<int>(level) > static_cast<int>(BestSimdLevel())) {
        state.SkipWithError("not supported by this processor");
        for (auto _ : state) {}
        return;
    }
    Render(state, static_cast<int>(state.range(0)), level);
}

}  // namespace

BENCHMARK(RenderVoices)->Arg(0)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(RenderVoicesAtLevel)
    ->ArgsProduct({{1, 16, 64}, {-1, 0, 1, 2}})
    ->ArgNames({"voices", "level"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
