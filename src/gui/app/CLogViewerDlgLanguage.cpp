// Tools > Select Language.
#include <QStringList>

#include "app/CLogViewerDlg.h"
#include "lang/CLanguageSwitch.h"
#include "lang/CSelectLanguage.h"

void CLogViewerDlg::OnSelectLanguage() {
    // The folder is read again each time: a language file copied in meanwhile is offered.
    std::vector<uint16_t> ids;
    QStringList names;
    for (const LanguageCandidate& c : m_pLanguage->Candidates()) {
        ids.push_back(c.id);
        names << c.name;
    }
    CSelectLanguage dialog(std::move(ids), names, m_pLanguage->Current(), this);
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    const uint16_t chosen = dialog.Chosen();
    if (chosen == 0 || chosen == m_pLanguage->Current())
        return;
    if (m_pLanguage->Apply(chosen) == CLanguageSwitch::Result::Applied)
        ReloadTexts();
}
