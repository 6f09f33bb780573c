#include "instrument/OrvPanelLayout.h"

#include <algorithm>

namespace orv::instrument {

namespace orvpanel {

namespace {

constexpr int kLastScaleIndex = static_cast<int>(kScalePercents.size()) - 1;

}  // namespace

PanelAtScale::PanelAtScale(int index) : scaleIndex(std::clamp(index, 0, kLastScaleIndex))
{
    scale.factor = static_cast<double>(kScalePercents[static_cast<size_t>(scaleIndex)]) / kPercent;
}

std::string PanelAtScale::ImageName(const SkinImage& image) const
{
    // Every scale but the first has a folder of its own.
    const std::string folder =
        scaleIndex == 0 ? "" : std::to_string(kScalePercents[static_cast<size_t>(scaleIndex)]) + "/";
    return "resources/img/" + folder + image.stem + ".png";
}

int ScaleIndexFor(double factor)
{
    int index = 0;
    for (int i = 0; i <= kLastScaleIndex; ++i)
        if (kScalePercents[static_cast<size_t>(i)] <= factor * kPercent + 1e-9)
            index = i;
    return index;
}

}  // namespace orvpanel

}  // namespace orv::instrument
