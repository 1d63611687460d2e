#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "GuiTestEnv.h"
#include "app/CLogViewerDlg.h"
#include "app/CQtSettingsStore.h"
#include "lang/CLanguageFile.h"
#include "lang/CLanguageSwitch.h"
#include "lang/CSelectLanguage.h"
#include "viewmodel/StringTable.h"
#include "views/CDiveProfile.h"
#include "views/ProfileChart.h"
#include "views/ProfileReadout.h"

using Result = CLanguageSwitch::Result;

namespace {

const QString kTestFiles = QStringLiteral(ZELVOR_BINARY_DIR "/tests/langfiles/");
const QString kGerman = QStringLiteral(ZELVOR_BINARY_DIR "/zelvor-lang-de.so");

// A language folder holding copies of the given files (built test files by name, or paths).
QString LanguageFolder(const QString& name, const QStringList& files) {
    const QString dir = guitest::NewFolder(name);
    for (const QString& f : files) {
        const QString from = f.contains(QLatin1Char('/')) ? f : kTestFiles + f;
        EXPECT_TRUE(QFile::copy(from, dir + QLatin1Char('/') + QFileInfo(from).fileName()))
            << f.toStdString();
    }
    return dir;
}

// "Language ID" as the settings file holds it; 1033 when it holds none.
uint32_t StoredLanguage() {
    return AppSettings().value(QStringLiteral("Settings/Language ID"), 1033u).toUInt();
}

// The printf directives of a format, whole ("%-5.2f"), in order; "%%" is text.
QStringList Directives(const char* format) {
    QStringList out;
    const QByteArray f(format);
    for (qsizetype i = 0; i < f.size(); ++i) {
        if (f[i] != '%')
            continue;
        qsizetype j = i + 1;
        while (j < f.size() && QByteArray("-+ #0123456789.hlLqjzt*").contains(f[j]))
            ++j;
        if (j < f.size() && f[j] == '%') {
            i = j;
            continue;
        }
        // A "%" at the end or before a non-conversion is text as far as printf goes.
        if (j < f.size() && QByteArray("diouxXeEfFgGaAcspn").contains(f[j]))
            out << QString::fromLatin1(f.mid(i, j - i + 1));
        i = j;
    }
    return out;
}

class LanguageSwitch : public ::testing::Test {
protected:
    void TearDown() override { CViewerContext::SetStringSource(nullptr); }
    // What the switch hands on to be stored: 0 until it stores anything.
    uint32_t m_nStored = 0;
    CLanguageSwitch::SettingWriter m_setting = [this](uint32_t id) { m_nStored = id; };
};

} // namespace

// ---- CLanguageSwitch -----------------------------------------------------------------------

TEST_F(LanguageSwitch, NoLanguageFilesListsEnglishOnlySelected) {
    CLanguageSwitch languages(m_setting, LanguageFolder("none", {}));
    const auto list = languages.Candidates();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].id, 1033);
    EXPECT_EQ(list[0].name, "English");
    EXPECT_TRUE(list[0].path.isEmpty());

    CSelectLanguage dialog({1033}, {"English"}, languages.Current());
    ASSERT_EQ(dialog.List()->count(), 1);
    EXPECT_TRUE(dialog.List()->item(0)->isSelected());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.Chosen(), 1033);
}

// Both files claiming French are offered; the first by path is the one applied. A library
// without GetString and a file that is no library at all are skipped.
TEST_F(LanguageSwitch, SameIdentifierTwiceAndFilesThatAreNoLanguage) {
    const QString dir = LanguageFolder("same", {"french-b.so", "french-a.so", "no-strings.so"});
    guitest::WriteFile(dir, "junk.so", "not a library");
    CLanguageSwitch languages(m_setting, dir);

    const auto list = languages.Candidates();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].name, QString::fromUtf8("Français A"));
    EXPECT_EQ(list[2].name, QString::fromUtf8("Français B"));
    EXPECT_EQ(list[1].id, 1036);
    EXPECT_EQ(list[2].id, 1036);
    EXPECT_EQ(languages.FindLanguageFile(1036), dir + "/french-a.so");
    EXPECT_TRUE(languages.FindLanguageFile(1040).isEmpty());

    EXPECT_EQ(languages.Apply(1036), Result::Applied);
    EXPECT_EQ(CViewerContext::Str(2209), "Profil A");
    EXPECT_EQ(CViewerContext::Str(2213), "Log Book") << "a number the file lacks stays English";
    EXPECT_EQ(m_nStored, 1036u);
}

