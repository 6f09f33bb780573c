// Binds the process's MTS-ESP tuning library, once, if it is installed.
#pragma once

namespace orv::instrument {

// Safe to call from every instance; only the first call loads. The
// environment variable ORV_MTS_LIBRARY names another file to load instead
// (used by the tests' tuning master).
void BindTuningLibrary();

}  // namespace orv::instrument
