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

const std::vector<uint8_t> kDisplayCode = {0x0C, 0x03, 0x09, 0xDC, 0x00, 0x05, 0x01, 0x42};

} // namespace

// ---- CDeviceList ------------------------------------------------------------------------------

TEST(DeviceList, RowsAndMaps) {
    const CDeviceList& list = CDeviceList::Instance();
    ASSERT_EQ(list.Count(), 23);
    EXPECT_EQ(list.At(0).Name(), "Display");
    EXPECT_EQ(list.At(22).Name(), "User Defined");
    EXPECT_FALSE(list.At(22).IsNamed());
    EXPECT_TRUE(list.At(22).IsProcessor());
    const CDevice* rtc = list.FindByBusAddress(0xA2);
    ASSERT_NE(rtc, nullptr);
    EXPECT_FALSE(rtc->IsProcessor());
    EXPECT_EQ(rtc->RangeCount(5), 1);
    EXPECT_EQ(rtc->RegionCount(), 0);
    const CDevice* colour = list.FindByBusAddress(kBusColourDisplay);
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->RegionCount(), 17);
    EXPECT_EQ(colour->RegionAt(0)->m_nNumber, 15);
    EXPECT_EQ(colour->FindRegion(11)->m_nLength, 0x10000u);
    EXPECT_EQ(colour->FindRegion(11)->m_byMemorySpace, 6);
    EXPECT_EQ(colour->Range(6, 0)->m_nEnd, 0x1FFFFFFu);
    EXPECT_EQ(list.FindByBusAddress(kBusC2)->FindRegion(13)->m_nStart, 0x4200u);
    EXPECT_EQ(list.FindByBusAddress(0x12), nullptr);
}

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
    EXPECT_EQ(info.CodeVersionText(kBusDisplay).substr(6, 2), "05");
    EXPECT_TRUE(info.CodeVersionValid(kBusDisplay));
    EXPECT_FALSE(info.CodeVersionValid(kBusC1));
    EXPECT_EQ(info.CodeVersionText(0x90), "");
    EXPECT_EQ(info.DisplayBusAddress(), kBusDisplay);

    info.Decode(Header(kBusC1, 1, 0x200000), Data({1, 2, 3, 0xCC, 0, 0x08, 0x99, 0x99}));
    EXPECT_TRUE(info.CodeVersionValid(kBusC1));
    info.Decode(Header(kBusC2, 1, 0x200000), Data({1, 2, 3, 0xCC, 1, 0x08, 0x99, 0x99}));
    EXPECT_FALSE(info.CodeVersionValid(kBusC2)); // byte 4 must be 0 on a controller
    EXPECT_EQ(info.CodeVersionText(kBusC2), "CC.01.08.99.99");
}

TEST(SysInfoCodeVersion, ShortCodeIdentificationIgnored) {
    CDiveLogSysInfo info;
    info.Decode(Header(kBusC1, 1, 0x200000), Data({1, 2, 3, 0xCC, 0, 1, 2}));
    EXPECT_EQ(info.CodeVersionText(kBusC1), "");
    EXPECT_FALSE(info.CodeVersionValid(kBusC1));
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
