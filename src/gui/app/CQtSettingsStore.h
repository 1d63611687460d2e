#pragma once
// The settings store of the viewer: the user's QSettings("Zelvor", "ZelvorLogViewer"). A key path
// "Software\Zelvor\ZelvorLogViewer\Settings\Graph Traces" with the value "Trace0" becomes the
// QSettings key "Settings/Graph Traces/Trace0"; texts cross with Latin-1 so every 8-bit byte of a
// value survives the round trip.
#include <QString>

#include "settings/SettingsStore.h"

class QSettings;

class CQtSettingsStore : public ISettingsStore {
public:
    CQtSettingsStore();
    ~CQtSettingsStore() override;

    std::optional<uint32_t> ReadDword(const std::string& keyPath, const std::string& name) override;
    std::optional<std::string> ReadString(const std::string& keyPath,
                                          const std::string& name) override;
    bool WriteDword(const std::string& keyPath, const std::string& name, uint32_t value) override;
    bool WriteString(const std::string& keyPath, const std::string& name,
                     const std::string& value) override;

    // The QSettings key of a value; public for the tests.
    static QString KeyFor(const std::string& keyPath, const std::string& name);

private:
    QSettings* m_settings;
};

// The one QSettings of the program (profile values: recent files, addresses, window placement).
QSettings& AppSettings();
