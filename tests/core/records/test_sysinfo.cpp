#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logfile/CDeviceList.h"
#include "logfile/CDiveLogSysInfo.h"
#include "logfile/FieldParsers.h"

namespace {

std::string Header(int bus, int space, uint32_t address) {
    CRecordLineWriter w(0xB0);
    w.Byte(bus).Byte(space).Byte(address >> 24).Byte((address >> 16) & 0xFF);
    w.Byte((address >> 8) & 0xFF).Byte(address & 0xFF);
    return w.Finish();
}

std::string Data(const std::vector<uint8_t>& bytes) {
    CRecordLineWriter w(0xB1);
    for (uint8_t b : bytes)
        w.Byte(b);
    return w.Finish();
}

void Put(std::vector<uint8_t>& bytes, size_t at, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        bytes[at + i] = static_cast<uint8_t>(text[i]);
}

// A plausible newer-layout identity area of the plain display.
std::vector<uint8_t> Identity(size_t size = 256) {
    std::vector<uint8_t> id(size, 0);
    Put(id, 0, "  Zelvor CCR\x01   ");
    Put(id, 18, "ZX-001234");
    Put(id, 36, "15062005");
    Put(id, 56, "DLR00042");
    id[50] = 7;
    id[51] = 1;
    id[52] = 3;
    id[53] = 2;
    id[54] = 1;
    id[45] = 0x05;
    return id;
}

constexpr size_t kDecoOptionByteForTest = 34;

const std::vector<uint8_t> kDisplayCode = {0x0C, 0x03, 0x09, 0xDC, 0x00, 0x05, 0x01, 0x42};

} // namespace

// ---- CDeviceList ------------------------------------------------------------------------------

TEST(Device, AddLimits) {
    CDevice device("X", 0x10, true);
    EXPECT_FALSE(device.AddRange(7, 0, 1));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(device.AddRange(2, 0, 1));
    EXPECT_FALSE(device.AddRange(2, 0, 1));
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(device.AddRegion(i, 1, 0, 1));
    EXPECT_FALSE(device.AddRegion(20, 1, 0, 1));
}

// ---- CDiveLogSysInfo::Decode / CodeVersion ---------------------------------------------------

TEST(SysInfoCodeVersion, TextAndValidity) {
    CDiveLogSysInfo info;
    EXPECT_EQ(info.CodeVersionText(kBusDisplay), "");
    info.Decode(Header(kBusDisplay, 1, 0x200000), Data(kDisplayCode));
    EXPECT_EQ(info.CodeVersionText(kBusDisplay), "DC.00.05.01.42");
    EXPECT_TRUE(info.CodeVersionValid(kBusDisplay));
    EXPECT_FALSE(info.CodeVersionValid(kBusC1));
    EXPECT_EQ(info.CodeVersionText(0x90), "");
    EXPECT_EQ(info.DisplayBusAddress(), kBusDisplay);
    // A code identification one byte short is ignored.
    info.Decode(Header(kBusC1, 1, 0x200000), Data({1, 2, 3, 0xCC, 0, 1, 2}));
    EXPECT_EQ(info.CodeVersionText(kBusC1), "");

    info.Decode(Header(kBusC1, 1, 0x200000), Data({1, 2, 3, 0xCC, 0, 0x08, 0x99, 0x99}));
    EXPECT_TRUE(info.CodeVersionValid(kBusC1));
    info.Decode(Header(kBusC2, 1, 0x200000), Data({1, 2, 3, 0xCC, 1, 0x08, 0x99, 0x99}));
    EXPECT_FALSE(info.CodeVersionValid(kBusC2)); // byte 4 must be 0 on a controller
    EXPECT_EQ(info.CodeVersionText(kBusC2), "CC.01.08.99.99");
}

TEST(SysInfoDecode, DisplayIdentityNeedsExactLength) {
    CDiveLogSysInfo info;
    std::vector<uint8_t> shortArea = Identity(255);
    info.Decode(Header(kBusDisplay, 1, 0x4000), Data(shortArea));
    EXPECT_EQ(info.RegionBytes(kBusDisplay, 0), nullptr);
    std::vector<uint8_t> longArea = Identity(257);
    info.Decode(Header(kBusDisplay, 1, 0x4000), Data(longArea));
    EXPECT_EQ(info.RegionBytes(kBusDisplay, 0), nullptr);
    info.Decode(Header(kBusDisplay, 1, 0x4000), Data(Identity()));
    ASSERT_NE(info.RegionBytes(kBusDisplay, 0), nullptr);
    EXPECT_EQ(info.RegionBytes(kBusDisplay, 0)->size(), 256u);
}

