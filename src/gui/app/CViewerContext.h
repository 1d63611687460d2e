#pragma once
// The viewer's context: owns the dive and is the only writer of its state. The main window loads,
// unloads and saves through it; the pages see the CPageContext part and change the dive only
// through Edit.
#include <functional>
#include <string>

#include "logfile/LogSaver.h"
#include "views/CPageContext.h"

class CViewerContext : public CPageContext {
    Q_OBJECT
public:
    explicit CViewerContext(QObject* parent = nullptr) : CPageContext(parent) {}

    using CPageContext::Log;
    // For the window's commands and for tests that build a dive by hand; pages never get it.
    CDiveLog& Log() { return MutableLog(); }

    void SetMetric(bool metric) { SetMetricFlag(metric); }
    void SetChartRightClickMenuEnabled(bool on) { SetChartRightClickFlag(on); }
    // Start-up reads every settings group from `store` once; the changes go back to it.
    void LoadSettings(ISettingsStore& store) { LoadSettingsFrom(store); }
    // The diver's DAN details: read afresh for every export, written back when changed.
    void ReloadDanDetails() { ReloadDanSettings(); }
    void SetDanDetails(const CDanDetails& dan) { SetDanSettings(dan); }
    void SetViewer(const CViewerPreferences& viewer) { SetViewerPreferences(viewer); }

    // A command is replacing one file by another: the navigation stays up meanwhile.
    void SetLoading(bool loading) { MutableLog().m_bLoading = loading; }

    // Replaces the dive by the file at `path` (or by no dive when it does not load). The new dive
    // starts unmodified, whatever happened to the old one.
    CLoadResult Load(const std::string& path, const CLoadOptions& options = {});
    // Drops the dive, and with it any unsaved edits.
    void Unload();
    // Writes the edits into the loaded file with `saver`; the mark is cleared only when that
    // succeeds. With no dive loaded nothing happens and the result is not ok.
    using Saver = std::function<CSaveResult(CDiveLog&)>;
    CSaveResult Save(const Saver& saver);
    void WriteStatusLine(const std::string& text) override;

    // The answer No to the save question: the edits are given up.
    void DiscardEdits() { SetModifiedMark(false); }

private:
    void Loaded();
};
