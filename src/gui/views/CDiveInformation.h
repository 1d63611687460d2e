#pragma once
// The "Dive Information" page: the diver's own details of the dive on the left, edited straight
// into the model's dive information record, and the dive summary with its alarm lamps on the
// right.
#include <array>
#include <string>

#include "logfile/CDiveLogInformation.h"
#include "views/CDivePage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class CLatLongEdit;
class CInfoSummaryPanel;

class CDiveInformation : public CDivePage {
    Q_OBJECT
public:
    // The single-line texts, in the order of the record types they go to.
    enum TextField { kLocation, kDiveSite, kVisibility, kPartner, kDiveBoat, kDiveNumber, kOther };
    enum ListField { kWeather, kWindDirection, kWindSpeed, kSeaState };

    explicit CDiveInformation(CPageContext& ctx, QWidget* parent = nullptr);
    void Refresh() override;
    void SetTexts() override;

    // The controls, for the main window's tests and printing.
    QLineEdit* TextEdit(TextField field) const { return m_arTextEdits[field]; }
    QComboBox* List(ListField field) const { return m_arLists[field]; }
    QCheckBox* DiveTypeBox(int flag) const { return m_arTypeBoxes[size_t(flag)]; }
    CLatLongEdit* Latitude() const { return m_pLatitude; }
    CLatLongEdit* Longitude() const { return m_pLongitude; }
    QPlainTextEdit* Notes() const { return m_pNotes; }
    CInfoSummaryPanel* Summary() const { return m_pSummary; }

private:
    QWidget* BuildDetails();
    QWidget* BuildDiveTypes();
    void Connect();
    void FillLists();
    void SetHelpTexts();

    const CDiveLogInformation& Info() const;
    void OnTextEdited(TextField field);
    void OnNotesEdited();
    void OnListChanged(ListField field);
    void OnDiveTypeToggled(int flag);
    void OnPositionEdited(bool latitude);
    void CommitPendingEdits();
    void ShowSummary();

    std::array<QLineEdit*, 7> m_arTextEdits{};
    std::array<QLabel*, 11> m_arDetailLabels{};
    std::array<QComboBox*, 4> m_arLists{};
    std::array<QCheckBox*, CDiveLogInformation::kDiveTypeCount> m_arTypeBoxes{};
    CLatLongEdit* m_pLatitude = nullptr;
    CLatLongEdit* m_pLongitude = nullptr;
    QPlainTextEdit* m_pNotes = nullptr;
    QGroupBox* m_pDetailsGroup = nullptr;
    QGroupBox* m_pTypeGroup = nullptr;
    QGroupBox* m_pNotesGroup = nullptr;
    CInfoSummaryPanel* m_pSummary = nullptr;
    // Set while Refresh pushes the record into the controls: nothing it does is an edit.
    bool m_bRefreshing = false;
};
