// Points the instrument's version query at a web server of the test's own
// on this machine, for as long as the object lives, so no test ever asks the
// real site.
#pragma once

#include "instrument/ProductSite.h"

#include <cstdlib>
#include <string>

// putenv keeps the string itself, so it must outlive its use.
class VersionQueryAt {
public:
    explicit VersionQueryAt(int port)
    {
        static std::string setting;
        setting = std::string(orv::instrument::kVersionQueryOverride) + "=127.0.0.1:" + std::to_string(port);
        putenv(setting.data());
    }
    ~VersionQueryAt()
    {
        static std::string unset = std::string(orv::instrument::kVersionQueryOverride) + "=";
        putenv(unset.data());
    }
};
