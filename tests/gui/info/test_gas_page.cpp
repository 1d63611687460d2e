#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "app/CViewerContext.h"
#include "settings/SettingValue.h"
#include "settings/SettingsTable.h"
#include "ui/CNumSpinCtrl.h"
#include "views/CDiveGasManagement.h"

namespace {

using Page = CDiveGasManagement;

// A context whose settings come from, and go back to, its own store.
struct CGasFixture {
    CGasFixture() {
        ctx.LoadSettings(store);
        ctx.Log().m_bFileLoaded = true; // edits need a dive to go into
    }
    // The setting as the program reads it (a value equal to the default need not be stored).
    uint32_t Setting(const std::string& name, uint32_t fallback) {
        return SettingDword(settings::Path(name), fallback, false, &store).Read();
    }
    void Put(const std::string& name, uint32_t value) {
        SettingDword(settings::Path(name), 0, false, &store) = value;
    }
    CMemorySettingsStore store;
    CViewerContext ctx;
    CDiveLogGasManagement& gas() { return ctx.Log().m_GasManagement; }
    bool modified() const { return ctx.Log().m_bModified; }
};

} // namespace

// ---- Display -----------------------------------------------------------------------------------

TEST(GasManagementPage, MixesNitrogenAndErrors) {
    CGasFixture f;
    f.gas().m_nDiluentO2[0] = 21;
    f.gas().m_nDiluentHe[0] = 35;
    f.gas().m_nDiluentO2[1] = 70;
    f.gas().m_nDiluentHe[1] = 40;
    Page page(f.ctx);
    EXPECT_EQ(page.OxygenCell(0)->text(), "100");
    EXPECT_EQ(page.NitrogenCell(0)->text(), "0");
    EXPECT_EQ(page.NitrogenCell(1)->text(), "44");
    EXPECT_EQ(page.NitrogenCell(2)->text(), "Error");
    EXPECT_EQ(page.HeliumCell(2)->text(), "40");
    EXPECT_FALSE(f.modified());
}

TEST(GasManagementPage, UnitSystemsShowTheirOwnColumns) {
    CGasFixture f;
    Page page(f.ctx);
    EXPECT_TRUE(page.Spin(3, Page::kMaxPressure)->isHidden());
    EXPECT_FALSE(page.Spin(3, Page::kSizeLitres)->isHidden());
    EXPECT_EQ(page.Spin(3, Page::kPressureIn)->maximum(), 400.0);
    f.ctx.SetMetric(false);
    page.Refresh();
    EXPECT_FALSE(page.Spin(3, Page::kMaxPressure)->isHidden());
    EXPECT_TRUE(page.Spin(3, Page::kSizeLitres)->isHidden());
    EXPECT_FALSE(page.Spin(3, Page::kSizeCubicFeet)->isHidden());
    EXPECT_EQ(page.Spin(3, Page::kPressureIn)->maximum(), 5800.0);
    EXPECT_EQ(page.Spin(3, Page::kPressureIn)->singleStep(), 10.0);
    EXPECT_FALSE(f.modified());
}

// ---- Edits -------------------------------------------------------------------------------------

TEST(GasManagementPage, MetricGasUsedAndSizeBecomesTheDefault) {
    CGasFixture f;
    Page page(f.ctx);
    page.Spin(0, Page::kSizeLitres)->setValue(3.0);
    page.Spin(0, Page::kPressureIn)->setValue(200.0);
    page.Spin(0, Page::kPressureOut)->setValue(50.0);
    EXPECT_EQ(page.GasUsedCell(0)->text(), "450.0");
    EXPECT_DOUBLE_EQ(f.gas().m_dCylinderSizeL[0], 3.0);
    EXPECT_TRUE(f.modified());
    EXPECT_EQ(f.Setting(settings::CylinderSizeSIName(0), settings::kDefaultCylinderSizeSI), 300u);

    page.Spin(0, Page::kPressureOut)->setValue(250.0);
    EXPECT_EQ(page.GasUsedCell(0)->text(), "Error");
    EXPECT_DOUBLE_EQ(f.gas().m_dPressureOut[0], 250.0);
}

TEST(GasManagementPage, ImperialEntriesAreStoredAsBar) {
    CGasFixture f;
    f.ctx.SetMetric(false);
    f.gas().m_dCylinderSizeCuft[5] = 80.0;
    f.gas().m_dMaxPressure[5] = 3000.0;
    f.Put(settings::CylinderSizeIName(5), 8000);
    f.Put(settings::MaxPressureName(5), 300000);
    f.ctx.LoadSettings(f.store);
    Page page(f.ctx);
    page.Spin(5, Page::kSizeCubicFeet)->setValue(12.5);
    page.Spin(5, Page::kMaxPressure)->setValue(2640.0);
    page.Spin(5, Page::kPressureIn)->setValue(2900.0);
    page.Spin(5, Page::kPressureOut)->setValue(730.0);
    EXPECT_NEAR(f.gas().m_dPressureIn[5], 2900.0 / 14.50377, 1e-9);
    EXPECT_NEAR(f.gas().m_dPressureOut[5], 730.0 / 14.50377, 1e-9);
    EXPECT_EQ(page.GasUsedCell(5)->text(), "10.3");
    EXPECT_EQ(f.Setting(settings::CylinderSizeIName(5), 0), 1250u);
    EXPECT_EQ(f.Setting(settings::MaxPressureName(5), 0), 264000u);
    // The next log without cylinder records starts from the new values.
    f.ctx.Log().UnloadLogFile();
    EXPECT_DOUBLE_EQ(f.gas().m_dCylinderSizeCuft[5], 12.5);
}

TEST(GasManagementPage, EqualValueOrRefreshChangesNothing) {
    CGasFixture f;
    f.gas().m_dPressureIn[2] = 180.0;
    Page page(f.ctx);
    page.Spin(2, Page::kPressureIn)->setValue(180.0);
    page.Refresh();
    f.ctx.CommitPendingEdits();
    EXPECT_FALSE(f.modified());
    f.ctx.SetMetric(false);
    page.Refresh();
    f.ctx.CommitPendingEdits();
    EXPECT_FALSE(f.modified());
    EXPECT_DOUBLE_EQ(f.gas().m_dPressureIn[2], 180.0);
}

// Typed digits reach the record at once, without Enter or leaving the cell.
TEST(GasManagementPage, TypedValueIsStoredAtOnce) {
    CGasFixture f;
    Page page(f.ctx);
    page.show();
    CNumSpinCtrl* in = page.Spin(4, Page::kPressureIn);
    in->setFocus();
    in->selectAll();
    QTest::keyClicks(in, "123");
    EXPECT_DOUBLE_EQ(f.gas().m_dPressureIn[4], 123.0);
    EXPECT_TRUE(f.modified());
}