TEST(SysInfoDecode, ColourRegionsSharingAnAddress) {
    CDiveLogSysInfo info;
    std::vector<uint8_t> big(0x300, 0xAB);
    info.Decode(Header(kBusColourDisplay, 2, 0x100), Data(big));
    ASSERT_NE(info.RegionBytes(kBusColourDisplay, 10), nullptr);
    ASSERT_NE(info.RegionBytes(kBusColourDisplay, 12), nullptr);
    EXPECT_EQ(info.RegionBytes(kBusColourDisplay, 12)->size(), 0x20u);
    // Address 0 in space 2 is the settings memory, in space 6 the large store.
    info.Decode(Header(kBusColourDisplay, 6, 0), Data(std::vector<uint8_t>(0x100, 1)));
    EXPECT_EQ(info.RegionBytes(kBusColourDisplay, 8), nullptr);
    info.Decode(Header(kBusColourDisplay, 2, 0), Data(std::vector<uint8_t>(0x100, 1)));
    EXPECT_NE(info.RegionBytes(kBusColourDisplay, 8), nullptr);
    EXPECT_EQ(info.RegionBytes(kBusColourDisplay, 11), nullptr);
    info.Decode(Header(kBusColourDisplay, 6, 0), Data(std::vector<uint8_t>(0x10000, 2)));
    ASSERT_NE(info.RegionBytes(kBusColourDisplay, 11), nullptr);
    EXPECT_EQ(info.RegionBytes(kBusColourDisplay, 11)->size(), 0x10000u);
    // Copies belong to the model that sent them.
    EXPECT_EQ(info.RegionBytes(kBusDisplay, 11), nullptr);
}

TEST(SysInfoDecode, UnknownDeviceOrAddressIgnored) {
    CDiveLogSysInfo info;
    info.Decode(Header(0x12, 1, 0x200000), Data(kDisplayCode));
    info.Decode(Header(kBusDisplay, 1, 0x200001), Data(kDisplayCode));
    info.Decode("B0B001", Data(kDisplayCode));
    EXPECT_EQ(info.CodeVersionText(kBusDisplay), "");
}

// ---- CDiveLogSysInfo::Complete ------------------------------------------------------------------

namespace {

CDiveLogSysInfo CompletedWith(const std::vector<uint8_t>& identity, int bus = kBusDisplay) {
    CDiveLogSysInfo info;
    const uint32_t address = bus == kBusColourDisplay ? 0x1080
                             : bus == kBusDisplay     ? 0x4000
                                                      : 0x2000;
    info.Decode(Header(bus, 1, address), Data(identity));
    info.Decode(Header(bus, 1, 0x200000), Data(kDisplayCode));
    info.Complete();
    return info;
}

} // namespace

TEST(SysInfoComplete, NewerLayoutTexts) {
    std::vector<uint8_t> id = Identity();
    id[35] = 0x80;
    id[kDecoOptionByteForTest] = 2;
    Put(id, 64, "A. Diver");
    Put(id, 82, "+44 1234");
    Put(id, 100, "PL1 2AB");
    const CDiveLogSysInfo info = CompletedWith(id);
    const CSysInfoTexts& t = info.Texts(kBusDisplay);
    EXPECT_EQ(t.m_strUnitType, "Zelvor CCR"); // control characters become spaces, then trimmed
    EXPECT_EQ(t.m_strSerialNumber, "ZX-001234");
    EXPECT_EQ(t.m_strShipmentDate, "15/06/2005");
    EXPECT_EQ(t.m_strDealerCode, "DLR00042");
    EXPECT_EQ(t.m_strTesterId, "7");
    EXPECT_EQ(t.m_strUpgradeOnly, "No");
    EXPECT_EQ(t.m_strWing, "22 Kg");
    EXPECT_EQ(t.m_strHarness, "X Large");
    EXPECT_EQ(t.m_strTempProbe, "Yes");
    EXPECT_EQ(t.m_strBatteryType, "Li-Poly");
    EXPECT_EQ(t.m_strDecoOption, "Trimix");
    EXPECT_EQ(info.DecoOption(kBusColourDisplay), EDecoOption::Trimix);
    EXPECT_EQ(info.DecoOption(kBusC1), EDecoOption::None);
    EXPECT_EQ(info.DecoOption(0x90), EDecoOption::None);
    EXPECT_EQ(t.m_strCodeVersion, "DC.00.05.01.42");
    EXPECT_EQ(t.m_strCodeDate, "12/03/09");
    EXPECT_EQ(t.m_strOwnerName, "A. Diver");
    EXPECT_EQ(t.m_strOwnerTelephone, "+44 1234");
    EXPECT_EQ(t.m_strOwnerPostCode, "PL1 2AB");
    EXPECT_TRUE(info.BatteryLiPoly(kBusDisplay));
    EXPECT_FALSE(info.BatteryTypesConsistent());
}

TEST(SysInfoComplete, TableEdges) {
    std::vector<uint8_t> id = Identity();
    Put(id, 36, "31022005");
    id[52] = 7;
    id[51] = 3;
    id[kDecoOptionByteForTest] = 6;
    const CSysInfoTexts t = CompletedWith(id).Texts(kBusDisplay);
    EXPECT_EQ(t.m_strShipmentDate, "Invalid Date");
    EXPECT_EQ(t.m_strHarness, "Unknown value");
    EXPECT_EQ(t.m_strWing, "Unknown value");
    EXPECT_EQ(t.m_strDecoOption, "Unknown value");
    Put(id, 36, "1506200x");
    EXPECT_EQ(CompletedWith(id).Texts(kBusDisplay).m_strShipmentDate, "Invalid Date");
}