// A language without a loadable file changes nothing: not the texts, not the setting.
TEST_F(LanguageSwitch, FailedApplyKeepsLanguageAndSetting) {
    const QString dir = LanguageFolder("failed", {"french-a.so", "no-strings.so"});
    CLanguageSwitch languages(m_setting, dir);
    ASSERT_EQ(languages.Apply(1036), Result::Applied);

    EXPECT_EQ(languages.Apply(1040), Result::Failed); // only a file without GetString
    EXPECT_EQ(languages.Apply(1031), Result::Failed); // no file at all
    EXPECT_EQ(languages.Apply(0x10407), Result::Failed);
    EXPECT_EQ(languages.Current(), 1036);
    EXPECT_EQ(languages.LoadedPath(), dir + "/french-a.so");
    EXPECT_EQ(CViewerContext::Str(2209), "Profil A");
    EXPECT_EQ(m_nStored, 1036u);

    EXPECT_EQ(languages.Apply(1036), Result::Unchanged);

    EXPECT_EQ(languages.Apply(1033), Result::Applied);
    EXPECT_TRUE(languages.LoadedPath().isEmpty());
    EXPECT_EQ(CViewerContext::Str(2209), "Dive Profile");
    EXPECT_EQ(m_nStored, 1033u);
}

// The switch goes before the library it loaded: no text may point into an unloaded file.
TEST_F(LanguageSwitch, DestroyingTheSwitchRestoresTheBuiltInTexts) {
    {
        CLanguageSwitch languages(m_setting, LanguageFolder("gone", {"french-a.so"}));
        ASSERT_EQ(languages.Apply(1036), Result::Applied);
    }
    EXPECT_EQ(CViewerContext::Str(2209), "Dive Profile");
}

TEST(SelectLanguageDialog, NoMatchStartsUnselectedAndOkWaitsForAChoice) {
    CSelectLanguage dialog({1033, 1031}, {"English", "Deutsch"}, 1036);
    EXPECT_TRUE(dialog.List()->selectedItems().isEmpty());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.show();
    QListWidget* list = dialog.List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen(), 1031);
}

// ---- The German language file ----------------------------------------------------------------

// Every number has a German text, and every format keeps the English directives exactly, so a
// translation can never feed printf the wrong arguments.
TEST(GermanLanguageFile, CompleteAndFormatsMatchTheEnglish) {
    CLanguageFile german;
    ASSERT_TRUE(german.Load(kGerman)) << kGerman.toStdString();
    EXPECT_EQ(german.Id(), 1031);
    EXPECT_EQ(german.Name(), "Deutsch");
    QStringList missing;
    for (const auto& [id, english] : DefaultStringTable()) {
        const char* text = german.StringLookup()(id);
        if (!text || !*text) {
            missing << QString::number(id);
            continue;
        }
        EXPECT_EQ(Directives(text), Directives(english)) << id << ": " << text;
        EXPECT_EQ(QString::fromUtf8(text).toUtf8(), QByteArray(text)) << id << " is not UTF-8";
    }
    EXPECT_TRUE(missing.isEmpty()) << "untranslated: " << missing.join(' ').toStdString();
    EXPECT_EQ(german.StringLookup()(999999), nullptr);
}

TEST(GermanLanguageFile, DirectiveCheckCatchesSwappedOrChangedConversions) {
    EXPECT_EQ(Directives("C%d Cell %d\t%.2f Bar"), QStringList({"%d", "%d", "%.2f"}));
    EXPECT_EQ(Directives("CNS%%\t%.1f"), QStringList({"%.1f"}));
    EXPECT_EQ(Directives("Gas Toxicity - CNS%"), QStringList());
    EXPECT_NE(Directives("%.2f Zelle %d"), Directives("%d Cell %.2f"));
    EXPECT_NE(Directives("%s ft"), Directives("%d ft"));
    EXPECT_NE(Directives("%.1f"), Directives("%.2f"));
}

// Qt's own buttons and dialogs follow the language through its shipped translations.
TEST_F(LanguageSwitch, QtDialogTextsFollowTheLanguage) {
    CLanguageSwitch languages(m_setting, LanguageFolder("qt", {kGerman}));
    ASSERT_EQ(languages.Apply(1031), Result::Applied);
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_EQ(cancel, "Abbrechen");
    ASSERT_EQ(languages.Apply(1033), Result::Applied);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

// ---- The main window switching language ----------------------------------------------------

namespace {

class WindowLanguage : public ::testing::Test {
protected:
    void SetUp() override {
        AppSettings().clear();
        qputenv("ZELVOR_LANG_DIR", LanguageFolder("window", {kGerman}).toLocal8Bit());
    }
    void TearDown() override {
        if (m_window) {
            m_window->SetSaveQuestionHook([](const QString&) { return false; });
            m_window->close();
        }
        m_window.reset();
        qunsetenv("ZELVOR_LANG_DIR");
    }
    CLogViewerDlg& Window() {
        if (!m_window) {
            m_window = std::make_unique<CLogViewerDlg>();
            m_window->SetSavePlacement(false);
            m_window->SetMessageHook([](const QString&) {});
        }
        return *m_window;
    }
    // Tools > Select Language, picking `name` with the mouse and pressing OK.
    void ChooseLanguage(const QString& name) {
        Window().SetDialogHook([&](QDialog& d) {
            auto& dialog = dynamic_cast<CSelectLanguage&>(d);
            dialog.show();
            QListWidget* list = dialog.List();
            const auto items = list->findItems(name, Qt::MatchExactly);
            EXPECT_EQ(items.size(), 1);
            if (items.size() == 1)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(items[0]).center());
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            return dialog.result();
        });
        Window().Action(CLogViewerDlg::kCmdSelectLanguage)->trigger();
    }
    QStringList Texts() {
        QStringList t;
        for (int i = 0; i < Window().Pages()->count(); ++i)
            t << Window().Pages()->tabText(i);
        t << Window().menuBar()->actions()[0]->text();
        t << Window().Action(CLogViewerDlg::kCmdSelectLanguage)->text();
        t << Window().NavigationButton(filenav::Step::Next)->toolTip();
        for (QGroupBox* box : Window().Page(1)->findChildren<QGroupBox*>())
            t << box->title();
        return t;
    }
    std::unique_ptr<CLogViewerDlg> m_window;
};

} // namespace

