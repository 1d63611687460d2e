#pragma once
// One language file: a shared library exporting GetLanguage, GetLanguageStr and GetString (see
// lang/ZelvorLanguage.h). Loading resolves all three or holds nothing.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QLibrary;

// What Tools > Select Language lists for one language.
struct LanguageCandidate {
    uint16_t id = 0;
    QString name;
    QString path; // empty for the built-in English
};

class CLanguageFile {
public:
    using IdFunction = unsigned short (*)();
    using NameFunction = const char* (*)();
    using StringFunction = const char* (*)(int);

    CLanguageFile();
    ~CLanguageFile();
    CLanguageFile(const CLanguageFile&) = delete;
    CLanguageFile& operator=(const CLanguageFile&) = delete;

    // Loads `path`; false, with nothing loaded, when it cannot be loaded or lacks an export.
    bool Load(const QString& path);
    void Unload();
    bool IsLoaded() const { return m_pString != nullptr; }

    uint16_t Id() const;
    QString Name() const;
    QString Path() const { return m_strPath; }
    // The file's own lookup; stays valid while the file is loaded.
    StringFunction StringLookup() const { return m_pString; }

    // Loads `path` to ask its language and unloads it again; nothing when it is no language file.
    static std::optional<LanguageCandidate> Probe(const QString& path);

private:
    std::unique_ptr<QLibrary> m_pLibrary;
    QString m_strPath;
    IdFunction m_pId = nullptr;
    NameFunction m_pName = nullptr;
    StringFunction m_pString = nullptr;
};
