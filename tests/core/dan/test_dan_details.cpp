// The stored diver details and the details file of the command line export.
#include <gtest/gtest.h>

#include "dan/DanChoices.h"
#include "dan/DanDetailsFile.h"
#include "settings/CDanDetails.h"
#include "settings/SettingsStore.h"
#include "viewmodel/StringTable.h"

// ---- CDanDetails -----------------------------------------------------------------------------

TEST(CDanDetails, LoadsByValueNameAndStoresOnlyWhatChanged) {
    CMemorySettingsStore store;
    const std::string key = "Software\\Zelvor\\ZelvorLogViewer\\Settings\\DAN";
    EXPECT_EQ(CDanDetails::KeyPath(), key);
    EXPECT_EQ(CDanDetails::Load(store), CDanDetails{}) << "a fresh installation";
    EXPECT_EQ(CDanDetails::Values().size(), 38u);

    store.WriteString(key, "Citiznship", "NZ");
    store.WriteDword(key, "DetailsDress", 2);
    store.WriteString(key, "DateOfBirth", "19700101");
    const size_t writesBefore = store.WriteCount();
    const CDanDetails loaded = CDanDetails::Load(store);
    EXPECT_EQ(loaded.m_strCitiznship, "NZ");
    EXPECT_EQ(loaded.m_nDetailsDress, 2u);

    EXPECT_EQ(CDanDetails::StoreChanged(store, loaded, loaded), 0);
    CDanDetails edited = loaded;
    edited.m_strEMail = "a@b.example";
    edited.m_nSex = 1;
    EXPECT_EQ(CDanDetails::StoreChanged(store, loaded, edited), 2);
    EXPECT_EQ(store.WriteCount(), writesBefore + 2);
    EXPECT_EQ(store.ReadString(key, "EMail"), "a@b.example");
    EXPECT_EQ(CDanDetails::Load(store), edited);

    // Every stored choice has its list, and every option its own number in the string table
    // (a number another area took would show that area's text).
    for (const CDanDetails::Value& v : CDanDetails::Values())
        EXPECT_EQ(v.number != nullptr && v.name != "Weight" && v.name != "Height",
                  FindDanChoiceList(v.name) != nullptr)
            << v.name;
    for (int i = 0; i < static_cast<int>(EDanList::Count); ++i) {
        const CDanChoiceList& list = DanChoiceList(static_cast<EDanList>(i));
        for (size_t k = 0; k < list.options.size(); ++k)
            EXPECT_STREQ(DefaultString(list.firstOptionId + static_cast<int>(k)), list.options[k]);
    }
    EXPECT_EQ(DanChoiceList(EDanList::Problems).options.size(), 9u);
    EXPECT_STREQ(DanChoiceList(EDanList::EquipmentMalfunctions).options.back(), "Deco Reel");
}

// ---- ParseDanDetailsFile ---------------------------------------------------------------------

TEST(ParseDanDetailsFile, ReadsNamesValuesAndEscapes) {
    CDanDetails d;
    CDanAnswers a;
    std::string error;
    const char* text = "# diver\r\n"
                       "DiverID=X-1\r\n"
                       "NameFamily = O'Neil=Smith\n"
                       "\n"
                       "Sex=1\n"
                       "Weight=82\n"
                       "Citiznship=IE\n"
                       "Medication=A\\nB\\r\\nC\\\\D\n"
                       "Comments=Air\\nEAN50\n"
                       "Visibility=7.9\n"
                       "Problems=8\n"
                       "Alcohol=2\n";
    ASSERT_TRUE(ParseDanDetailsFile(text, d, a, error)) << error;
    EXPECT_EQ(d.m_strDiverID, "X-1");
    EXPECT_EQ(d.m_strNameFamily, " O'Neil=Smith") << "only the name is trimmed";
    EXPECT_EQ(d.m_nSex, 1u);
    EXPECT_EQ(d.m_nWeight, 82u);
    EXPECT_EQ(d.m_strCitiznship, "IE");
    EXPECT_EQ(a.m_strMedication, "A\r\nB\r\nC\\D");
    EXPECT_EQ(a.m_strComments, "Air\r\nEAN50");
    EXPECT_DOUBLE_EQ(a.m_dVisibility, 7.9);
    EXPECT_EQ(a.m_nProblems, 8u);
    EXPECT_EQ(a.m_nAlcohol, 2u);
    EXPECT_EQ(a.m_nStateOfRest, 0u) << "missing names keep their defaults";
}

TEST(ParseDanDetailsFile, RefusesWhatWouldGoUnnoticed) {
    const std::pair<const char*, const char*> cases[] = {
        {"DiverID=1\nCitizenship=NZ\n", "line 2: unknown name \"Citizenship\""},
        {"DiverID\n", "line 1: expected Name=Value"},
        {"Comments=a\\tb\n", "line 1: unknown escape \"\\t\""},
        {"Sex=3\n", "line 1: Sex 3 is not a choice (0 to 2)"},
        {"Problems=9\n", "line 1: Problems 9 is not a choice (0 to 8)"},
        {"Weight=-5\n", "line 1: \"-5\" is not a whole number from 0 to 4294967295"},
        {"Current=fast\n", "line 1: \"fast\" is not a number"},
    };
    for (const auto& [text, message] : cases) {
        CDanDetails d;
        CDanAnswers a;
        std::string error;
        EXPECT_FALSE(ParseDanDetailsFile(text, d, a, error)) << text;
        EXPECT_EQ(error, message);
    }
}
