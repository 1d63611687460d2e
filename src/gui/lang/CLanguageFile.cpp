#include "lang/CLanguageFile.h"

#include <QLibrary>

CLanguageFile::CLanguageFile() = default;

CLanguageFile::~CLanguageFile() {
    Unload();
}

bool CLanguageFile::Load(const QString& path) {
    Unload();
    auto library = std::make_unique<QLibrary>(path);
    if (!library->load())
        return false;
    auto id = reinterpret_cast<IdFunction>(library->resolve("GetLanguage"));
    auto name = reinterpret_cast<NameFunction>(library->resolve("GetLanguageStr"));
    auto lookup = reinterpret_cast<StringFunction>(library->resolve("GetString"));
    if (!id || !name || !lookup) {
        library->unload();
        return false;
    }
    m_pLibrary = std::move(library);
    m_strPath = path;
    m_pId = id;
    m_pName = name;
    m_pString = lookup;
    return true;
}

void CLanguageFile::Unload() {
    m_pId = nullptr;
    m_pName = nullptr;
    m_pString = nullptr;
    m_strPath.clear();
    if (m_pLibrary) {
        // QLibrary counts loads per file: a probe of the file in use leaves it loaded.
        m_pLibrary->unload();
        m_pLibrary.reset();
    }
}

uint16_t CLanguageFile::Id() const {
    return m_pId ? uint16_t(m_pId()) : 0;
}

QString CLanguageFile::Name() const {
    const char* name = m_pName ? m_pName() : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}

std::optional<LanguageCandidate> CLanguageFile::Probe(const QString& path) {
    CLanguageFile file;
    if (!file.Load(path))
        return std::nullopt;
    return LanguageCandidate{file.Id(), file.Name(), path};
}
