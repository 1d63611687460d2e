#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "app/CViewerContext.h"
#include "ui/CBNLed.h"
#include "ui/CLatLongEdit.h"
#include "views/CDiveInformation.h"
#include "views/CInfoSummaryPanel.h"

namespace {

using Info = CDiveLogInformation;

struct CPageFixture {
    CViewerContext ctx;
    CDiveInformation page{ctx};
    Info& info() { return ctx.Log().m_DiveInformation; }
    bool modified() const { return ctx.Log().m_bModified; }

    CPageFixture() {
        ctx.Log().m_bFileLoaded = true;
        info().m_strLocation = "Scapa Flow";
        info().m_strNotes = "first\r\nsecond";
        info().m_strLatHemisphere = "S";
        info().m_nLatDegrees = 58;
        info().m_nLatMinutes = 53;
        info().m_nLatSeconds = 7;
        info().m_nSeaState = 3;
        info().m_bDiveType[Info::kOther] = true;
        info().m_strOtherDiveType = "Scooter";
        page.Refresh();
    }
};

// Types into a spin box part and confirms with Enter, as a user does.
void TypeInto(QAbstractSpinBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

// ---- Refresh -----------------------------------------------------------------------------------

TEST(DiveInformationPage, RefreshShowsTheRecordAndNeverMarks) {
    CPageFixture f;
    EXPECT_FALSE(f.modified());
    EXPECT_EQ(f.page.TextEdit(CDiveInformation::kLocation)->text(), "Scapa Flow");
    EXPECT_EQ(f.page.Notes()->toPlainText(), "first\nsecond");
    EXPECT_EQ(f.page.List(CDiveInformation::kSeaState)->currentIndex(), 3);
    EXPECT_EQ(f.page.List(CDiveInformation::kSeaState)->currentText(), "Moderate");
    EXPECT_EQ(f.page.Latitude()->Hemisphere(), "S");
    EXPECT_EQ(f.page.Latitude()->Degrees(), 58);
    EXPECT_EQ(f.page.Longitude()->Hemisphere(), "W");
    EXPECT_TRUE(f.page.DiveTypeBox(Info::kOther)->isChecked());
    EXPECT_FALSE(f.page.TextEdit(CDiveInformation::kOther)->isHidden());
    f.info().Reset();
    f.page.Refresh();
    EXPECT_FALSE(f.modified());
    EXPECT_TRUE(f.page.TextEdit(CDiveInformation::kOther)->isHidden());
    EXPECT_EQ(f.page.TextEdit(CDiveInformation::kLocation)->text(), "");
}

TEST(DiveInformationPage, ListsAndHelpTextsComeFromTheStringTable) {
    CPageFixture f;
    EXPECT_EQ(f.page.List(CDiveInformation::kWindSpeed)->count(), 11);
    EXPECT_EQ(f.page.List(CDiveInformation::kWindSpeed)->itemText(0),
              "Force 0        0 - 1   Knots");
    EXPECT_TRUE(f.page.Latitude()->SecondsBox()->toolTip().startsWith("Enter the Latitude"));
    f.page.SetTexts(); // a language change keeps the selections
    EXPECT_EQ(f.page.List(CDiveInformation::kSeaState)->currentIndex(), 3);
    EXPECT_FALSE(f.modified());
}

// ---- Edits -------------------------------------------------------------------------------------

TEST(DiveInformationPage, TextEditsMarkOnlyRealChanges) {
    CPageFixture f;
    QLineEdit* location = f.page.TextEdit(CDiveInformation::kLocation);
    location->setText("Scapa Flow");
    EXPECT_FALSE(f.modified());
    location->setText("Scapa Fl\xC3\xB6w"); // typed as UTF-8, kept as Latin-1
    EXPECT_TRUE(f.modified());
    EXPECT_EQ(f.info().m_strLocation, "Scapa Fl\xF6w");

    CPageFixture g;
    g.page.Notes()->setPlainText("first\nsecond");
    EXPECT_FALSE(g.modified());
    g.page.Notes()->setPlainText("first\nsecond\nthird");
    EXPECT_EQ(g.info().m_strNotes, "first\r\nsecond\r\nthird");
    EXPECT_TRUE(g.modified());
}

TEST(DiveInformationPage, TabStepsOutOfTheNotesWithoutEditingThem) {
    CPageFixture f;
    f.page.resize(900, 700);
    f.page.show();
    QApplication::setActiveWindow(&f.page);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.page));
    QPlainTextEdit* notes = f.page.Notes();
    QLineEdit* other = f.page.TextEdit(CDiveInformation::kOther);
    // The diver tabs from the "Other" text into the notes and on out of them.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), notes);
    QTest::keyClick(notes, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), notes);
    EXPECT_EQ(notes->toPlainText(), "first\nsecond");
    EXPECT_EQ(f.info().m_strNotes, "first\r\nsecond");
    EXPECT_FALSE(f.modified());
    // And back: Shift+Tab leaves the notes towards the dive types.
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), other);
    // Typing and Enter still write into the notes.
    notes->setFocus();
    notes->moveCursor(QTextCursor::End);
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "third");
    EXPECT_EQ(f.info().m_strNotes, "first\r\nsecond\r\nthird");
}