// German and back with a dive loaded: every page's texts and the menu change, the dive, the
// cursor and the zoom stay; English again restores every built-in text.
TEST_F(WindowLanguage, SwitchToGermanAndBackKeepsTheDive) {
    const QString dir = guitest::NewFolder("dive");
    ASSERT_TRUE(
        Window().OpenFile(guitest::WriteLog(dir, "dive.ccl"), CLogViewerDlg::Source::External));
    Window().show();
    auto* profile = qobject_cast<CDiveProfile*>(Window().Page(0));
    ASSERT_NE(profile, nullptr);
    profile->Chart().State().m_nViewStart = 100;
    profile->Chart().State().m_nViewEnd = 400;
    profile->ChartWidget()->setFocus();
    QTest::keyClick(profile->ChartWidget(), Qt::Key_Home);
    QTest::keyClick(profile->ChartWidget(), Qt::Key_Right);
    const double cursor = profile->Chart().State().m_dCursorTime;
    const QStringList english = Texts();

    ChooseLanguage("Deutsch");
    EXPECT_EQ(Window().Language().Current(), 1031);
    const QStringList german = Texts();
    EXPECT_EQ(german[0], "Tauchprofil");
    EXPECT_EQ(german[4], "Logbuch");
    EXPECT_EQ(german[5], "&Datei");
    EXPECT_EQ(german[6], QString::fromUtf8("&Sprache wählen..."));
    EXPECT_EQ(german[7], QString::fromUtf8("Nächste"));
    EXPECT_TRUE(german.contains("Notizen"));
    const QStringList readout = profile->ReadoutHeader()->Texts();
    ASSERT_EQ(readout.size(), 4);
    EXPECT_EQ(readout[3], "DIL1 LUFT") << readout[3].toStdString();
    EXPECT_TRUE(Window().Context().Log().m_bFileLoaded);
    EXPECT_FALSE(Window().Context().Log().m_bModified) << "new texts are no edit of the dive";
    EXPECT_EQ(profile->Chart().State().m_nViewStart, 100);
    EXPECT_EQ(profile->Chart().State().m_nViewEnd, 400);
    EXPECT_EQ(profile->Chart().State().m_dCursorTime, cursor);
    EXPECT_EQ(StoredLanguage(), 1031u);
    // The rebuilt menu still works.
    Window().Action(CLogViewerDlg::kCmdImperial)->trigger();
    EXPECT_FALSE(Window().Context().IsMetric());

    ChooseLanguage("English");
    Window().Action(CLogViewerDlg::kCmdMetric)->trigger();
    EXPECT_EQ(Texts(), english);
    EXPECT_TRUE(Window().Language().LoadedPath().isEmpty());
    EXPECT_EQ(StoredLanguage(), 1033u);
}

// Choosing the language in use reloads nothing: the menu's actions are the same objects.
TEST_F(WindowLanguage, ChoosingTheCurrentLanguageReloadsNothing) {
    QAction* before = Window().Action(CLogViewerDlg::kCmdOpen);
    ChooseLanguage("English");
    EXPECT_EQ(Window().Action(CLogViewerDlg::kCmdOpen), before);
    Window().SetDialogHook([](QDialog&) { return int(QDialog::Rejected); });
    Window().Action(CLogViewerDlg::kCmdSelectLanguage)->trigger();
    EXPECT_EQ(Window().Action(CLogViewerDlg::kCmdOpen), before);
}

// Start-up applies the stored language; one whose file has gone leaves English and the setting.
TEST_F(WindowLanguage, StartUpAppliesTheStoredLanguage) {
    AppSettings().setValue(QStringLiteral("Settings/Language ID"), 1031u);
    EXPECT_EQ(Window().Pages()->tabText(0), "Tauchprofil");
    EXPECT_EQ(Window().menuBar()->actions()[0]->text(), "&Datei");
    m_window.reset();

    qputenv("ZELVOR_LANG_DIR", LanguageFolder("empty", {}).toLocal8Bit());
    EXPECT_EQ(Window().Pages()->tabText(0), "Dive Profile");
    EXPECT_EQ(Window().Language().Current(), 1033);
    EXPECT_EQ(StoredLanguage(), 1031u);
}
