#include "settings/PrinterSettings.h"

#include <algorithm>

EPrinterRestore DecidePrinterRestore(const CPrinterConfig& config,
                                     const std::vector<std::string>& installed) {
    if (config.m_strPrinterName.empty() || config.m_strSpooler.empty() || config.m_strPort.empty())
        return EPrinterRestore::Default;
    const bool found =
        std::find(installed.begin(), installed.end(), config.m_strPrinterName) != installed.end();
    return found ? EPrinterRestore::Selected : EPrinterRestore::Gone;
}
