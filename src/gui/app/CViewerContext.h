#pragma once
// What every page of the viewer shares: the dive model, the program-wide settings values, the
// string table and the change mark. The main window owns one and hands it to each page.
#include <QObject>
#include <QString>

#include "logfile/CDiveLog.h"
#include "settings/CSettings.h"

class CViewerContext : public QObject {
    Q_OBJECT
public:
    explicit CViewerContext(QObject* parent = nullptr) : QObject(parent) {}

    CDiveLog& Log() { return m_log; }
    const CDiveLog& Log() const { return m_log; }

    // The settings as read at start-up, and the way back to the store for the pages that change
    // them. Until the start-up hands in a store they hold the defaults.
    const CSettings& Settings() const { return m_settings; }
    void LoadSettings(ISettingsStore& store) {
        m_settings = CSettings(store);
        m_log.m_CylinderDefaults = m_settings.Cylinders();
    }
    void SetTraces(const CTraceSettings& traces) { m_settings.SetTraces(traces); }
    void SetViewer(const CViewerPreferences& viewer) { m_settings.SetViewer(viewer); }
    // Also what the next log without cylinder records starts from.
    void SetCylinderDefaults(const CCylinderDefaults& cylinders) {
        m_settings.SetCylinders(cylinders);
        m_log.m_CylinderDefaults = cylinders;
    }

    // Tools > Units: true = metric.
    bool IsMetric() const { return m_settings.Viewer().IsMetric(); }
    void SetMetric(bool metric) {
        CViewerPreferences viewer = m_settings.Viewer();
        viewer.m_nUnits = metric ? 1 : 0;
        m_settings.SetViewer(viewer);
    }

    // A numbered text in the current language.
    static QString Str(int id);
    // Where numbered texts come from; a language file installs its lookup here (an empty text
    // from it falls back to the built-in English). Null restores the built-in table.
    using StringSource = const char* (*)(int id);
    static void SetStringSource(StringSource source);

    // Tools > Enable Chart Right Click Menu: true = the chart's right click opens its menu.
    bool IsChartRightClickMenuEnabled() const { return m_settings.Viewer().ChartRightClickMenu(); }
    void SetChartRightClickMenuEnabled(bool on) {
        CViewerPreferences viewer = m_settings.Viewer();
        viewer.m_nChartRightClickMenu = on ? 1 : 0;
        m_settings.SetViewer(viewer);
    }

    // After a successful save or an unload.
    void ClearModified() {
        if (m_log.m_bModified) {
            m_log.m_bModified = false;
            emit modifiedChanged(false);
        }
    }

    // A line for the status log; the application decides where it goes.
    void Notice(const std::string& text) { emit noticed(QString::fromLatin1(text)); }

    // File > Save is about to write the records: pages store any edit still held in a control.
    void NotifyAboutToSave() { emit aboutToSave(); }

    // Pages call this after an edit that really changed a value.
    void SetModified() {
        if (!m_log.m_bModified) {
            m_log.m_bModified = true;
            emit modifiedChanged(true);
        }
        emit diveEdited();
    }

signals:
    void modifiedChanged(bool modified);
    // Any edit of the dive information or gas data (the banner follows the dive number).
    void diveEdited();
    void aboutToSave();
    void noticed(const QString& text);

private:
    CDiveLog m_log;
    CSettings m_settings;
};
