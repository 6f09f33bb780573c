// The panel drawn on request without a window, for renders of what the
// editor shows (orvhost snapshot, reviews, tests), and the host's requests
// that come the same way.
#include "instrument/ORV.h"

#include "editor/Graphics.h"
#include "editor/raster/RasterBitmap.h"
#include "instrument/OrvPanelLayout.h"

#include <cmath>

namespace orv::instrument {

using namespace orvpanel;

intptr_t ORV::VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt)
{
    if (index == kSnapshotRequest) {
        const double scale = opt == 0.0f ? 1.0 : static_cast<double>(opt);
        if (ptr == nullptr) {
            const int scaleIndex = SnapshotScaleIndex(scale);
            if (scaleIndex < 0)
                return 0;
            const PanelAtScale panel(scaleIndex);
            return (intptr_t{panel.Width()} << kSnapshotSizeShift) | panel.Height();
        }
        return RenderPanelSnapshot(static_cast<uint8_t*>(ptr), value, scale) ? 1 : 0;
    }
    if (index == kHostScaleRequest && TakeHostScale(value, opt))
        return 1;
    return Synth::VendorSpecific(index, value, ptr, opt);
}

int ORV::SnapshotScaleIndex(double scale)
{
    if (!std::isfinite(scale) || scale <= 0.0)
        return -1;
    const int index = ScaleIndexFor(scale);
    return kScalePercents[static_cast<size_t>(index)] == std::lround(scale * kPercent) ? index : -1;
}

bool ORV::RenderPanelSnapshot(uint8_t* pixels, intptr_t size, double scale)
{
    editor::Graphics* context = EditorGraphics();
    const int scaleIndex = SnapshotScaleIndex(scale);
    if (pixels == nullptr || context == nullptr || scaleIndex < 0)
        return false;
    const PanelAtScale panel(scaleIndex);
    if (size != intptr_t{panel.Width()} * panel.Height() * 4)
        return false;
    LockGuard guard(GetLock());
    // An open editor keeps its size; without one the panel is laid out at
    // the scale asked for, and back again afterwards.
    const int shownIndex = panelScaleIndex;
    if (scaleIndex != shownIndex) {
        if (EditorWindowOpen() || context->InControlCall())
            return false;
        RelayOutPanel(scaleIndex);
    }
    editor::RasterBitmap* bitmap = context->DrawBitmap();
    const bool drawable = bitmap != nullptr && bitmap->Width() == panel.Width() && bitmap->Height() == panel.Height();
    if (drawable) {
        PlaceBalls();
        context->MarkAllDirty();
        context->Draw({0, 0, panel.Width(), panel.Height()});
        for (int y = 0; y < panel.Height(); ++y) {
            const uint32_t* row = bitmap->Row(y);
            uint8_t* out = pixels + static_cast<size_t>(y) * panel.Width() * 4;
            for (int x = 0; x < panel.Width(); ++x) {
                const uint32_t argb = row[x];
                out[4 * x + 0] = static_cast<uint8_t>(argb >> 16);
                out[4 * x + 1] = static_cast<uint8_t>(argb >> 8);
                out[4 * x + 2] = static_cast<uint8_t>(argb);
                out[4 * x + 3] = static_cast<uint8_t>(argb >> 24);
            }
        }
    }
    if (scaleIndex != shownIndex)
        RelayOutPanel(shownIndex);
    return drawable;
}

}  // namespace orv::instrument
