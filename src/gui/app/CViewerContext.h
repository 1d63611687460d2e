#pragma once
// What every page of the viewer shares: the dive model, the program-wide settings values, the
// string table and the change mark. The main window owns one and hands it to each page.
#include <QObject>
#include <QString>

#include "logfile/CDiveLog.h"

class CViewerContext : public QObject {
    Q_OBJECT
public:
    explicit CViewerContext(QObject* parent = nullptr) : QObject(parent) {}

    CDiveLog& Log() { return m_log; }
    const CDiveLog& Log() const { return m_log; }

    // Tools > Units: true = metric.
    bool IsMetric() const { return m_bMetric; }
    void SetMetric(bool metric) { m_bMetric = metric; }

    // A numbered text in the current language.
    static QString Str(int id);
    // Where numbered texts come from; a language file installs its lookup here (an empty text
    // from it falls back to the built-in English). Null restores the built-in table.
    using StringSource = const char* (*)(int id);
    static void SetStringSource(StringSource source);

    // Tools > Enable Chart Right Click Menu: true = the chart's right click opens its menu.
    bool IsChartRightClickMenuEnabled() const { return m_bChartRightClickMenu; }
    void SetChartRightClickMenuEnabled(bool on) { m_bChartRightClickMenu = on; }

    // After a successful save or an unload.
    void ClearModified() {
        if (m_log.m_bModified) {
            m_log.m_bModified = false;
            emit modifiedChanged(false);
        }
    }

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

private:
    CDiveLog m_log;
    bool m_bMetric = true;
    bool m_bChartRightClickMenu = true;
};
