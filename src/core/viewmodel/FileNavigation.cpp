#include "viewmodel/FileNavigation.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace filenav {

namespace {
size_t LastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}
} // namespace

std::string DirectoryPart(const std::string& path) {
    const size_t sep = LastSeparator(path);
    return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

std::string FileNamePart(const std::string& path) {
    const size_t sep = LastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty())
        return name;
    if (dir.back() == '/' || dir.back() == '\\')
        return dir + name;
    return dir + "/" + name;
}

std::string UnitPrefix(const std::string& fileTitle) {
    return fileTitle.substr(0, fileTitle.find('_'));
}

bool MatchesUnit(const std::string& name, const std::string& prefix) {
    static const std::string kExt = ".ccl";
    if (name.size() < prefix.size() + kExt.size())
        return false;
    if (name.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string tail = name.substr(name.size() - kExt.size());
    return std::equal(tail.begin(), tail.end(), kExt.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
    });
}

std::vector<std::string> SiblingLogFiles(const std::string& dir, const std::string& fileTitle) {
    std::vector<std::string> names;
    const std::string prefix = UnitPrefix(fileTitle);
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc))
            continue;
        std::string name = it->path().filename().string();
        if (MatchesUnit(name, prefix))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

int StepTarget(Step step, int current, int count) {
    int target = -1;
    switch (step) {
    case Step::First:
        target = 0;
        break;
    case Step::Previous:
        target = current - 1;
        break;
    case Step::Next:
        target = current + 1;
        break;
    case Step::Last:
        target = count - 1;
        break;
    }
    if (target < 0 || target >= count || target == current)
        return -1;
    return target;
}

} // namespace filenav
