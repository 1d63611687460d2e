#pragma once
// The descriptor mechanism behind every typed settings group. A group is a plain struct of
// values; its table pairs each value's name under the settings key with its default and with
// the member that holds it. The same table reads the group once at start-up, fills in the
// defaults and writes changed values back, so a name and its default are written down once.
//
// Adding a group (printer settings, DAN details, ...):
//   1. Declare the struct in its own header in this folder, with its members initialised to
//      nothing in particular and a `static const CSettingTable<CYourGroup>& Table();`.
//   2. Define Table() in a .cpp here: one Dword(...) or Text(...) line per value, in the order of
//      the settings reference, e.g.
//          Dword<CYourGroup>("Landscape", 0, [](CYourGroup& g) -> uint32_t& { return
//          g.m_nLandscape; })
//      A name may contain a subkey ("DAN\\Diver Name"); it is read under kRoot, or under the
//      group's own key when the struct declares one: `static constexpr std::string_view kKey`
//      (the printer settings live beside the settings key, not below it).
//   3. Add a member, an accessor and a setter to CSettings (CSettings.h/.cpp): Load reads it with
//      LoadGroup, the setter writes it with SaveGroup. Nothing else names the store.
//   4. Read it in code from CSettings (handed by const reference), never from the store.
//   The printer group is the one exception to 3 and 4: the application reads it before the
//   window exists and writes all of it at exit (CPrinterConfig::Load and Save).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/SettingValue.h"
#include "settings/SettingsTable.h"

template <class G> struct CSettingField {
    std::string name; // under settings::kRoot or the group's kKey; may contain a subkey
    bool isText = false;
    uint32_t dwordDefault = 0;
    std::string textDefault;
    std::function<uint32_t&(G&)> dword;
    std::function<std::string&(G&)> text;
};

template <class G> using CSettingTable = std::vector<CSettingField<G>>;

template <class G>
CSettingField<G> Dword(std::string name, uint32_t defaultValue,
                       std::function<uint32_t&(G&)> member) {
    CSettingField<G> f;
    f.name = std::move(name);
    f.dwordDefault = defaultValue;
    f.dword = std::move(member);
    return f;
}

template <class G>
CSettingField<G> Text(std::string name, std::string defaultValue,
                      std::function<std::string&(G&)> member) {
    CSettingField<G> f;
    f.name = std::move(name);
    f.isText = true;
    f.textDefault = std::move(defaultValue);
    f.text = std::move(member);
    return f;
}

// The full path of a field's value: under the group's own key if it has one.
template <class G> std::string FieldPath(const CSettingField<G>& f) {
    if constexpr (requires { G::kKey; }) {
        std::string path(G::kKey);
        path += '\\';
        return path + f.name;
    } else {
        return settings::Path(f.name);
    }
}

// The group with every value at its default.
template <class G> G GroupDefaults() {
    G group{};
    for (const CSettingField<G>& f : G::Table()) {
        if (f.isText)
            f.text(group) = f.textDefault;
        else
            f.dword(group) = f.dwordDefault;
    }
    return group;
}

// Reads every value of the group; a value missing or unreadable gives its default.
template <class G> G LoadGroup(ISettingsStore& store) {
    G group{};
    for (const CSettingField<G>& f : G::Table()) {
        const std::string path = FieldPath(f);
        if (f.isText)
            f.text(group) = SettingString(path, f.textDefault, false, &store).Read();
        else
            f.dword(group) = SettingDword(path, f.dwordDefault, false, &store).Read();
    }
    return group;
}

// Writes the values of `next` that differ from `previous`, or every value without `previous`;
// a failed write is silent.
template <class G> void SaveGroup(ISettingsStore& store, const G* previous, const G& next) {
    G before = previous ? *previous : G{};
    G after = next;
    for (const CSettingField<G>& f : G::Table()) {
        std::string keyPath, name;
        settings_detail::SplitPath(FieldPath(f), keyPath, name);
        if (f.isText) {
            if (!previous || f.text(before) != f.text(after))
                store.WriteString(keyPath, name, f.text(after));
        } else if (!previous || f.dword(before) != f.dword(after)) {
            store.WriteDword(keyPath, name, f.dword(after));
        }
    }
}
template <class G> void SaveGroup(ISettingsStore& store, const G& previous, const G& next) {
    SaveGroup(store, &previous, next);
}
// Writes every value of the group, changed or not.
template <class G> void WriteGroup(ISettingsStore& store, const G& group) {
    SaveGroup<G>(store, nullptr, group);
}
