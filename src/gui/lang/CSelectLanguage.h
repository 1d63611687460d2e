#pragma once
// Tools > Select Language: the languages found, the one in use selected; OK returns the chosen
// one. OK stays greyed while nothing is selected, so it always has a language to return.
#include <QDialog>
#include <cstdint>
#include <vector>

class QListWidget;
class QPushButton;

class CSelectLanguage : public QDialog {
    Q_OBJECT
public:
    CSelectLanguage(std::vector<uint16_t> ids, const QStringList& names, uint16_t current,
                    QWidget* parent = nullptr);

    // The identifier of the selected entry (valid after OK).
    uint16_t Chosen() const;

    QListWidget* List() const { return m_pList; }
    QPushButton* OkButton() const { return m_pOk; }

private:
    void UpdateOk();

    std::vector<uint16_t> m_arIds;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pOk = nullptr;
};
