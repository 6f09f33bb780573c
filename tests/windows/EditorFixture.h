// One instance of the plug-in, loaded from its DLL, and a host window to
// open its editor in.
#pragma once

#include "tests/host/HostedPlugin.h"
#include "tests/windows/HostWindow.h"

#include <gtest/gtest.h>

namespace wintest {

class EditorInHost {
public:
    EditorInHost() { plugin.Start(); }
    intptr_t Open(HWND parent) { return plugin.Dispatch(orv::framework::vst::effEditOpen, 0, 0, parent); }
    intptr_t Open() { return Open(host.Handle()); }
    intptr_t Close() { return plugin.Dispatch(orv::framework::vst::effEditClose); }
    HWND Editor() const { return FindEditorWindow(host.Handle()); }

    HostWindow host;  // outlives the plug-in, as in a host
    hosttest::HostedPlugin plugin;
};

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_LOADED(first.plugin); }
    EditorInHost first;
};

}  // namespace wintest
