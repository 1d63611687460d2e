#pragma once
// Options the simulator tests share.
#include "sim/CDiveSimulator.h"

namespace simtest {

// The short record layout with display code version major.minor.build.
inline CSimOptions ShortOptions(int major = 5, int minor = 2, int build = 46) {
    CSimOptions o;
    o.frcLayout = false;
    o.versionMajor = major;
    o.versionMinor = minor;
    o.versionBuild = build;
    return o;
}

} // namespace simtest
