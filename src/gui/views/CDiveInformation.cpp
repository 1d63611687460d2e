#include "views/CDiveInformation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "logfile/InformationRecords.h"
#include "ui/CLatLongEdit.h"
#include "ui/Cp1252.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/NotesText.h"
#include "views/CInfoSummaryPanel.h"
#include "views/CPageContext.h"

namespace {

using Info = CDiveLogInformation;

// Control numbers double as the string-table ids of the controls' help texts.
constexpr int kTextControlIds[] = {1237, 1146, 1510, 1275, 1144, 1530, 1172};
constexpr int kListControlIds[] = {1512, 1516, 1517, 1482};
constexpr int kLatitudeId = 1234;
constexpr int kLongitudeId = 1238;
constexpr int kNotesId = 1271;
constexpr int kTypeControlIds[Info::kDiveTypeCount] = {1481, 1479, 1233, 1007, 1474, 1511, 1518,
                                                       1148, 1484, 1173, 1230, 1270, 1483, 1473,
                                                       1477, 1283, 1485, 1229, 1273};
constexpr int kTypeTextIds[Info::kDiveTypeCount] = {2112, 2078, 2079, 2080, 2081, 2082, 2083,
                                                    2084, 2085, 2086, 2113, 2087, 2088, 2089,
                                                    2090, 2091, 2092, 2093, 2094};
// Location, Dive Site, Visibility, Partner, Dive Boat, Dive Number, Lat / Long, Weather, Wind
// Direction, Wind Speed, Sea State.
constexpr int kDetailLabelIds[] = {2068, 2069, 2070, 2071, 2072, 2098,
                                   2073, 2074, 2075, 2076, 2077};
constexpr int kLatLongLabel = 6;
constexpr int kFirstListLabel = 7;

struct CListEntries {
    int first;
    int last;
};
// The weather list skips 2117.
constexpr int kWeatherIds[] = {2115, 2116, 2118, 2119, 2120};
constexpr CListEntries kListRanges[] = {{0, 0}, {2121, 2128}, {2129, 2139}, {2140, 2146}};

QString ToQ(const std::string& s) {
    return cp1252::ToQString(s);
}

std::string FromQ(const QString& s) {
    return cp1252::FromQString(s);
}

QString NotesToQ(const std::string& s) {
    return ToQ(NotesForEditing(s));
}

std::string NotesFromQ(const QString& s) {
    return NotesForRecord(FromQ(s));
}

// The record layout says which member each control edits.
std::string Info::*TextMember(int field) {
    return InformationRecordOfControl(kTextControlIds[field])->text;
}

int Info::*ListMember(int field) {
    return InformationRecordOfControl(kListControlIds[field])->index;
}

QStringList ListTexts(int list) {
    QStringList texts;
    if (list == CDiveInformation::kWeather) {
        for (int id : kWeatherIds)
            texts << CPageContext::Str(id);
        return texts;
    }
    for (int id = kListRanges[list].first; id <= kListRanges[list].last; ++id)
        texts << CPageContext::Str(id);
    return texts;
}

} // namespace

