#pragma once
// One value in the settings store. Built from a full path such as
// "Software\Zelvor\ZelvorLogViewer\Settings\Units": the key is everything before the last
// backslash, the value name everything after it. Reads are cached; a failed read returns the
// default and tries the store again next time; an assignment writes only when the value changes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace settings_detail {
void SplitPath(std::string_view fullPath, std::string& keyPath, std::string& valueName);
}

template <typename T> class SettingValue {
public:
    // The store is named on purpose: there is no current store to fall back on.
    SettingValue(std::string_view fullPath, T defaultValue, bool force, ISettingsStore* store)
        : m_default(std::move(defaultValue)), m_value(m_default), m_bForce(force), m_store(store) {
        settings_detail::SplitPath(fullPath, m_strKeyPath, m_strValueName);
        Read();
    }

    T Read() {
        if (m_bRead && !m_bForce)
            return m_value;
        auto stored = Load();
        if (!stored) {
            m_bRead = false;
            return m_default;
        }
        m_value = *stored;
        m_bRead = true;
        return m_value;
    }
    operator T() { return Read(); }

    SettingValue& operator=(const T& value) {
        Assign(value);
        return *this;
    }
    void Assign(const T& value) {
        if (!m_bForce && value == m_value)
            return;
        m_value = value;
        Store(value); // a failed write is silent
    }

    bool IsRead() const { return m_bRead; }
    const T& Default() const { return m_default; }
    const std::string& KeyPath() const { return m_strKeyPath; }
    const std::string& ValueName() const { return m_strValueName; }

private:
    // Without a store there is nothing to read and nowhere to write: the default stands.
    std::optional<T> Load() const {
        if (!m_store)
            return std::nullopt;
        if constexpr (std::is_same_v<T, std::string>)
            return m_store->ReadString(m_strKeyPath, m_strValueName);
        else
            return m_store->ReadDword(m_strKeyPath, m_strValueName);
    }
    void Store(const T& value) {
        if (!m_store)
            return;
        if constexpr (std::is_same_v<T, std::string>)
            m_store->WriteString(m_strKeyPath, m_strValueName, value);
        else
            m_store->WriteDword(m_strKeyPath, m_strValueName, value);
    }

    std::string m_strKeyPath;
    std::string m_strValueName;
    T m_default;
    T m_value;
    bool m_bRead = false;
    bool m_bForce = false;
    ISettingsStore* m_store = nullptr;
};

using SettingDword = SettingValue<uint32_t>;
using SettingString = SettingValue<std::string>;
