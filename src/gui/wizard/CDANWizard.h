#pragma once
// The DAN wizard: nine pages that collect the diver's details (kept in the settings for the next
// export) and the safety and outcome of this dive (asked afresh every time).
#include <QWizard>
#include <functional>

#include "dan/CDanAnswers.h"
#include "settings/CDanDetails.h"

class CDANWizardPage;

class CDANWizard : public QWizard {
    Q_OBJECT
public:
    enum PageId {
        kIntro,
        kDiverID,
        kDiverAddress,
        kDiveDetailsA,
        kDiveDetailsB,
        kDiveDetailsC,
        kSafetyOutcomeA,
        kSafetyOutcomeB,
        kSafetyOutcomeC,
        kPageCount
    };

    // The pages start from `details`; the answers start from their defaults on every run.
    explicit CDANWizard(const CDanDetails& details, QWidget* parent = nullptr);

    CDANWizardPage* Page(int id) const;
    // What the pages hold now.
    CDanDetails Details() const;
    CDanAnswers Answers() const;

    // The message of a field that does not hold a number; tests take it instead of a box.
    void ShowMessage(const QString& text);
    void SetMessageHook(std::function<void(const QString&)> hook) { m_hook = std::move(hook); }

    // Our own pictures: the header of the inner pages and the watermark of the intro.
    static QPixmap HeaderPicture();
    static QPixmap WatermarkPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Back checks the page's numbers first, as Next does.
    void GoBack();

    CDanDetails m_details;
    bool m_bSized = false;
    std::function<void(const QString&)> m_hook;
};
