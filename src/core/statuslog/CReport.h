#pragma once
// What a core operation has to say, handed to it instead of reached through a global: the
// loader, the summary and the binary reader add typed events here, and the application decides
// which of them go to the status log and which the user sees. Events the message level does not
// ask for are never even formatted, so a level-4 trace costs nothing when it is off.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class ReportKind {
    kError,    // why an operation failed; always kept
    kNotice,   // main events (file loaded, records skipped); always kept
    kProgress, // kept when the message level is 3 or more
    kTrace,    // the per-line trace, kept at message level 4
};

struct CReportEvent {
    ReportKind kind = ReportKind::kNotice;
    int line = 0; // the record line it concerns, 0 for none
    std::string text;

    bool operator==(const CReportEvent&) const = default;
};

class CReport {
public:
    using Observer = std::function<void(const CReportEvent&)>;

    // `messageLevel` is the "Message Level" setting (above 4 counts as 0); the observer, when
    // given, sees every kept event as it happens.
    explicit CReport(int messageLevel = 0, Observer observer = {});

    bool Wants(ReportKind kind) const;
    void Add(ReportKind kind, int line, std::string text);
    void Add(ReportKind kind, std::string text) { Add(kind, 0, std::move(text)); }
    // printf-style; user texts belong in the arguments, never in the format.
    void Printf(ReportKind kind, int line, const char* format, ...)
        __attribute__((format(printf, 4, 5)));

    int MessageLevel() const { return m_nMessageLevel; }
    const std::vector<CReportEvent>& Events() const { return m_events; }
    std::vector<CReportEvent> TakeEvents() { return std::move(m_events); }
    // The texts of the kept events, in order (what the status log would have received).
    std::vector<std::string> Texts() const;
    bool Has(std::string_view text) const;

private:
    int m_nMessageLevel = 0;
    Observer m_observer;
    std::vector<CReportEvent> m_events;
};
