// The real instrument with its panel built into a scripted graphics context
// whose window is open, a scripted host, and settings in a private folder.
#pragma once

#include "tests/editor/EditorFixture.h"
#include "tests/instrument/InstrumentFixture.h"  // PrivateSettingsFolder

#include "instrument/ORV.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace editortest {

class PanelFixture {
public:
    PanelFixture()
    {
        {
            hosttest::ScriptedHost::ConstructionScope scope(host);
            orv = std::make_unique<orv::instrument::ORV>(&hosttest::ScriptedHost::Callback);
        }
        host.Adopt(orv->Effect());
        orv->FillEmptyPrograms(orv->ProgramCount());
        Dispatch(orv::framework::vst::effOpen);
        auto scripted = std::make_unique<ScriptedGraphics>(orv.get());
        graphics = scripted.get();
        graphics->windowAvailable = true;
        orv->ReplaceEditorGraphics(std::move(scripted));
        graphics->OpenEditorWindow(nullptr);
        host.ClearCalls();
    }
    ~PanelFixture() { orv.reset(); }

    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        orv::framework::vst::AEffect* effect = orv->Effect();
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    void Click(int x, int y, orv::editor::MouseModifiers mods = LeftButton())
    {
        graphics->OnMouseDown(x, y, mods);
        graphics->OnMouseUp(x, y, mods);
    }

    // Chooses an option menu entry by its path of item indices.
    void ChooseOption(std::vector<int> path)
    {
        graphics->menuChoices.push_back(std::move(path));
        ClickOptionMenu();
    }
    // A click on the option menu's button, wherever the panel's scale puts it.
    void ClickOptionMenu() { Click(graphics->Scale().Pixels(360), graphics->Scale().Pixels(25)); }

    // Every program's name and stored state, to see that nothing changed.
    std::vector<std::string> Programs() const
    {
        std::vector<std::string> programs;
        for (int i = 0; i < orv->ProgramCount(); ++i) {
            orv::framework::ProgramSlot& slot = orv->GetProgramSlot(i);
            programs.push_back(slot.name + "|" + std::string(slot.state.Data(), slot.state.Data() + slot.state.Size()));
        }
        return programs;
    }

    std::filesystem::path File(const std::string& name) const { return settings.Path() / name; }

    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    PrivateSettingsFolder settings;
    hosttest::ScriptedHost host;
    std::unique_ptr<orv::instrument::ORV> orv;
    ScriptedGraphics* graphics = nullptr;
};

}  // namespace editortest