TEST(DiveInformationPage, DiveNumberUpdatesTheLabelAtOnce) {
    CPageFixture f;
    f.info().m_nDiveNumber = 42;
    QSignalSpy edited(&f.ctx, &CViewerContext::diveEdited);
    f.page.TextEdit(CDiveInformation::kDiveNumber)->setText("412");
    EXPECT_EQ(edited.count(), 1);
    EXPECT_EQ(f.info().m_strDiveNumberText, "412");
    EXPECT_EQ(f.info().m_strDiveLabel, "42 - 412");
}

TEST(DiveInformationPage, ListsStoreThePosition) {
    CPageFixture f;
    QComboBox* weather = f.page.List(CDiveInformation::kWeather);
    weather->setCurrentIndex(weather->findText("Mist / Fog"));
    EXPECT_EQ(f.info().m_nWeather, 2);
    EXPECT_TRUE(f.modified());
}

TEST(DiveInformationPage, OtherShowsItsTextBoxAndKeepsTheText) {
    CPageFixture f;
    QCheckBox* other = f.page.DiveTypeBox(Info::kOther);
    other->setChecked(false);
    EXPECT_TRUE(f.page.TextEdit(CDiveInformation::kOther)->isHidden());
    EXPECT_FALSE(f.info().m_bDiveType[Info::kOther]);
    EXPECT_EQ(f.info().m_strOtherDiveType, "Scooter");
    EXPECT_TRUE(f.modified());
    other->setChecked(true);
    EXPECT_FALSE(f.page.TextEdit(CDiveInformation::kOther)->isHidden());
    f.page.DiveTypeBox(Info::kWreck)->setChecked(true);
    EXPECT_TRUE(f.info().m_bDiveType[Info::kWreck]);
}

TEST(DiveInformationPage, TypedSecondsDropTheirFraction) {
    CPageFixture f;
    f.page.show();
    TypeInto(f.page.Latitude()->SecondsBox(), "12.7");
    EXPECT_EQ(f.info().m_nLatSeconds, 12u);
    EXPECT_TRUE(f.modified());
    EXPECT_EQ(f.info().m_strLatHemisphere, "S");
    EXPECT_EQ(f.info().m_nLatDegrees, 58u);

    // The same whole second again is no change.
    f.ctx.DiscardEdits();
    f.page.Latitude()->SecondsBox()->setValue(12.2);
    EXPECT_FALSE(f.modified());

    f.page.Longitude()->HemisphereBox()->setCurrentText("E");
    EXPECT_EQ(f.info().m_strLongHemisphere, "E");
    EXPECT_TRUE(f.modified());
}

TEST(DiveInformationPage, CursorKeysStepThePart) {
    CPageFixture f;
    f.page.show();
    QSpinBox* minutes = f.page.Latitude()->MinutesBox();
    minutes->setFocus();
    QTest::keyClick(minutes, Qt::Key_Up);
    EXPECT_EQ(f.info().m_nLatMinutes, 54u);
    minutes->setValue(59);
    QTest::keyClick(minutes, Qt::Key_Up); // minutes stop at 59
    EXPECT_EQ(f.info().m_nLatMinutes, 59u);
}

