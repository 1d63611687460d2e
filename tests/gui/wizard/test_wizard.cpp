// The DAN wizard driven as a diver would: through its buttons, fields and option groups.
#include <QAbstractButton>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "WizardTestEnv.h"
#include "dan/DanChoices.h"
#include "settings/SettingsStore.h"
#include "wizard/CDANWizard.h"
#include "wizard/CDANWizardDiverAddress.h"
#include "wizard/CDANWizardDiverID.h"
#include "wizard/CDANWizardIntro.h"
#include "wizard/CDANWizardOptionsPage.h"
#include "wizard/CDANWizardSafetyOutcomeA.h"
#include "wizard/CDANWizardSafetyOutcomeC.h"
#include "wizard/CDanOptionGroup.h"

namespace {

void Click(CDANWizard& wizard, QWizard::WizardButton which) {
    QAbstractButton* button = wizard.button(which);
    ASSERT_TRUE(button && button->isVisible() && button->isEnabled()) << which;
    QTest::mouseClick(button, Qt::LeftButton);
}

void NextTo(CDANWizard& wizard, int id) {
    while (wizard.currentId() < id) {
        const int before = wizard.currentId();
        Click(wizard, QWizard::NextButton);
        ASSERT_NE(wizard.currentId(), before) << "stuck on page " << before;
    }
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Key by key, also for letters no ASCII key gives.
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

template <typename T> T* PageAs(CDANWizard& wizard, int id) {
    return qobject_cast<T*>(wizard.Page(id));
}

} // namespace

// ---- Pages and texts -------------------------------------------------------------------------

TEST(CDANWizard, NinePagesWithTheirTitlesInOrder) {
    CDANWizard wizard(CDanDetails{});
    EXPECT_EQ(wizard.windowTitle(), "DAN7 Data Acquisition");
    const char* names[] = {
        "CDANWizardIntro",          "CDANWizardDiverID",        "CDANWizardDiverAddress",
        "CDANWizardDiveDetailsA",   "CDANWizardDiveDetailsB",   "CDANWizardDiveDetailsC",
        "CDANWizardSafetyOutcomeA", "CDANWizardSafetyOutcomeB", "CDANWizardSafetyOutcomeC"};
    const char* subtitles[] = {"",
                               "Diver Identification & Demographics",
                               "Diver Address",
                               "Dive Details",
                               "Dive Details Continued",
                               "Dive Details Continued",
                               "Safety & Outcome",
                               "Safety & Outcome Continued",
                               "Safety & Outcome Continued"};
    ASSERT_EQ(wizard.pageIds().size(), 9);
    for (int id = 0; id < CDANWizard::kPageCount; ++id) {
        EXPECT_EQ(wizard.page(id)->objectName(), names[id]);
        EXPECT_EQ(wizard.page(id)->subTitle(), subtitles[id]);
        EXPECT_EQ(wizard.page(id)->title(), id == 0 ? "" : "DAN7 Data Acquisition");
    }
    wizard.show();
    EXPECT_EQ(PageAs<CDANWizardIntro>(wizard, 0)->TextLabel()->text(),
              "This wizard collects all the details required by DAN.\n\n"
              "Some items are optional and you can leave these blank.  Others are required and "
              "are marked with *.\n\n"
              "Most of the data is stored in the registry so that exporting multiple dives is "
              "easier.  However the Safety & Outcome items are not as these should be carefully "
              "reported for each dive.\n\n"
              "Step backwards and forwards through the wizard until you have set all the data "
              "correctly.  Clicking 'Finish' will start the export process.");
    EXPECT_FALSE(wizard.button(QWizard::BackButton)->isVisible());
    NextTo(wizard, CDANWizard::kSafetyOutcomeC);
    EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isVisible());
    EXPECT_TRUE(wizard.button(QWizard::BackButton)->isEnabled());

    // The required items carry their mark.
    QStringList marked;
    for (int id : {CDANWizard::kDiverID, CDANWizard::kDiverAddress})
        for (QLabel* l : wizard.page(id)->findChildren<QLabel*>())
            if (l->text().endsWith(" *"))
                marked << l->text();
    marked << PageAs<CDANWizardDiverID>(wizard, 1)->m_pSex->title();
    EXPECT_EQ(marked, (QStringList{"DAN Diver ID *", "Name *", "Date of Birth\n(DD/MM/YYYY) *",
                                   "Phone No (Home) *", "Sex *"}));
}

TEST(CDANWizard, FreshInstallationShowsEmptyTextsFirstOptionsAndToday) {
    CDANWizard wizard(CDanDetails{});
    for (int id = 0; id < CDANWizard::kPageCount; ++id) {
        for (CDanOptionGroup* g : wizard.page(id)->findChildren<CDanOptionGroup*>()) {
            EXPECT_TRUE(g->Button(0)->isChecked()) << g->objectName().toStdString();
            for (int k = 1; k < g->Count(); ++k)
                EXPECT_FALSE(g->Button(k)->isChecked());
        }
    }
    auto* id = PageAs<CDANWizardDiverID>(wizard, CDANWizard::kDiverID);
    EXPECT_EQ(id->m_pSex->Button(0)->text(), "Female");
    EXPECT_EQ(id->m_pWeightUnits->Button(0)->text(), "lb");
    EXPECT_EQ(id->m_pHeightUnits->Button(0)->text(), "inches");
    EXPECT_EQ(PageAs<CDANWizardOptionsPage>(wizard, CDANWizard::kDiveDetailsA)
                  ->Group(EDanList::Purpose)
                  ->Button(0)
                  ->text(),
              "Sightseeing");
    EXPECT_EQ(id->m_pDiverID->text(), "");
    EXPECT_EQ(id->m_pDateOfBirth->date(), QDate::currentDate());
    EXPECT_EQ(PageAs<CDANWizardDiverAddress>(wizard, 2)->Field("Citiznship")->text(), "");
}

