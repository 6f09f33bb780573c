// The panel drawn on request without a window, for renders of what the
// editor shows (orvhost snapshot, reviews, tests).
#include "ORV.h"

#include "Graphics.h"
#include "RasterBitmap.h"

intptr_t ORV::VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt)
{
    if (index == kSnapshotRequest)
        return RenderPanelSnapshot(static_cast<uint8_t*>(ptr), value) ? 1 : 0;
    return Synth::VendorSpecific(index, value, ptr, opt);
}

bool ORV::RenderPanelSnapshot(uint8_t* pixels, intptr_t size)
{
    Graphics* context = EditorGraphics();
    if (pixels == nullptr || size != kSnapshotBytes || context == nullptr)
        return false;
    LockGuard guard(GetLock());
    RasterBitmap* bitmap = context->DrawBitmap();
    if (bitmap == nullptr || bitmap->Width() != Graphics::kPanelWidth || bitmap->Height() != Graphics::kPanelHeight)
        return false;
    PlaceBalls();
    context->MarkAllDirty();
    context->Draw({0, 0, Graphics::kPanelWidth, Graphics::kPanelHeight});
    for (int y = 0; y < Graphics::kPanelHeight; ++y) {
        const uint32_t* row = bitmap->Row(y);
        uint8_t* out = pixels + static_cast<size_t>(y) * Graphics::kPanelWidth * 4;
        for (int x = 0; x < Graphics::kPanelWidth; ++x) {
            const uint32_t argb = row[x];
            out[4 * x + 0] = static_cast<uint8_t>(argb >> 16);
            out[4 * x + 1] = static_cast<uint8_t>(argb >> 8);
            out[4 * x + 2] = static_cast<uint8_t>(argb);
            out[4 * x + 3] = static_cast<uint8_t>(argb >> 24);
        }
    }
    return true;
}
