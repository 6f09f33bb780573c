// The same for the LV2 adapter: bytes read as a script of an LV2 host's
// actions (instantiate with or without a block-size option, activate,
// deactivate, run any length with MIDI atoms at any frames, control ports
// set to anything including NaN, state saved at any moment and restored
// whole, damaged or mistyped), with the adapter's promises checked after
// every step. The libFuzzer target FuzzLv2Calls and a seeded test share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace hosttest {

struct ScriptReader;

class Lv2CallScript {
public:
    explicit Lv2CallScript(std::function<long()> allocations);
    ~Lv2CallScript();
    Lv2CallScript(const Lv2CallScript&) = delete;
    Lv2CallScript& operator=(const Lv2CallScript&) = delete;

    // "" when every promise held, else what broke first.
    std::string Play(const uint8_t* data, size_t size);

private:
    class Host;
    std::function<long()> allocations;
    std::unique_ptr<Host> host;
};

}  // namespace hosttest
