#include "app/CViewerContext.h"

#include "app/AppStatusLog.h"

void CViewerContext::WriteStatusLine(const std::string& text) {
    TheStatusLog().Write("%s", text.c_str());
}

CLoadResult CViewerContext::Load(const std::string& path, const CLoadOptions& options) {
    CDiveLog& log = MutableLog();
    const CLoadResult result = log.LoadLogFile(path, options);
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
