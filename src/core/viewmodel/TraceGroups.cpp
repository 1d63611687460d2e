#include "viewmodel/TraceGroups.h"

namespace {

// clang-format off
constexpr CTracePreset kPresets[kTraceGroupCount] = {
    {0, 32815, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {1, 32809, {101, 102, 103, 104, 105, 106, 107, 108, 109}},
    {2, 32810, {201, 202, 203, 204, 0, 0, 0, 0, 0}},
    {3, 32811, {301, 302, 303, 304, 305, 306, 307, 0, 0}},
    {4, 32812, {401, 0, 0, 0, 0, 0, 0, 0, 0}},
    {5, 32813, {501, 502, 0, 0, 0, 0, 0, 0, 0}},
    {6, 32814, {601, 0, 0, 0, 0, 0, 0, 0, 0}},
};
// clang-format on

} // namespace

const CTracePreset* TracePreset(int group) {
    if (group < 0 || group >= kTraceGroupCount)
        return nullptr;
    return &kPresets[group];
}

int TraceGroupOfMenuId(int menuId) {
    for (const auto& preset : kPresets) {
        if (preset.menuId == menuId)
            return preset.group;
    }
    return -1;
}

CTraceSettings WithTraceGroupPreset(CTraceSettings traces, int group) {
    const CTracePreset* preset = TracePreset(group);
    if (!preset)
        return traces;
    for (size_t slot = 0; slot < settings::kTraceSlots; ++slot) {
        const int code = slot < kPresetSlots ? preset->codes[slot] : 0;
        traces.m_nTrace[slot] = static_cast<uint32_t>(code);
        traces.m_nTraceEnable[slot] = code != 0 ? 1u : 0u;
    }
    traces.m_nTraceGroup = static_cast<uint32_t>(group);
    return traces;
}

std::string TraceDisplayName(int code, const TextLookup& lookup) {
    using namespace profile_text;
    const auto fmt = [&](int id) { return CheckedFormat(lookup, id); };
    if (code == 101)
        return fmt(kNameSetpoint);
    if (code >= 102 && code <= 104)
        return FormatText(fmt(kNameCell).c_str(), 1, code - 101);
    if (code == 105)
        return FormatText(fmt(kNameMeasured).c_str(), 1);
    if (code >= 106 && code <= 108)
        return FormatText(fmt(kNameCell).c_str(), 2, code - 105);
    if (code == 109)
        return FormatText(fmt(kNameMeasured).c_str(), 2);
    if (code >= 201 && code <= 204)
        return FormatText(fmt(kNameBattery).c_str(), code <= 202 ? 1 : 2, (code - 201) % 2 + 1);
    if (code == 301)
        return fmt(kNameOxygenCyl);
    if (code >= 302 && code <= 307)
        return FormatText(fmt(kNameDiluentCyl).c_str(), code - 301);
    if (code == 401)
        return fmt(kNameAmbientTemp);
    if (code == 501)
        return fmt(kNameCns);
    if (code == 502)
        return fmt(kNameOtu);
    if (code == 503)
        return fmt(kNamePpCO2);
    if (code == 601)
        return fmt(kNameCeiling);
    return fmt(kNameNotUsed);
}
