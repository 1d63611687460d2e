#include "app/CQtSettingsStore.h"

#include <QSettings>

QSettings& AppSettings() {
    static QSettings settings(QStringLiteral("Zelvor"), QStringLiteral("ZelvorLogViewer"));
    return settings;
}

CQtSettingsStore::CQtSettingsStore() : m_settings(&AppSettings()) {}

CQtSettingsStore::~CQtSettingsStore() = default;

QString CQtSettingsStore::KeyFor(const std::string& keyPath, const std::string& name) {
    // The application's own key is the root of its QSettings; anything else under the maker's
    // key keeps its path below it.
    static const char* const kPrefixes[] = {"Software\\Zelvor\\ZelvorLogViewer\\",
                                            "Software\\Zelvor\\", "Software\\"};
    std::string full = keyPath.empty() ? name : keyPath + '\\' + name;
    for (const char* prefix : kPrefixes) {
        const std::string p(prefix);
        if (full.size() > p.size() && full.compare(0, p.size(), p) == 0) {
            full.erase(0, p.size());
            break;
        }
    }
    QString key = QString::fromLatin1(full.data(), qsizetype(full.size()));
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key;
}

std::optional<uint32_t> CQtSettingsStore::ReadDword(const std::string& keyPath,
                                                    const std::string& name) {
    const QVariant v = m_settings->value(KeyFor(keyPath, name));
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    // A value outside 32 bits is not a DWORD; treat it as unreadable.
    if (!ok || n < -qlonglong(0x80000000LL) || n > qlonglong(0xFFFFFFFFLL))
        return std::nullopt;
    return uint32_t(n);
}

std::optional<std::string> CQtSettingsStore::ReadString(const std::string& keyPath,
                                                        const std::string& name) {
    const QVariant v = m_settings->value(KeyFor(keyPath, name));
    if (!v.isValid())
        return std::nullopt;
    const QByteArray bytes = v.toString().toLatin1();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

bool CQtSettingsStore::WriteDword(const std::string& keyPath, const std::string& name,
                                  uint32_t value) {
    // A plain unsigned int stays a DWORD where the store is the registry.
    m_settings->setValue(KeyFor(keyPath, name), uint(value));
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

bool CQtSettingsStore::WriteString(const std::string& keyPath, const std::string& name,
                                   const std::string& value) {
    m_settings->setValue(KeyFor(keyPath, name),
                         QString::fromLatin1(value.data(), qsizetype(value.size())));
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
