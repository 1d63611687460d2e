#pragma once
// Shared set-up of the DAN wizard tests.
#include <QString>

class CMemorySettingsStore;

namespace wizardtest {
// The temporary folder of this test process.
QString TempRoot();
// The settings store every settings value of the process reads and writes.
CMemorySettingsStore& Store();
} // namespace wizardtest
