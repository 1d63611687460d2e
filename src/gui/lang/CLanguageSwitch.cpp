#include "lang/CLanguageSwitch.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>

#include "lang/LanguageDirectory.h"
#include "views/CPageContext.h"

namespace {

// Qt names its translations by language; a Windows language identifier carries the language in
// its low ten bits.
QLocale::Language QtLanguage(uint16_t id) {
    struct Entry {
        uint16_t primary;
        QLocale::Language language;
    };
    static const Entry kLanguages[] = {
        {0x01, QLocale::Arabic},          {0x02, QLocale::Bulgarian}, {0x03, QLocale::Catalan},
        {0x04, QLocale::Chinese},         {0x05, QLocale::Czech},     {0x06, QLocale::Danish},
        {0x07, QLocale::German},          {0x08, QLocale::Greek},     {0x09, QLocale::English},
        {0x0A, QLocale::Spanish},         {0x0B, QLocale::Finnish},   {0x0C, QLocale::French},
        {0x0D, QLocale::Hebrew},          {0x0E, QLocale::Hungarian}, {0x10, QLocale::Italian},
        {0x11, QLocale::Japanese},        {0x12, QLocale::Korean},    {0x13, QLocale::Dutch},
        {0x14, QLocale::NorwegianBokmal}, {0x15, QLocale::Polish},    {0x16, QLocale::Portuguese},
        {0x19, QLocale::Russian},         {0x1B, QLocale::Slovak},    {0x1D, QLocale::Swedish},
        {0x1F, QLocale::Turkish},         {0x22, QLocale::Ukrainian}, {0x24, QLocale::Slovenian},
    };
    const uint16_t primary = id & 0x3FF;
    for (const Entry& e : kLanguages) {
        if (e.primary == primary)
            return e.language;
    }
    return QLocale::AnyLanguage;
}

} // namespace

CLanguageSwitch::CLanguageSwitch(SettingWriter store, QString directory)
    : m_store(std::move(store)), m_strDirectory(std::move(directory)) {}

CLanguageSwitch::~CLanguageSwitch() {
    // The texts must not point into a library that is about to go.
    if (m_pFile)
        CPageContext::SetStringSource(nullptr);
    RemoveQtTranslations();
}

QString CLanguageSwitch::Directory() const {
    return m_strDirectory.isEmpty() ? LanguageDirectory() : m_strDirectory;
}

std::vector<QString> CLanguageSwitch::LibraryPaths() const {
    const QDir dir(Directory());
    std::vector<QString> paths;
    for (const QString& name :
         dir.entryList({QStringLiteral("*.so")}, QDir::Files | QDir::Readable, QDir::NoSort))
        paths.push_back(dir.filePath(name));
    // Plain code-point order of the whole path, whatever the locale's collation says.
    std::sort(paths.begin(), paths.end(),
              [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    return paths;
}

std::optional<LanguageCandidate> CLanguageSwitch::Ask(const QString& path) const {
    // The file in use is asked directly: a second load and unload of it through Qt would close
    // the library under the texts that point into it.
    if (m_pFile && path == m_pFile->Path())
        return LanguageCandidate{m_pFile->Id(), m_pFile->Name(), path};
    return CLanguageFile::Probe(path);
}

QString CLanguageSwitch::FindLanguageFile(uint32_t language) const {
    for (const QString& path : LibraryPaths()) {
        const auto candidate = Ask(path);
        if (candidate && candidate->id == language)
            return path;
    }
    return QString();
}

std::vector<LanguageCandidate> CLanguageSwitch::Candidates() const {
    std::vector<LanguageCandidate> list{{kEnglish, QStringLiteral("English"), QString()}};
    for (const QString& path : LibraryPaths()) {
        if (auto candidate = Ask(path))
            list.push_back(*candidate);
    }
    return list;
}

CLanguageSwitch::Result CLanguageSwitch::Apply(uint32_t language) {
    if (language == kEnglish) {
        CPageContext::SetStringSource(nullptr);
        m_pFile.reset();
        RemoveQtTranslations();
    } else {
        if (language == m_nCurrent)
            return Result::Unchanged;
        if (language > 0xFFFF)
            return Result::Failed;
        const QString path = FindLanguageFile(language);
        if (path.isEmpty())
            return Result::Failed;
        // The new file is loaded before the old one goes, so a file that fails to load leaves
        // the language in use whole.
        auto next = std::make_unique<CLanguageFile>();
        if (!next->Load(path))
            return Result::Failed;
        CPageContext::SetStringSource(next->StringLookup());
        m_pFile = std::move(next);
        InstallQtTranslations(uint16_t(language));
    }
    m_nCurrent = uint16_t(language);
    if (m_store)
        m_store(language);
    return Result::Applied;
}

void CLanguageSwitch::InstallQtTranslations(uint16_t language) {
    RemoveQtTranslations();
    const QLocale::Language qtLanguage = QtLanguage(language);
    if (qtLanguage == QLocale::AnyLanguage || !QCoreApplication::instance())
        return;
    const QLocale locale(qtLanguage);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalogue : {"qtbase", "qt"}) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, QLatin1String(catalogue), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator.get());
            m_arTranslators.push_back(std::move(translator));
            // qt_<lang> already includes qtbase; one is enough.
            break;
        }
    }
}

void CLanguageSwitch::RemoveQtTranslations() {
    if (QCoreApplication::instance()) {
        for (auto& translator : m_arTranslators)
            QCoreApplication::removeTranslator(translator.get());
    }
    m_arTranslators.clear();
}