TEST(SysInfoComplete, OlderLayoutDealerCode) {
    std::vector<uint8_t> id = Identity();
    for (size_t i = 56; i <= 63; ++i)
        id[i] = 0;
    Put(id, 44, "D12345");
    const CSysInfoTexts t = CompletedWith(id).Texts(kBusDisplay);
    EXPECT_EQ(t.m_strDealerCode, "D12345");
    EXPECT_EQ(t.m_strUpgradeOnly, "");
    EXPECT_EQ(t.m_strTempProbe, "");
    EXPECT_EQ(t.m_strHus, "");
    EXPECT_EQ(t.m_strWing, "22 Kg"); // byte 44 is the dealer code here, not upgrade only
}

TEST(SysInfoComplete, UpgradeOnlyLeavesHardwareEmpty) {
    std::vector<uint8_t> id = Identity();
    id[44] = 1;
    const CSysInfoTexts t = CompletedWith(id).Texts(kBusDisplay);
    EXPECT_EQ(t.m_strUpgradeOnly, "Yes");
    for (const std::string* hardware :
         {&t.m_strWing, &t.m_strHarness, &t.m_strCounterlungs, &t.m_strAdv, &t.m_strWingCylinder})
        EXPECT_EQ(*hardware, "");
    EXPECT_EQ(t.m_strTempProbe, "Yes");
}

TEST(SysInfoComplete, HistoryEntries) {
    std::vector<uint8_t> id = Identity();
    for (size_t i = 128; i < 128 + 63; ++i)
        id[i] = 0xFF;
    const uint8_t first[] = {0x05, 0x00, 0x00};  // 1 Jan 2000
    const uint8_t second[] = {0x09, 0x0E, 0x5B}; // day 3675: 23 Jan 2010
    std::copy(first, first + 3, id.begin() + 128);
    std::copy(second, second + 3, id.begin() + 128 + 3 * 20);
    const CDiveLogSysInfo info = CompletedWith(id);
    const auto& history = info.History(kBusDisplay);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].m_byEvent, 5);
    EXPECT_EQ(history[0].m_strDate, "01 Jan 2000");
    EXPECT_EQ(history[1].m_nDayNumber, 3675);
    EXPECT_EQ(history[1].m_strDate, "23 Jan 2010");
}

TEST(SysInfoComplete, ColourDisplayOwnerDetailsFurtherOn) {
    std::vector<uint8_t> id = Identity(512);
    Put(id, 128, "Colour Owner");
    Put(id, 164, "CO1 1AA");
    id[256] = 0xFF;
    id[259] = 1;
    const CDiveLogSysInfo info = CompletedWith(id, kBusColourDisplay);
    EXPECT_EQ(info.DisplayBusAddress(), kBusColourDisplay);
    const CSysInfoTexts& t = info.Texts(kBusColourDisplay);
    EXPECT_EQ(t.m_strOwnerName, "Colour Owner");
    EXPECT_EQ(t.m_strOwnerPostCode, "CO1 1AA");
    EXPECT_EQ(t.m_strSerialNumber, "ZX-001234");
    ASSERT_EQ(info.History(kBusColourDisplay).size(), 20u); // first entry skipped as 0xFF
    EXPECT_EQ(info.History(kBusColourDisplay)[0].m_byEvent, 1);
}

TEST(SysInfoComplete, NoIdentityMeansEmptyTexts) {
    CDiveLogSysInfo info;
    info.Decode(Header(kBusC1, 1, 0x200000), Data({1, 2, 3, 0xCC, 0, 1, 2, 3}));
    info.Complete();
    EXPECT_EQ(info.Texts(kBusC1).m_strCodeVersion, "");
    EXPECT_EQ(info.Texts(kBusC1).m_strBatteryType, "");
    EXPECT_FALSE(info.BatteryLiPoly(kBusC1));
    EXPECT_TRUE(info.History(kBusC1).empty());
    EXPECT_TRUE(info.BatteryTypesConsistent());
    // Controllers take their identity from a line of at least 516 characters.
    std::vector<uint8_t> id = Identity(300);
    id[35] = 0x80;
    info.Decode(Header(kBusC1, 1, 0x2000), Data(id));
    info.Clear();
    info.Decode(Header(kBusC1, 1, 0x2000), Data(id));
    info.Complete();
    EXPECT_EQ(info.RegionBytes(kBusC1, 0)->size(), 256u);
    EXPECT_EQ(info.Texts(kBusC1).m_strBatteryType, "Li-Poly");
    EXPECT_EQ(info.CodeVersionText(kBusC1), ""); // cleared
}
