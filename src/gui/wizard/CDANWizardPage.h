#pragma once
// What every page of the DAN wizard shares: the header title and subtitle, filling its controls
// from the details and answers and taking them back, and number fields that refuse anything
// that is not a number before the wizard moves on.
#include <QWizardPage>
#include <vector>

#include "dan/CDanAnswers.h"
#include "dan/DanChoices.h"
#include "settings/CDanDetails.h"

class QLineEdit;

class CDANWizardPage : public QWizardPage {
    Q_OBJECT
public:
    // `subtitleId` 0: a page without header (the intro).
    CDANWizardPage(const char* name, int subtitleId, QWidget* parent = nullptr);

    virtual void Load(const CDanDetails& details, const CDanAnswers& answers) = 0;
    virtual void Store(CDanDetails& details, CDanAnswers& answers) const = 0;

    // True when every number field holds a number and every text can be exported (the export
    // carries 8-bit Latin-1 text); otherwise shows the message of the first field that fails,
    // puts the focus on it and returns false. Called on Back, Next and Finish.
    bool CheckFields();
    bool validatePage() override { return CheckFields(); }

protected:
    enum class ENumber { Integer, Decimal };
    void AddNumberField(QLineEdit* edit, ENumber kind);

    // Texts cross in the code page of the logs, so the export carries the bytes the diver means.
    static QString Text(const std::string& text);
    static std::string FromText(const QString& text);
    // Multi-line texts are kept with CR LF line ends; the edit shows plain LF.
    static QString MultiLine(const std::string& text);
    static std::string FromMultiLine(QString text);
    static uint32_t IntegerOf(const QLineEdit* edit);
    // Where the choice of an option list is kept: a stored detail or an answer.
    static uint32_t& Choice(EDanList list, CDanDetails& details, CDanAnswers& answers);
    static double DecimalOf(const QLineEdit* edit);

private:
    bool CheckNumbers();
    bool CheckTexts();
    void Refuse(QWidget* field, const QString& message);

    std::vector<std::pair<QLineEdit*, ENumber>> m_arNumbers;
};