TEST(DiveInformationPage, PositionIsNotEditedWithoutALoadedFile) {
    CPageFixture f;
    f.ctx.Log().m_bFileLoaded = false;
    f.page.Latitude()->DegreesBox()->setValue(10);
    EXPECT_EQ(f.info().m_nLatDegrees, 58u);
    EXPECT_FALSE(f.modified());
}

// Typed digits reach the record at once, without Enter or leaving the field.
TEST(DiveInformationPage, TypedValueIsStoredAtOnce) {
    CPageFixture f;
    f.page.show();
    QDoubleSpinBox* seconds = f.page.Latitude()->SecondsBox();
    seconds->setFocus();
    seconds->selectAll();
    QTest::keyClicks(seconds, "30");
    EXPECT_EQ(f.info().m_nLatSeconds, 30u);
    EXPECT_TRUE(f.modified());
}

// ---- Summary -----------------------------------------------------------------------------------

TEST(DiveInformationSummary, FormatsUnitsAndDecompressionRows) {
    CInfoSummaryPanel panel;
    CDiveLogInformation info;
    info.m_bSummaryValid = true;
    info.m_dMaxDepth = 10.0;
    info.m_nTotalDiveTime = 0;
    info.m_nElapsedOnTime = 75;
    info.m_dAtmTemperature = 20.0;
    panel.Show(info, true, "Trimix");
    EXPECT_EQ(panel.Value(CInfoSummaryPanel::kMaxDepth)->text(), "10.0 m");
    EXPECT_EQ(panel.Value(CInfoSummaryPanel::kTotalDiveTime)->text(), "");
    EXPECT_EQ(panel.Value(CInfoSummaryPanel::kElapsedOnTime)->text(), "1:15 hh:mm");
    EXPECT_FALSE(panel.Value(CInfoSummaryPanel::kGfLow)->isHidden());
    EXPECT_TRUE(panel.Value(CInfoSummaryPanel::kConservatism)->isHidden());
    panel.Show(info, false, "Nitrox");
    EXPECT_EQ(panel.Value(CInfoSummaryPanel::kMaxDepth)->text(), "32' 9\"");
    EXPECT_EQ(panel.Value(CInfoSummaryPanel::kAtmTemperature)->text(), "68.0 Fahrenheit");
    EXPECT_TRUE(panel.Value(CInfoSummaryPanel::kGfHigh)->isHidden());
    EXPECT_FALSE(panel.Label(CInfoSummaryPanel::kConservatism)->isHidden());
    panel.Show(info, true, "Dive Timer");
    EXPECT_TRUE(panel.Value(CInfoSummaryPanel::kGfLow)->isHidden());
    EXPECT_TRUE(panel.Value(CInfoSummaryPanel::kConservatism)->isHidden());
}

TEST(DiveInformationSummary, LampsLightForEitherControllerAndRestWhenInvalid) {
    CInfoSummaryPanel panel;
    CDiveLogInformation info;
    info.m_bAlarm[Info::kC2LowOxygen] = true;
    info.m_bAlarm[Info::kDiveStart] = true;
    panel.Show(info, true, "");
    for (int l = 0; l < CInfoSummaryPanel::kLampCount; ++l)
        EXPECT_EQ(panel.LampAt(CInfoSummaryPanel::Lamp(l))->GetColour(), CBNLed::LightGrey);
    info.m_bSummaryValid = true;
    panel.Show(info, true, "");
    EXPECT_EQ(panel.LampAt(CInfoSummaryPanel::kLowOxygen)->GetColour(), CBNLed::Red);
    EXPECT_EQ(panel.LampAt(CInfoSummaryPanel::kDiveStart)->GetColour(), CBNLed::Red);
    EXPECT_EQ(panel.LampAt(CInfoSummaryPanel::kCellWarning)->GetColour(), CBNLed::White);
    EXPECT_EQ(panel.LampAt(CInfoSummaryPanel::kCo21st)->GetColour(), CBNLed::White);
}

TEST(DiveInformationPage, ShrinksBelowItsContentOnSmallScreens) {
    CViewerContext ctx;
    CDiveInformation page(ctx);
    // The page scrolls rather than forcing the main window taller than a 768-pixel screen.
    EXPECT_LT(page.minimumSizeHint().height(), 400);
}
