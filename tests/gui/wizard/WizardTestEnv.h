#pragma once
// Shared set-up of the DAN wizard tests.
#include <QString>

namespace wizardtest {
// The temporary folder of this test process.
QString TempRoot();
} // namespace wizardtest
