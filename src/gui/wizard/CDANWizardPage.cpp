#include "wizard/CDANWizardPage.h"

#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

#include "app/CViewerContext.h"
#include "dan/DanStrings.h"
#include "ui/Cp1252.h"
#include "wizard/CDANWizard.h"

namespace {
bool ParseInteger(const QString& text, uint32_t* value) {
    bool ok = false;
    const uint v = text.trimmed().toUInt(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

bool ParseDecimal(const QString& text, double* value) {
    bool ok = false;
    // The point always works; the user's own decimal separator as well.
    double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        v = QLocale().toDouble(text.trimmed(), &ok);
    ok = ok && qIsFinite(v);
    if (ok && value)
        *value = v;
    return ok;
}
} // namespace

CDANWizardPage::CDANWizardPage(const char* name, int subtitleId, QWidget* parent)
    : QWizardPage(parent) {
    setObjectName(QString::fromLatin1(name));
    if (subtitleId != 0) {
        setTitle(CViewerContext::Str(danstr::kTitle));
        setSubTitle(CViewerContext::Str(subtitleId));
    }
}

void CDANWizardPage::AddNumberField(QLineEdit* edit, ENumber kind) {
    m_arNumbers.emplace_back(edit, kind);
}

bool CDANWizardPage::CheckFields() {
    return CheckNumbers() && CheckTexts();
}

void CDANWizardPage::Refuse(QWidget* field, const QString& message) {
    if (auto* dan = qobject_cast<CDANWizard*>(wizard()))
        dan->ShowMessage(message);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

bool CDANWizardPage::CheckNumbers() {
    for (const auto& [edit, kind] : m_arNumbers) {
        const bool ok = kind == ENumber::Integer ? ParseInteger(edit->text(), nullptr)
                                                 : ParseDecimal(edit->text(), nullptr);
        if (ok)
            continue;
        Refuse(edit, CViewerContext::Str(kind == ENumber::Integer ? danstr::kEnterInteger
                                                                  : danstr::kEnterNumber));
        return false;
    }
    return true;
}

bool CDANWizardPage::CheckTexts() {
    // A character the code page cannot hold would be lost on the way to DAN: say so instead.
    auto check = [this](QWidget* field, const QString& text) {
        const QString unstorable = cp1252::Unstorable(text);
        if (unstorable.isEmpty())
            return true;
        QString message = CViewerContext::Str(danstr::kCannotCarry);
        message.replace(QStringLiteral("%s"), unstorable.left(1));
        Refuse(field, message);
        return false;
    };
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (!edit->isReadOnly() && !check(edit, edit->text()))
            return false;
    for (QPlainTextEdit* edit : findChildren<QPlainTextEdit*>())
        if (!check(edit, edit->toPlainText()))
            return false;
    return true;
}

QString CDANWizardPage::Text(const std::string& text) {
    return cp1252::ToQString(text);
}

std::string CDANWizardPage::FromText(const QString& text) {
    return cp1252::FromQString(text);
}

QString CDANWizardPage::MultiLine(const std::string& text) {
    return Text(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string CDANWizardPage::FromMultiLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromText(text);
}

uint32_t CDANWizardPage::IntegerOf(const QLineEdit* edit) {
    uint32_t v = 0;
    ParseInteger(edit->text(), &v);
    return v;
}

double CDANWizardPage::DecimalOf(const QLineEdit* edit) {
    double v = 0.0;
    ParseDecimal(edit->text(), &v);
    return v;
}

uint32_t& CDANWizardPage::Choice(EDanList list, CDanDetails& details, CDanAnswers& answers) {
    switch (list) {
    case EDanList::StateOfRest:
        return answers.m_nStateOfRest;
    case EDanList::Exercise:
        return answers.m_nExercise;
    case EDanList::ThermalComfort:
        return answers.m_nThermalComfort;
    case EDanList::Workload:
        return answers.m_nWorkload;
    case EDanList::Problems:
        return answers.m_nProblems;
    case EDanList::EquipmentMalfunctions:
        return answers.m_nEquipmentMalfunctions;
    case EDanList::AnySymptoms:
        return answers.m_nAnySymptoms;
    case EDanList::ExposureToAltitude:
        return answers.m_nExposureToAltitude;
    default:
        return details.*CDanDetails::Find(DanChoiceList(list).valueName)->number;
    }
}
