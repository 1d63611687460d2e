#pragma once
// What the dive pages share with the window that owns them: the loaded dive (read freely, changed
// only through Edit), the units, the numbered texts and the signals that tell a page the dive
// changed. Loading, unloading and saving belong to the viewer's context, which builds on this.
#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "logfile/CDiveLog.h"
#include "settings/CSettings.h"

class CPageContext : public QObject {
    Q_OBJECT
public:
    explicit CPageContext(QObject* parent = nullptr) : QObject(parent) {}

    const CDiveLog& Log() const { return m_log; }
    bool IsLoaded() const { return m_log.m_bFileLoaded; }
    bool IsModified() const { return m_log.m_bModified; }
    // Grows at every load and unload, so a page that remembers it knows when the dive under it
    // was replaced (a new dive may well reuse the old one's memory).
    unsigned Generation() const { return m_log.m_nLoadGeneration; }

    // The settings as read at start-up. Until the start-up hands in a store they hold the
    // defaults and changes stay in memory.
    const CSettings& Settings() const { return m_settings; }
    // Chart Options and the Graph Pop menu change what the chart draws.
    void SetTraces(const CTraceSettings& traces) { m_settings.SetTraces(traces); }
    // The gas page changes the cylinder defaults: also what the next log without cylinder
    // records starts from.
    void SetCylinderDefaults(const CCylinderDefaults& cylinders) {
        m_settings.SetCylinders(cylinders);
        m_log.m_CylinderDefaults = cylinders;
    }

    // Tools > Units: true = metric.
    bool IsMetric() const { return m_settings.Viewer().IsMetric(); }
    // Tools > Enable Chart Right Click Menu: true = the chart's right click opens its menu.
    bool IsChartRightClickMenuEnabled() const { return m_settings.Viewer().ChartRightClickMenu(); }

    // A numbered text in the current language.
    static QString Str(int id);
    // Where numbered texts come from; a language file installs its lookup here (an empty text
    // from it falls back to the built-in English). Null restores the built-in table.
    using StringSource = const char* (*)(int id);
    static void SetStringSource(StringSource source);

    // The one way a page changes the dive: `change` edits it and says whether anything really
    // changed; then the dive is marked modified. With no dive loaded nothing is edited: what is
    // typed then belongs to no file. Returns whether the dive changed.
    bool Edit(const std::function<bool(CDiveLog&)>& change);

    // Before the dive is saved or may be discarded, every page stores what a control still holds
    // (a number typed but not yet entered). Returns the characters that the log's code page
    // cannot hold and that were therefore left out of the record, each once; empty when none.
    QString CommitPendingEdits();
    // Called by pages while they answer commitPendingEdits.
    void ReportUnstorable(const QString& characters);

    // A line for the program's status log; the viewer's context writes it there.
    virtual void WriteStatusLine(const std::string& text) { (void)text; }

signals:
    // After every load and unload (Generation() has moved on).
    void logLoaded();
    void modifiedChanged(bool modified);
    // Any edit of the dive information or gas data (the banner follows the dive number).
    void diveEdited();
    // See CommitPendingEdits.
    void commitPendingEdits();

protected:
    CDiveLog& MutableLog() { return m_log; }
    // The only place the modified mark is written.
    void SetModifiedMark(bool modified);
    void SetMetricFlag(bool metric) {
        CViewerPreferences viewer = m_settings.Viewer();
        viewer.m_nUnits = metric ? 1 : 0;
        m_settings.SetViewer(viewer);
    }
    void SetChartRightClickFlag(bool on) {
        CViewerPreferences viewer = m_settings.Viewer();
        viewer.m_nChartRightClickMenu = on ? 1 : 0;
        m_settings.SetViewer(viewer);
    }
    void SetViewerPreferences(const CViewerPreferences& viewer) { m_settings.SetViewer(viewer); }
    void SetDanSettings(const CDanDetails& dan) { m_settings.SetDan(dan); }
    void ReloadDanSettings() { m_settings.ReloadDan(); }
    void LoadSettingsFrom(ISettingsStore& store) {
        m_settings = CSettings(store);
        m_log.m_CylinderDefaults = m_settings.Cylinders();
    }

private:
    CDiveLog m_log;
    CSettings m_settings;
    // What the last modifiedChanged said; the saver may clear the dive's mark on its own.
    bool m_bMarkReported = false;
    QString m_strUnstorable;
};