TEST(CDANWizard, StoredDateOfBirth) {
    const QDate today(2026, 12, 8);
    EXPECT_EQ(CDANWizardDiverID::DateOfBirth("19700101", today), QDate(1970, 1, 1));
    EXPECT_EQ(CDANWizardDiverID::DateOfBirth("1970011", today), today);
    EXPECT_EQ(CDANWizardDiverID::DateOfBirth("19701301", today), today);
    EXPECT_EQ(CDANWizardDiverID::DateOfBirth("1970x1y5", today), today) << "month 0";
    EXPECT_EQ(CDANWizardDiverID::DateOfBirth("19700305x", today), today);

    CDanDetails stored;
    stored.m_strDateOfBirth = "19700101";
    CDANWizard wizard(stored);
    auto* id = PageAs<CDANWizardDiverID>(wizard, CDANWizard::kDiverID);
    EXPECT_EQ(id->m_pDateOfBirth->text(), "01/01/1970");
    EXPECT_EQ(wizard.Details().m_strDateOfBirth, "19700101");
}

// ---- Number fields ---------------------------------------------------------------------------

TEST(CDANWizard, NumberFieldsRefuseTextAndKeepThePage) {
    CDANWizard wizard(CDanDetails{});
    QStringList messages;
    wizard.SetMessageHook([&](const QString& t) { messages << t; });
    wizard.show();
    NextTo(wizard, CDANWizard::kDiverID);
    auto* id = PageAs<CDANWizardDiverID>(wizard, CDANWizard::kDiverID);
    Retype(id->m_pHeight, "tall");
    Click(wizard, QWizard::NextButton);
    EXPECT_EQ(wizard.currentId(), CDANWizard::kDiverID);
    Click(wizard, QWizard::BackButton);
    EXPECT_EQ(wizard.currentId(), CDANWizard::kDiverID);
    EXPECT_EQ(messages, (QStringList{"Please enter an integer.", "Please enter an integer."}));
    EXPECT_EQ(wizard.focusWidget(), id->m_pHeight);
    Retype(id->m_pHeight, "182");
    Click(wizard, QWizard::BackButton);
    EXPECT_EQ(wizard.currentId(), CDANWizard::kIntro) << "Back goes back once the page is right";
    NextTo(wizard, CDANWizard::kSafetyOutcomeA);
    EXPECT_EQ(wizard.Details().m_nHeight, 182u);

    auto* safety = PageAs<CDANWizardSafetyOutcomeA>(wizard, CDANWizard::kSafetyOutcomeA);
    Retype(safety->m_pVisibility, "good");
    messages.clear();
    Click(wizard, QWizard::NextButton);
    EXPECT_EQ(messages, QStringList{"Please enter a number."});
    EXPECT_EQ(wizard.currentId(), CDANWizard::kSafetyOutcomeA);
    Retype(safety->m_pVisibility, "7.9");
    Retype(safety->m_pCurrent, "0.4");
    Retype(safety->m_pAlcohol, "2");
    NextTo(wizard, CDANWizard::kSafetyOutcomeC);
    const CDanAnswers answers = wizard.Answers();
    EXPECT_DOUBLE_EQ(answers.m_dVisibility, 7.9);
    EXPECT_DOUBLE_EQ(answers.m_dCurrent, 0.4);
    EXPECT_EQ(answers.m_nAlcohol, 2u);
}

TEST(CDANWizard, TextsTheExportCannotCarryAreRefused) {
    CDANWizard wizard(CDanDetails{});
    QStringList messages;
    wizard.SetMessageHook([&](const QString& t) { messages << t; });
    wizard.show();
    NextTo(wizard, CDANWizard::kDiverID);
    auto* id = PageAs<CDANWizardDiverID>(wizard, CDANWizard::kDiverID);
    Retype(id->m_pNameFamily, QString::fromUtf8("M\u00fcller \u0141\u00f3d\u017a"));
    Click(wizard, QWizard::NextButton);
    EXPECT_EQ(wizard.currentId(), CDANWizard::kDiverID);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("The export cannot carry the character "
                                                      "\"\u0141\". Please enter the text "
                                                      "without it.")});
    Retype(id->m_pNameFamily, QString::fromUtf8("M\u00fcller \u20ac"));
    NextTo(wizard, CDANWizard::kDiverAddress);
    EXPECT_EQ(wizard.Details().m_strNameFamily, "M\xFCller \x80") << "the logs' code page";
}
