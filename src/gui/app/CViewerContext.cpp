#include "app/CViewerContext.h"

CLoadResult CViewerContext::Load(const std::string& path) {
    CDiveLog& log = MutableLog();
    const CLoadResult result = log.LoadLogFile(path);
    // A file that failed half-way leaves nothing shown.
    if (!result.loaded && log.m_bFileLoaded)
        log.UnloadLogFile();
    log.m_bLoading = false;
    Loaded();
    return result;
}

void CViewerContext::Unload() {
    MutableLog().UnloadLogFile();
    Loaded();
}

void CViewerContext::Loaded() {
    ++MutableLog().m_nLoadGeneration;
    SetModifiedMark(false);
    emit logLoaded();
}

CSaveResult CViewerContext::Save(const Saver& saver) {
    CDiveLog& log = MutableLog();
    if (!log.m_bFileLoaded)
        return {};
    const bool modified = log.m_bModified;
    const CSaveResult result = saver(log);
    SetModifiedMark(result.ok ? false : modified);
    return result;
}
