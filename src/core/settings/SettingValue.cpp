#include "settings/SettingValue.h"

namespace settings_detail {

void SplitPath(std::string_view fullPath, std::string& keyPath, std::string& valueName) {
    while (!fullPath.empty() && fullPath.front() == '\\')
        fullPath.remove_prefix(1);
    while (!fullPath.empty() && fullPath.back() == '\\')
        fullPath.remove_suffix(1);
    const size_t slash = fullPath.rfind('\\');
    if (slash == std::string_view::npos) {
        keyPath.clear();
        valueName = std::string(fullPath);
        return;
    }
    keyPath = std::string(fullPath.substr(0, slash));
    valueName = std::string(fullPath.substr(slash + 1));
}

} // namespace settings_detail
