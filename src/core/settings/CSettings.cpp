#include "settings/CSettings.h"

CSettings::CSettings()
    : m_viewer(GroupDefaults<CViewerPreferences>()), m_traces(GroupDefaults<CTraceSettings>()),
      m_cylinders(GroupDefaults<CCylinderDefaults>()),
      m_binaryKey(GroupDefaults<CBinaryKeySetting>()), m_dan(GroupDefaults<CDanDetails>()) {}

CSettings::CSettings(ISettingsStore& store)
    : m_store(&store), m_viewer(LoadGroup<CViewerPreferences>(store)),
      m_traces(LoadGroup<CTraceSettings>(store)), m_cylinders(LoadGroup<CCylinderDefaults>(store)),
      m_binaryKey(LoadGroup<CBinaryKeySetting>(store)), m_dan(LoadGroup<CDanDetails>(store)) {}

template <class G> void CSettings::Replace(G& current, const G& next) {
    if (m_store)
        SaveGroup(*m_store, current, next);
    current = next;
}

void CSettings::SetViewer(const CViewerPreferences& viewer) {
    Replace(m_viewer, viewer);
}

void CSettings::SetTraces(const CTraceSettings& traces) {
    Replace(m_traces, traces);
}

void CSettings::SetCylinders(const CCylinderDefaults& cylinders) {
    Replace(m_cylinders, cylinders);
}

void CSettings::SetDan(const CDanDetails& dan) {
    Replace(m_dan, dan);
}

void CSettings::ReloadDan() {
    if (m_store)
        m_dan = LoadGroup<CDanDetails>(*m_store);
}
