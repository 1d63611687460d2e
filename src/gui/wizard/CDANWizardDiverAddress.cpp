#include "wizard/CDANWizardDiverAddress.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/CViewerContext.h"
#include "dan/DanStrings.h"

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
} // namespace

CDANWizardDiverAddress::CDANWizardDiverAddress(QWidget* parent)
    : CDANWizardPage("CDANWizardDiverAddress", danstr::kSubtitleAddress, parent) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto edit = [&](std::string CDanDetails::*member, const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        m_arFields.push_back({e, member});
        return e;
    };
    auto line = [&](int labelId, std::string CDanDetails::*member, const char* name) {
        QLineEdit* e = edit(member, name);
        auto* l = new QLabel(Str(labelId), this);
        l->setBuddy(e);
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row, 1, 1, 3);
        ++row;
    };
    using D = CDanDetails;
    line(danstr::kAddressLine1, &D::m_strAddressLine1, "AddressLine1");
    line(danstr::kAddressLine2, &D::m_strAddressLine2, "AddressLine2");
    line(danstr::kCity, &D::m_strCity, "City");
    line(danstr::kStateProvince, &D::m_strStateProvince, "StateProvince");
    line(danstr::kZipPostCode, &D::m_strZipPostCode, "ZipPostCode");

    // Country, area and number side by side under their headings.
    for (int k = 0; k < 3; ++k)
        grid->addWidget(new QLabel(Str(danstr::kPhoneCountry + k), this), row, 1 + k);
    ++row;
    auto phone = [&](const QString& label, std::string D::*country, std::string D::*area,
                     std::string D::*number, const char* prefix) {
        const QByteArray p(prefix);
        QLineEdit* edits[] = {edit(country, p + "Country"), edit(area, p + "Area"),
                              edit(number, p + "Number")};
        auto* l = new QLabel(label, this);
        l->setBuddy(edits[0]);
        grid->addWidget(l, row, 0);
        for (int k = 0; k < 3; ++k)
            grid->addWidget(edits[k], row, 1 + k);
        ++row;
    };
    phone(Str(danstr::kPhoneHome) + QStringLiteral(" *"), &D::m_strPhoneHomeCountry,
          &D::m_strPhoneHomeArea, &D::m_strPhoneHomeNumber, "PhoneHome");
    phone(Str(danstr::kPhoneBusiness), &D::m_strPhoneBusinessCountry, &D::m_strPhoneBusinessArea,
          &D::m_strPhoneBusinessNumber, "PhoneBusiness");

    line(danstr::kEMail, &D::m_strEMail, "EMail");
    line(danstr::kLanguage, &D::m_strLanguage, "Language");
    line(danstr::kCitizenship, &D::m_strCitiznship, "Citiznship");
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 3);
    grid->setRowStretch(row, 1);
}

QLineEdit* CDANWizardDiverAddress::Field(const char* valueName) const {
    for (const CField& f : m_arFields)
        if (f.edit->objectName() == QLatin1String(valueName))
            return f.edit;
    return nullptr;
}

void CDANWizardDiverAddress::Load(const CDanDetails& details, const CDanAnswers&) {
    for (const CField& f : m_arFields)
        f.edit->setText(Text(details.*f.member));
}

void CDANWizardDiverAddress::Store(CDanDetails& details, CDanAnswers&) const {
    for (const CField& f : m_arFields)
        details.*f.member = FromText(f.edit->text());
}
