#include "wizard/CDANWizardDiverID.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>

#include "app/CViewerContext.h"
#include "dan/DanStrings.h"
#include "wizard/CDanOptionGroup.h"

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
// The items DAN cannot do without carry a star.
QString Required(int id) {
    return Str(id) + QStringLiteral(" *");
}
QLineEdit* Edit(QWidget* parent, const char* name, int maxWidth = 0) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (maxWidth > 0)
        e->setMaximumWidth(maxWidth);
    return e;
}
} // namespace

CDANWizardDiverID::CDANWizardDiverID(QWidget* parent)
    : CDANWizardPage("CDANWizardDiverID", danstr::kSubtitleDiverID, parent) {
    m_pDiverID = Edit(this, "DiverID");
    m_pDivingLicence = Edit(this, "DivingLicence");
    m_pIssuingAgency = Edit(this, "IssuingAgency");
    m_pDANMemberNo = Edit(this, "DANMemberNo");
    m_pNameFirst = Edit(this, "NameFirst");
    m_pNameInitials = Edit(this, "NameInitials", 80);
    m_pNameFamily = Edit(this, "NameFamily");
    m_pDateOfBirth = new QDateEdit(this);
    m_pDateOfBirth->setObjectName(QStringLiteral("DateOfBirth"));
    m_pDateOfBirth->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_pDateOfBirth->setMinimumDate(QDate(1900, 1, 1));
    m_pDateOfBirth->setMaximumDate(QDate(2099, 12, 31));
    m_pDateOfBirth->setCalendarPopup(true);
    m_pSex = new CDanOptionGroup(EDanList::Sex, this, 3);
    m_pWeight = Edit(this, "Weight", 80);
    m_pWeightUnits = new CDanOptionGroup(EDanList::WeightUnits, this, 2);
    m_pHeight = Edit(this, "Height", 80);
    m_pHeightUnits = new CDanOptionGroup(EDanList::HeightUnits, this, 2);
    AddNumberField(m_pWeight, ENumber::Integer);
    AddNumberField(m_pHeight, ENumber::Integer);
    // The unit groups sit beside their number; their own title would only repeat it.
    m_pWeightUnits->setTitle(QString());
    m_pHeightUnits->setTitle(QString());
    m_pWeightUnits->setFlat(true);
    m_pHeightUnits->setFlat(true);
    m_pSex->setTitle(Required(danstr::kFirstListLabel + static_cast<int>(EDanList::Sex)));

    auto* grid = new QGridLayout(this);
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field) {
        auto* l = new QLabel(label, this);
        l->setBuddy(field);
        grid->addWidget(l, row, 0);
        grid->addWidget(field, row, 1, 1, 3);
        ++row;
    };
    addRow(Required(danstr::kDiverID), m_pDiverID);
    addRow(Str(danstr::kDivingLicence), m_pDivingLicence);
    addRow(Str(danstr::kIssuingAgency), m_pIssuingAgency);
    addRow(Str(danstr::kDANMemberNo), m_pDANMemberNo);

    auto* nameLabel = new QLabel(Required(danstr::kName), this);
    nameLabel->setBuddy(m_pNameFirst);
    grid->addWidget(nameLabel, row, 0, 2, 1, Qt::AlignTop);
    const int parts[] = {danstr::kNameFirst, danstr::kNameInitials, danstr::kNameFamily};
    QLineEdit* edits[] = {m_pNameFirst, m_pNameInitials, m_pNameFamily};
    for (int k = 0; k < 3; ++k) {
        grid->addWidget(new QLabel(Str(parts[k]), this), row, 1 + k);
        grid->addWidget(edits[k], row + 1, 1 + k);
    }
    row += 2;

    auto* dateLabel = new QLabel(Required(danstr::kDateOfBirth), this);
    dateLabel->setBuddy(m_pDateOfBirth);
    grid->addWidget(dateLabel, row, 0);
    grid->addWidget(m_pDateOfBirth, row, 1, Qt::AlignLeft);
    ++row;
    grid->addWidget(m_pSex, row++, 0, 1, 4);

    auto numberWithUnits = [&](int labelId, QLineEdit* edit, CDanOptionGroup* units) {
        auto* l = new QLabel(Str(labelId), this);
        l->setBuddy(edit);
        grid->addWidget(l, row, 0);
        auto* box = new QHBoxLayout;
        box->addWidget(edit);
        box->addWidget(units);
        box->addStretch(1);
        grid->addLayout(box, row, 1, 1, 3);
        ++row;
    };
    numberWithUnits(danstr::kWeight, m_pWeight, m_pWeightUnits);
    numberWithUnits(danstr::kHeight, m_pHeight, m_pHeightUnits);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setRowStretch(row, 1);
}

QDate CDANWizardDiverID::DateOfBirth(const std::string& stored, const QDate& today) {
    if (stored.size() != 8)
        return today;
    const auto part = [&](size_t pos, size_t n) {
        return std::atoi(stored.substr(pos, n).c_str());
    };
    const QDate date(part(0, 4), part(4, 2), part(6, 2));
    return date.isValid() ? date : today;
}

void CDANWizardDiverID::Load(const CDanDetails& d, const CDanAnswers&) {
    m_pDiverID->setText(Text(d.m_strDiverID));
    m_pDivingLicence->setText(Text(d.m_strDivingLicence));
    m_pIssuingAgency->setText(Text(d.m_strIssuingAgency));
    m_pDANMemberNo->setText(Text(d.m_strDANMemberNo));
    m_pNameFirst->setText(Text(d.m_strNameFirst));
    m_pNameInitials->setText(Text(d.m_strNameInitials));
    m_pNameFamily->setText(Text(d.m_strNameFamily));
    m_pDateOfBirth->setDate(DateOfBirth(d.m_strDateOfBirth, QDate::currentDate()));
    m_pSex->SetPosition(d.m_nSex);
    m_pWeight->setText(QString::number(d.m_nWeight));
    m_pWeightUnits->SetPosition(d.m_nWeightUnits);
    m_pHeight->setText(QString::number(d.m_nHeight));
    m_pHeightUnits->SetPosition(d.m_nHeightUnits);
}

void CDANWizardDiverID::Store(CDanDetails& d, CDanAnswers&) const {
    d.m_strDiverID = FromText(m_pDiverID->text());
    d.m_strDivingLicence = FromText(m_pDivingLicence->text());
    d.m_strIssuingAgency = FromText(m_pIssuingAgency->text());
    d.m_strDANMemberNo = FromText(m_pDANMemberNo->text());
    d.m_strNameFirst = FromText(m_pNameFirst->text());
    d.m_strNameInitials = FromText(m_pNameInitials->text());
    d.m_strNameFamily = FromText(m_pNameFamily->text());
    d.m_strDateOfBirth = m_pDateOfBirth->date().toString(QStringLiteral("yyyyMMdd")).toStdString();
    d.m_nSex = m_pSex->Position();
    d.m_nWeight = IntegerOf(m_pWeight);
    d.m_nWeightUnits = m_pWeightUnits->Position();
    d.m_nHeight = IntegerOf(m_pHeight);
    d.m_nHeightUnits = m_pHeightUnits->Position();
}
