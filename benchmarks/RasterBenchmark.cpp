// How long the editor's drawing takes: a full-panel blit in each mode the
// controls use, a fill, and a line of text from cached glyphs.
#include "editor/raster/Blit.h"
#include "editor/raster/RasterMemBitmap.h"
#include "editor/raster/RasterSysBitmap.h"
#include "editor/raster/TextStyle.h"

#include <benchmark/benchmark.h>

#include <cstring>

using namespace orv::editor;

namespace {

constexpr int kPanelWidth = 608;
constexpr int kPanelHeight = 352;

// A source with every kind of alpha: transparent, translucent and opaque.
const RasterMemBitmap& Source()
{
    static RasterMemBitmap source(kPanelWidth, kPanelHeight);
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            source.Row(y)[x] = uint32_t((x * 7 + y * 3) & 0xff) << 24 | (uint32_t(x * y) & 0xffffff);
    return source;
}

void PanelBlit(benchmark::State& state, uint32_t mode, float weight)
{
    RasterSysBitmap panel(kPanelWidth, kPanelHeight);
    const RasterMemBitmap& source = Source();
    for (auto _ : state) {
        Blit(panel, source, 0, 0, nullptr, weight, mode);
        benchmark::DoNotOptimize(panel.Pixels());
    }
    state.SetItemsProcessed(state.iterations() * kPanelWidth * kPanelHeight);
}

void PanelFill(benchmark::State& state)
{
    RasterSysBitmap panel(kPanelWidth, kPanelHeight);
    for (auto _ : state) {
        FillRectangle(panel, 0, 0, kPanelWidth, kPanelHeight, 0x80336699, 1.0f, kRasterCopyAlpha);
        benchmark::DoNotOptimize(panel.Pixels());
    }
    state.SetItemsProcessed(state.iterations() * kPanelWidth * kPanelHeight);
}

void ProgramNameText(benchmark::State& state)
{
    RasterSysBitmap panel(kPanelWidth, kPanelHeight);
    TextStyle style;
    std::strcpy(style.face, "Arial");
    style.height = 14;
    style.colour = 0xa0ffffff;
    for (auto _ : state) {
        RasterRect rect{153, 21, 345, 37};
        benchmark::DoNotOptimize(DrawStyledText(&panel, style, "Ice Palace", rect, false));
    }
}

}  // namespace

BENCHMARK_CAPTURE(PanelBlit, copy, kRasterCopy, 1.0f);
BENCHMARK_CAPTURE(PanelBlit, copy_half, kRasterCopy, 0.5f);
BENCHMARK_CAPTURE(PanelBlit, copy_alpha, kRasterCopyAlpha, 1.0f);
BENCHMARK_CAPTURE(PanelBlit, add_alpha, kRasterAddAlpha, 1.0f);
BENCHMARK_CAPTURE(PanelBlit, dodge_alpha, kRasterDodgeAlpha, 1.0f);
BENCHMARK(PanelFill);
BENCHMARK(ProgramNameText);
BENCHMARK_MAIN();
