#pragma once
// The language the viewer speaks: English (1033) from its own string table, any other from a
// language file. Applying one makes the file the source of every numbered text, puts Qt's own
// translation for it in place (file dialogs, message box buttons) and stores the choice.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "lang/CLanguageFile.h"

class QTranslator;

class CLanguageSwitch {
public:
    static constexpr uint16_t kEnglish = 0x0409;
    enum class Result { Applied, Unchanged, Failed };

    // `store` writes "Language ID"; every successful Apply hands it the language (the settings
    // write only a value that changed). An empty `directory` means the viewer's language folder
    // (LanguageDirectory()), asked each time.
    using SettingWriter = std::function<void(uint32_t language)>;
    explicit CLanguageSwitch(SettingWriter store, QString directory = QString());
    ~CLanguageSwitch();
    CLanguageSwitch(const CLanguageSwitch&) = delete;
    CLanguageSwitch& operator=(const CLanguageSwitch&) = delete;

    uint16_t Current() const { return m_nCurrent; }
    // The file in use, empty for English.
    QString LoadedPath() const { return m_pFile ? m_pFile->Path() : QString(); }

    // Makes `language` the current language. English always succeeds; the current language
    // again is Unchanged; a language without a loadable file fails and changes nothing.
    Result Apply(uint32_t language);

    // The first language file in path order whose GetLanguage is `language`, or empty.
    QString FindLanguageFile(uint32_t language) const;
    // English first, then every language file of the folder in path order.
    std::vector<LanguageCandidate> Candidates() const;

    QString Directory() const;

private:
    std::vector<QString> LibraryPaths() const;
    std::optional<LanguageCandidate> Ask(const QString& path) const;
    void InstallQtTranslations(uint16_t language);
    void RemoveQtTranslations();

    SettingWriter m_store;
    QString m_strDirectory;
    uint16_t m_nCurrent = kEnglish;
    std::unique_ptr<CLanguageFile> m_pFile;
    std::vector<std::unique_ptr<QTranslator>> m_arTranslators;
};
