// ORV built directly (not loaded), with its settings folder in a private
// temporary place, driven through its AEffect as a host would.
#pragma once

#include "instrument/ORV.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

// Points the per-user settings at a fresh folder for the life of the object.
class PrivateSettingsFolder {
public:
    PrivateSettingsFolder()
    {
        folder = std::filesystem::temp_directory_path() /
                 ("orv-instrument-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(folder);
        Set("XDG_CONFIG_HOME", folder.string());
        Set("HOME", folder.string());
    }
    ~PrivateSettingsFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    const std::filesystem::path& Path() const { return folder; }

private:
    static void Set(const char* name, const std::string& value)
    {
#if defined(_WIN32)
        _putenv_s(name, value.c_str());
#else
        setenv(name, value.c_str(), 1);
#endif
    }
    static inline int counter = 0;
    std::filesystem::path folder;
};

class InstrumentFixture {
public:
    explicit InstrumentFixture(orv::framework::vst::HostCallback host = nullptr)
        : plugin(std::make_unique<orv::instrument::ORV>(host)), effect(plugin->Effect())
    {
        plugin->FillEmptyPrograms(plugin->ProgramCount());
        Dispatch(orv::framework::vst::effOpen);
        Dispatch(orv::framework::vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
        Dispatch(orv::framework::vst::effSetBlockSize, 0, 256);
        Dispatch(orv::framework::vst::effMainsChanged, 0, 1);
    }

    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    PrivateSettingsFolder settings;
    std::unique_ptr<orv::instrument::ORV> plugin;
    orv::framework::vst::AEffect* effect;
};
