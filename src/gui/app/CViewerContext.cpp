#include "app/CViewerContext.h"

#include "viewmodel/StringTable.h"

namespace {
CViewerContext::StringSource g_source = nullptr;
}

QString CViewerContext::Str(int id) {
    if (g_source) {
        const char* text = g_source(id);
        // Language files speak UTF-8; the built-in table is plain ASCII.
        if (text && *text)
            return QString::fromUtf8(text);
    }
    return QString::fromLatin1(DefaultString(id));
}

void CViewerContext::SetStringSource(StringSource source) {
    g_source = source;
}
