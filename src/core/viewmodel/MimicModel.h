#pragma once
// What the mimic of the controller's display shows at the cursor sample.
#include <memory>
#include <string>

#include "viewmodel/CMimicPicture.h"

class CDiveLog;
class CDiveLogSample;
struct CChartState;

struct CBatteryThresholds {
    double low;
    double middle;
    double high;
};
// The unit's battery bar thresholds, by display code version and the display's battery type.
CBatteryThresholds BatteryThresholds(const CDiveLog& log, bool displayLiPoly);

// 1 when controller 1 is master or neither reports master mode, else 2.
int ShownController(const CDiveLogSample& sample);

// The gas of the mimic: "GAS" or "DIL" with the gas number ("DIL 1 "), then the mix ("AIR",
// "18/45", "100%HE", "100%O2", "32%Nx").
std::string MimicGasPrefix(const CDiveLogSample& sample, int gasNumber);
std::string MimicMixText(const CDiveLogSample& sample);

struct CMimicInput {
    // Samples are built from the log's store when read, so the input keeps the one it shows.
    std::shared_ptr<const CDiveLogSample> owned;
    const CDiveLogSample* sample = nullptr; // owned.get(), or one the caller keeps alive
    int gasNumber = 0;                      // 0 when none is known
    double maxDepthSoFar = 0.0;             // deepest sample up to the cursor sample, metres
    double diveStartTime = 0.0;
    bool showDeco = false; // a slot shows the decompression ceiling
    bool metric = true;
    bool level3 = false; // display code 03.09.22 or later: the status sign has five pictures
    CBatteryThresholds thresholds{4.8, 5.2, 5.5};
};
// The picture; empty when there is no sample.
CMimicPicture BuildMimic(const CMimicInput& input);