CDiveInformation::CDiveInformation(CPageContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {
    // The page needs more height than a small laptop screen leaves the window; it scrolls
    // there instead of holding the whole window taller than the screen.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    auto* columns = new QHBoxLayout(content);
    auto* left = new QVBoxLayout;
    left->addWidget(BuildDetails());
    left->addWidget(BuildDiveTypes());
    m_pNotesGroup = new QGroupBox(this);
    m_pNotes = new QPlainTextEdit(m_pNotesGroup);
    m_pNotes->setObjectName(QStringLiteral("edit%1").arg(kNotesId));
    // Tab moves on, as from every other field of the page: a diver stepping through the page
    // with the keyboard would otherwise be caught in the notes, each Tab a stray character
    // written into the dive.
    m_pNotes->setTabChangesFocus(true);
    (new QVBoxLayout(m_pNotesGroup))->addWidget(m_pNotes);
    left->addWidget(m_pNotesGroup, 1);
    columns->addLayout(left, 3);
    m_pSummary = new CInfoSummaryPanel(this);
    columns->addWidget(m_pSummary, 2);
    scroll->setWidget(content);
    // Let the tab's own background show through, as on the pages that do not scroll.
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    outer->addWidget(scroll);

    Connect();
    connect(&m_ctx, &CPageContext::commitPendingEdits, this, &CDiveInformation::CommitPendingEdits);
    SetTexts();
    Refresh();
}

QWidget* CDiveInformation::BuildDetails() {
    m_pDetailsGroup = new QGroupBox(this);
    auto* grid = new QGridLayout(m_pDetailsGroup);
    for (size_t i = 0; i < m_arDetailLabels.size(); ++i) {
        m_arDetailLabels[i] = new QLabel(m_pDetailsGroup);
        grid->addWidget(m_arDetailLabels[i], int(i), 0);
    }
    for (int f = kLocation; f <= kDiveNumber; ++f) {
        m_arTextEdits[f] = new QLineEdit(m_pDetailsGroup);
        m_arTextEdits[f]->setObjectName(QStringLiteral("edit%1").arg(kTextControlIds[f]));
        grid->addWidget(m_arTextEdits[f], f, 1, 1, 2);
    }
    m_pLatitude = new CLatLongEdit(CLatLongEdit::Axis::Latitude, m_pDetailsGroup);
    m_pLongitude = new CLatLongEdit(CLatLongEdit::Axis::Longitude, m_pDetailsGroup);
    m_pLatitude->setObjectName(QStringLiteral("latlong%1").arg(kLatitudeId));
    m_pLongitude->setObjectName(QStringLiteral("latlong%1").arg(kLongitudeId));
    grid->addWidget(m_pLatitude, kLatLongLabel, 1);
    grid->addWidget(m_pLongitude, kLatLongLabel, 2);
    for (int l = kWeather; l <= kSeaState; ++l) {
        m_arLists[l] = new QComboBox(m_pDetailsGroup);
        m_arLists[l]->setObjectName(QStringLiteral("list%1").arg(kListControlIds[l]));
        grid->addWidget(m_arLists[l], kFirstListLabel + l, 1, 1, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return m_pDetailsGroup;
}

QWidget* CDiveInformation::BuildDiveTypes() {
    m_pTypeGroup = new QGroupBox(this);
    auto* grid = new QGridLayout(m_pTypeGroup);
    constexpr int kColumns = 4;
    for (int f = 0; f < Info::kDiveTypeCount; ++f) {
        m_arTypeBoxes[size_t(f)] = new QCheckBox(m_pTypeGroup);
        m_arTypeBoxes[size_t(f)]->setObjectName(QStringLiteral("check%1").arg(kTypeControlIds[f]));
        grid->addWidget(m_arTypeBoxes[size_t(f)], f / kColumns, f % kColumns);
    }
    // The "Other" text box sits beside its check box and is shown only while it is ticked.
    m_arTextEdits[kOther] = new QLineEdit(m_pTypeGroup);
    m_arTextEdits[kOther]->setObjectName(QStringLiteral("edit%1").arg(kTextControlIds[kOther]));
    const int otherRow = Info::kOther / kColumns;
    const int otherCol = Info::kOther % kColumns;
    grid->addWidget(m_arTextEdits[kOther], otherRow, otherCol + 1, 1, kColumns - otherCol - 1);
    m_arTextEdits[kOther]->setVisible(false);
    return m_pTypeGroup;
}

void CDiveInformation::Connect() {
    for (int f = kLocation; f <= kOther; ++f) {
        const auto field = static_cast<TextField>(f);
        connect(m_arTextEdits[f], &QLineEdit::textChanged, this,
                [this, field] { OnTextEdited(field); });
    }
    connect(m_pNotes, &QPlainTextEdit::textChanged, this, &CDiveInformation::OnNotesEdited);
    for (int l = kWeather; l <= kSeaState; ++l) {
        const auto field = static_cast<ListField>(l);
        connect(m_arLists[l], &QComboBox::currentIndexChanged, this,
                [this, field] { OnListChanged(field); });
    }
    for (int f = 0; f < Info::kDiveTypeCount; ++f)
        connect(m_arTypeBoxes[size_t(f)], &QCheckBox::toggled, this,
                [this, f] { OnDiveTypeToggled(f); });
    connect(m_pLatitude, &CLatLongEdit::changed, this, [this] { OnPositionEdited(true); });
    connect(m_pLongitude, &CLatLongEdit::changed, this, [this] { OnPositionEdited(false); });
}

void CDiveInformation::SetTexts() {
    m_pDetailsGroup->setTitle(CPageContext::Str(2064));
    // The table's text is "DiveType"; the group shows it with a space.
    QString typeTitle = CPageContext::Str(2065);
    if (typeTitle == QLatin1String("DiveType"))
        typeTitle = QStringLiteral("Dive Type");
    m_pTypeGroup->setTitle(typeTitle);
    m_pNotesGroup->setTitle(CPageContext::Str(2066));
    for (size_t i = 0; i < m_arDetailLabels.size(); ++i)
        m_arDetailLabels[i]->setText(CPageContext::Str(kDetailLabelIds[i]));
    for (int f = 0; f < Info::kDiveTypeCount; ++f)
        m_arTypeBoxes[size_t(f)]->setText(CPageContext::Str(kTypeTextIds[f]));
    FillLists();
    SetHelpTexts();
    m_pSummary->SetTexts();
}

void CDiveInformation::FillLists() {
    for (int l = kWeather; l <= kSeaState; ++l) {
        QComboBox* list = m_arLists[l];
        const QSignalBlocker block(list);
        const int current = list->currentIndex();
        list->clear();
        list->addItems(ListTexts(l));
        list->setCurrentIndex(current);
    }
}

void CDiveInformation::SetHelpTexts() {
    for (int f = kLocation; f <= kOther; ++f)
        m_arTextEdits[f]->setToolTip(CPageContext::Str(kTextControlIds[f]));
    for (int l = kWeather; l <= kSeaState; ++l)
        m_arLists[l]->setToolTip(CPageContext::Str(kListControlIds[l]));
    m_pLatitude->SetHelpText(CPageContext::Str(kLatitudeId));
    m_pLongitude->SetHelpText(CPageContext::Str(kLongitudeId));
    m_pNotes->setToolTip(CPageContext::Str(kNotesId));
}

const CDiveLogInformation& CDiveInformation::Info() const {
    return m_ctx.Log().m_DiveInformation;
}

void CDiveInformation::OnTextEdited(TextField field) {
    if (m_bRefreshing)
        return;
    const std::string text = FromQ(m_arTextEdits[field]->text());
    m_ctx.Edit([&](CDiveLog& log) {
        std::string& stored = log.m_DiveInformation.*TextMember(field);
        if (stored == text)
            return false;
        stored = text;
        if (field == kDiveNumber)
            log.m_DiveInformation.UpdateDiveLabel(); // the banner shows it at once
        return true;
    });
}

void CDiveInformation::OnNotesEdited() {
    if (m_bRefreshing)
        return;
    const std::string text = NotesFromQ(m_pNotes->toPlainText());
    m_ctx.Edit([&](CDiveLog& log) {
        if (log.m_DiveInformation.m_strNotes == text)
            return false;
        log.m_DiveInformation.m_strNotes = text;
        return true;
    });
}

void CDiveInformation::OnListChanged(ListField field) {
    if (m_bRefreshing)
        return;
    const int position = m_arLists[field]->currentIndex();
    m_ctx.Edit([&](CDiveLog& log) {
        int& stored = log.m_DiveInformation.*ListMember(field);
        if (position < 0 || stored == position)
            return false;
        stored = position;
        return true;
    });
}

void CDiveInformation::OnDiveTypeToggled(int flag) {
    const bool ticked = m_arTypeBoxes[size_t(flag)]->isChecked();
    if (flag == Info::kOther)
        m_arTextEdits[kOther]->setVisible(ticked); // its text stays in the record
    if (m_bRefreshing)
        return;
    m_ctx.Edit([&](CDiveLog& log) {
        bool& stored = log.m_DiveInformation.m_bDiveType[size_t(flag)];
        if (stored == ticked)
            return false;
        stored = ticked;
        return true;
    });
}

void CDiveInformation::OnPositionEdited(bool latitude) {
    if (m_bRefreshing)
        return;
    const CLatLongEdit* edit = latitude ? m_pLatitude : m_pLongitude;
    const std::string newHemisphere = FromQ(edit->Hemisphere());
    const auto newDegrees = static_cast<unsigned>(edit->Degrees());
    const auto newMinutes = static_cast<unsigned>(edit->Minutes());
    // The record keeps whole seconds; a typed fraction is dropped.
    const auto newSeconds = static_cast<unsigned>(edit->Seconds());
    m_ctx.Edit([&](CDiveLog& log) {
        CDiveLogInformation& info = log.m_DiveInformation;
        std::string& hemisphere = latitude ? info.m_strLatHemisphere : info.m_strLongHemisphere;
        unsigned& degrees = latitude ? info.m_nLatDegrees : info.m_nLongDegrees;
        unsigned& minutes = latitude ? info.m_nLatMinutes : info.m_nLongMinutes;
        unsigned& seconds = latitude ? info.m_nLatSeconds : info.m_nLongSeconds;
        if (newHemisphere == hemisphere && newDegrees == degrees && newMinutes == minutes &&
            newSeconds == seconds)
            return false;
        hemisphere = newHemisphere;
        degrees = newDegrees;
        minutes = newMinutes;
        seconds = newSeconds;
        return true;
    });
}

void CDiveInformation::CommitPendingEdits() {
    // A number typed into a part of the position is normally taken at once; one typed while
    // the part was being stepped may still wait for the field to be left.
    for (CLatLongEdit* edit : {m_pLatitude, m_pLongitude}) {
        edit->DegreesBox()->interpretText();
        edit->MinutesBox()->interpretText();
        edit->SecondsBox()->interpretText();
    }
    // The diver is told once, before the save, which typed characters the log cannot keep.
    QString unstorable;
    for (const QLineEdit* edit : m_arTextEdits)
        unstorable += cp1252::Unstorable(edit->text());
    unstorable += cp1252::Unstorable(m_pNotes->toPlainText());
    if (!unstorable.isEmpty())
        m_ctx.ReportUnstorable(unstorable);
}

void CDiveInformation::Refresh() {
    m_bRefreshing = true;
    const CDiveLogInformation& info = Info();
    // A control whose text the record already holds keeps it as typed, with any character the
    // log cannot store: the diver is told about those when saving, not by their vanishing.
    for (int f = kLocation; f <= kOther; ++f) {
        if (FromQ(m_arTextEdits[f]->text()) != info.*TextMember(f))
            m_arTextEdits[f]->setText(ToQ(info.*TextMember(f)));
    }
    if (NotesFromQ(m_pNotes->toPlainText()) != info.m_strNotes)
        m_pNotes->setPlainText(NotesToQ(info.m_strNotes));
    for (int l = kWeather; l <= kSeaState; ++l)
        m_arLists[l]->setCurrentIndex(info.*ListMember(l));
    for (int f = 0; f < Info::kDiveTypeCount; ++f)
        m_arTypeBoxes[size_t(f)]->setChecked(info.m_bDiveType[size_t(f)]);
    m_arTextEdits[kOther]->setVisible(info.m_bDiveType[Info::kOther]);
    m_pLatitude->SetValues(ToQ(info.m_strLatHemisphere), int(info.m_nLatDegrees),
                           int(info.m_nLatMinutes), info.m_nLatSeconds);
    m_pLongitude->SetValues(ToQ(info.m_strLongHemisphere), int(info.m_nLongDegrees),
                            int(info.m_nLongMinutes), info.m_nLongSeconds);
    // Without a file there is no record to write into.
    for (QWidget* group : {m_pDetailsGroup, m_pTypeGroup, m_pNotesGroup})
        group->setEnabled(m_ctx.IsLoaded());
    ShowSummary();
    m_bRefreshing = false;
}

void CDiveInformation::ShowSummary() {
    m_pSummary->Show(Info(), m_ctx.IsMetric(), DisplayDecoOptionText(m_ctx.Log().m_SysInfo));
}
