#include "settings/SettingsStore.h"

namespace {
std::string Key(const std::string& keyPath, const std::string& name) {
    return keyPath + '\\' + name;
}
} // namespace

std::optional<uint32_t> CMemorySettingsStore::ReadDword(const std::string& keyPath,
                                                        const std::string& name) {
    auto it = m_values.find(Key(keyPath, name));
    if (it == m_values.end() || !std::holds_alternative<uint32_t>(it->second))
        return std::nullopt;
    return std::get<uint32_t>(it->second);
}

std::optional<std::string> CMemorySettingsStore::ReadString(const std::string& keyPath,
                                                            const std::string& name) {
    auto it = m_values.find(Key(keyPath, name));
    if (it == m_values.end() || !std::holds_alternative<std::string>(it->second))
        return std::nullopt;
    return std::get<std::string>(it->second);
}

bool CMemorySettingsStore::WriteDword(const std::string& keyPath, const std::string& name,
                                      uint32_t value) {
    if (m_bFailWrites)
        return false;
    ++m_nWrites;
    m_values[Key(keyPath, name)] = value;
    return true;
}

bool CMemorySettingsStore::WriteString(const std::string& keyPath, const std::string& name,
                                       const std::string& value) {
    if (m_bFailWrites)
        return false;
    ++m_nWrites;
    m_values[Key(keyPath, name)] = value;
    return true;
}
