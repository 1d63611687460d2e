#pragma once
// Every settings group of the program, read once from the store at start-up and handed to
// whoever needs them by const reference. A setter takes the whole changed group and writes
// back only the values that changed, through the group's descriptor table. Without a store
// (the command line tool, page tests) the groups hold their defaults and setters write nothing.
#include "settings/CBinaryKeySetting.h"
#include "settings/CCylinderDefaults.h"
#include "settings/CDanDetails.h"
#include "settings/CTraceSettings.h"
#include "settings/CViewerPreferences.h"

class ISettingsStore;

class CSettings {
public:
    CSettings();
    // Reads every group from `store`, which must outlive this object and receives the writes.
    explicit CSettings(ISettingsStore& store);

    const CViewerPreferences& Viewer() const { return m_viewer; }
    const CTraceSettings& Traces() const { return m_traces; }
    const CCylinderDefaults& Cylinders() const { return m_cylinders; }
    const CBinaryKeySetting& BinaryKey() const { return m_binaryKey; }
    const CDanDetails& Dan() const { return m_dan; }

    void SetViewer(const CViewerPreferences& viewer);
    void SetTraces(const CTraceSettings& traces);
    void SetCylinders(const CCylinderDefaults& cylinders);
    void SetDan(const CDanDetails& dan);
    // The DAN details are read again at every export: another program may have changed them.
    void ReloadDan();

private:
    // Writes the values that differ from `current` to the store, if any, and keeps `next`.
    template <class G> void Replace(G& current, const G& next);

    ISettingsStore* m_store = nullptr;
    CViewerPreferences m_viewer;
    CTraceSettings m_traces;
    CCylinderDefaults m_cylinders;
    CBinaryKeySetting m_binaryKey;
    CDanDetails m_dan;
};
