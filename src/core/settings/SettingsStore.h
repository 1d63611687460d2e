#pragma once
// Where setting values live. The viewer plugs in a QSettings-backed store; the command line tool
// and the tests use the in-memory one, so nothing they do touches a user's settings.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // keyPath is the backslash-separated key ("Software\Zelvor\ZelvorLogViewer\Settings").
    virtual std::optional<uint32_t> ReadDword(const std::string& keyPath,
                                              const std::string& name) = 0;
    virtual std::optional<std::string> ReadString(const std::string& keyPath,
                                                  const std::string& name) = 0;
    virtual bool WriteDword(const std::string& keyPath, const std::string& name,
                            uint32_t value) = 0;
    virtual bool WriteString(const std::string& keyPath, const std::string& name,
                             const std::string& value) = 0;
};

class CMemorySettingsStore : public ISettingsStore {
public:
    std::optional<uint32_t> ReadDword(const std::string& keyPath, const std::string& name) override;
    std::optional<std::string> ReadString(const std::string& keyPath,
                                          const std::string& name) override;
    bool WriteDword(const std::string& keyPath, const std::string& name, uint32_t value) override;
    bool WriteString(const std::string& keyPath, const std::string& name,
                     const std::string& value) override;

    // Test aids.
    size_t WriteCount() const { return m_nWrites; }
    void SetFailWrites(bool fail) { m_bFailWrites = fail; }
    void Clear() { m_values.clear(); }

private:
    std::map<std::string, std::variant<uint32_t, std::string>> m_values;
    size_t m_nWrites = 0;
    bool m_bFailWrites = false;
};
