// A plug-in on the framework with a scripted host and a scripted graphics
// context attached, images of solid colours for the controls, and helpers
// that play the mouse and read what the host was told.
#pragma once

#include "tests/editor/ScriptedGraphics.h"
#include "tests/framework/RecordingPlugin.h"
#include "tests/host/ScriptedHost.h"

#include "editor/raster/RasterMemBitmap.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace editortest {

// Frame k of every test strip is filled with FrameColour(k).
inline uint32_t FrameColour(int frame)
{
    static const uint32_t colours[] = {0xffff0000, 0xff00ff00, 0xff0000ff, 0xffffff00, 0xff00ffff, 0xffff00ff};
    return colours[frame % 6];
}

class EditorPlugin : public hosttest::RecordingPlugin {
public:
    static constexpr int kModeParameter = 10;     // an enumeration Off / Once / One Shot / Swing
    static constexpr int kBipolarParameter = 11;  // -1..1, shown negated
    static constexpr double kDefault = 0.25;      // every other parameter: 0..1

    explicit EditorPlugin(hosttest::ScriptedHost& host) : RecordingPlugin(host)
    {
        for (int i = 0; i < ParameterCount(); ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "P%d", i);
            GetParameter(i).DefineDouble(name, kDefault, 0.0, 1.0, 0.0001, 1.0);
        }
        orv::framework::Parameter& mode = GetParameter(kModeParameter);
        mode = orv::framework::Parameter();
        mode.DefineEnumeration("Mode", 0, 4);
        for (const char* text : {"Off", "Once", "One Shot", "Swing"})
            mode.AddDisplayText(static_cast<int32_t>(mode.displayTexts.size()), text);
        orv::framework::Parameter& bipolar = GetParameter(kBipolarParameter);
        bipolar = orv::framework::Parameter();
        bipolar.DefineDouble("Bipolar", 0.0, -1.0, 1.0, 0.01, 1.0);
        bipolar.negateDisplay = true;
    }

    void IdleTick() override { ++idleTicks; }
    void EditorOpened() override { log.push_back("editor opened"); }
    void EditorClosed() override { log.push_back("editor closed"); }

    int idleTicks = 0;
};

// The test panel's size.
inline constexpr int kTestPanelWidth = 608;
inline constexpr int kTestPanelHeight = 352;

inline orv::editor::MouseModifiers LeftButton()
{
    orv::editor::MouseModifiers mods;
    mods.left = true;
    return mods;
}

inline orv::editor::MouseModifiers RightButton()
{
    orv::editor::MouseModifiers mods;
    mods.right = true;
    return mods;
}

class EditorFixture {
public:
    EditorFixture() = default;
    ~EditorFixture() { plugin.DetachEditor(); }

    // A strip of solid frames, kept alive by the fixture.
    orv::editor::BitmapStrip Strip(int frameWidth, int frameHeight, int frames)
    {
        auto image = std::make_unique<orv::editor::RasterMemBitmap>(frameWidth, frameHeight * frames);
        for (int f = 0; f < frames; ++f)
            for (int y = 0; y < frameHeight; ++y)
                for (int x = 0; x < frameWidth; ++x)
                    image->Row(f * frameHeight + y)[x] = FrameColour(f);
        orv::editor::BitmapStrip strip{image.get(), frameWidth, frameHeight * frames, frames, false};
        images.push_back(std::move(image));
        return strip;
    }

    template <typename ControlType>
    ControlType* Add(std::unique_ptr<ControlType> control)
    {
        ControlType* added = control.get();
        graphics.AddControl(std::move(control));
        return added;
    }

    // What a host does once the instrument has built its panel.
    void Attach()
    {
        plugin.AttachEditor(&graphics);
        host.ClearCalls();
    }

    void Press(int x, int y, orv::editor::MouseModifiers mods = LeftButton()) { graphics.OnMouseDown(x, y, mods); }
    void DragTo(int x, int y, orv::editor::MouseModifiers mods = LeftButton()) { graphics.OnMouseDrag(x, y, mods); }
    void Release(int x, int y, orv::editor::MouseModifiers mods = LeftButton()) { graphics.OnMouseUp(x, y, mods); }

    uint32_t Pixel(int x, int y) const { return graphics.DrawBitmap()->Row(y)[x]; }

    // The host's edit calls: "begin 3", "automate 3 0.500", "end 3".
    std::vector<std::string> HostEdits() const
    {
        std::vector<std::string> edits;
        for (const hosttest::HostCall& call : host.Calls()) {
            char line[48];
            if (call.opcode == orv::framework::vst::audioMasterBeginEdit)
                std::snprintf(line, sizeof line, "begin %d", call.index);
            else if (call.opcode == orv::framework::vst::audioMasterEndEdit)
                std::snprintf(line, sizeof line, "end %d", call.index);
            else if (call.opcode == orv::framework::vst::audioMasterAutomate)
                std::snprintf(line, sizeof line, "automate %d %.3f", call.index, call.opt);
            else
                continue;
            edits.emplace_back(line);
        }
        return edits;
    }

    hosttest::ScriptedHost host;
    EditorPlugin plugin{host};
    ScriptedGraphics graphics{&plugin, kTestPanelWidth, kTestPanelHeight};

private:
    std::vector<std::unique_ptr<orv::editor::RasterMemBitmap>> images;
};

}  // namespace editortest
