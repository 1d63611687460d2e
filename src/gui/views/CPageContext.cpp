#include "views/CPageContext.h"

#include <QList>

#include "viewmodel/StringTable.h"

namespace {
CPageContext::StringSource g_source = nullptr;
}

QString CPageContext::Str(int id) {
    if (g_source) {
        const char* text = g_source(id);
        // Language files speak UTF-8; the built-in table is plain ASCII.
        if (text && *text)
            return QString::fromUtf8(text);
    }
    return QString::fromLatin1(DefaultString(id));
}

void CPageContext::SetStringSource(StringSource source) {
    g_source = source;
}

bool CPageContext::Edit(const std::function<bool(CDiveLog&)>& change) {
    if (!m_log.m_bFileLoaded || !change(m_log))
        return false;
    SetModifiedMark(true);
    emit diveEdited();
    return true;
}

QString CPageContext::CommitPendingEdits() {
    m_strUnstorable.clear();
    emit commitPendingEdits();
    return m_strUnstorable;
}

void CPageContext::ReportUnstorable(const QString& characters) {
    // By code point: a character beyond the basic plane is two QChars.
    for (const uint code : characters.toUcs4()) {
        const char32_t c = code;
        const QString one = QString::fromUcs4(&c, 1);
        if (!m_strUnstorable.contains(one))
            m_strUnstorable += one;
    }
}

void CPageContext::SetModifiedMark(bool modified) {
    m_log.m_bModified = modified;
    if (modified != m_bMarkReported) {
        m_bMarkReported = modified;
        emit modifiedChanged(modified);
    }
}
