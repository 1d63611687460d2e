#pragma once
// The "Binary Log Key" text (32 hex digits); CBinaryLogKey::Resolve decides what it is worth.
#include <string>

#include "settings/SettingField.h"

struct CBinaryKeySetting {
    std::string m_strKey;

    static const CSettingTable<CBinaryKeySetting>& Table();
};
