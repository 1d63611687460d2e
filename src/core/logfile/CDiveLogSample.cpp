#include "logfile/CDiveLogSample.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <new>

#include "logfile/CellVoting.h"
#include "logfile/FieldParsers.h"
#include "logfile/HexDigits.h"

// Every decoder below checks the line's length before it reads a field.
using hexdigits::Byte;
using hexdigits::SignedWord;
using hexdigits::Word;

// ---- Decoding -----------------------------------------------------------------------------------

void CDiveLogSample::DecodeLine(unsigned recordType, std::string_view line,
                                const CRecordFormat& format) {
    if (format.frcLayout)
        DecodeFrc(recordType, line);
    else
        DecodeShort(recordType, line, format);
}

void CDiveLogSample::DecodeTimedLine(double time, std::string_view line,
                                     const CRecordFormat& format) {
    m_dTime = time;
    DecodeLine(0x06, line, format);
}

void CDiveLogSample::DecodeShort(unsigned recordType, std::string_view line,
                                 const CRecordFormat& format) {
    if (recordType == 0x1A) {
        if (line.size() != CRecordFormat::kShortCylinderLineLength)
            return;
        for (int k = 0; k < 6; ++k)
            m_dCylinder[6 + k] = Word(line, 2 + 4 * k);
        return;
    }
    if (line.size() != CRecordFormat::kShortLineLength)
        return;
    switch (recordType) {
    case 0x04:
    case 0x14:
        for (int k = 0; k < 9; ++k)
            m_dProbeTemp[k] = Byte(line, 2 + 2 * k) * 0.25;
        m_byProbeFlags = static_cast<unsigned char>(Byte(line, 20));
        m_dAmbientTemp = SignedWord(line, 22) / 10.0;
        m_dCNS = Byte(line, 26);
        m_dOTU = Byte(line, 28);
        m_dPPCO2 = Byte(line, 30) / 10.0;
        break;
    case 0x06:
        DecodeShortDepth(line);
        break;
    case 0x07:
        DecodeShortStatus(line, format);
        break;
    case 0x09:
        for (int k = 0; k < 6; ++k) {
            m_nGasO2[k] = static_cast<int>(Byte(line, 2 + 4 * k));
            m_nGasHe[k] = static_cast<int>(Byte(line, 4 + 4 * k));
        }
        m_dDiveDetect[kGfLowIndex] = Byte(line, 26);
        m_dDiveDetect[kGfHighIndex] = Byte(line, 28);
        m_nConservatism = static_cast<int>(Byte(line, 30));
        break;
    case 0x0A:
        for (int k = 0; k < 6; ++k)
            m_dCylinder[k] = Word(line, 2 + 4 * k);
        m_dCylinder[12] = Word(line, 26);
        break;
    case 0x0C:
        m_nDecoWord0 = static_cast<int>(Word(line, 2));
        m_dCeilingPressure = Word(line, 6);
        m_dDecoWord2 = Word(line, 10);
        m_dDecoSurfacePressure = Word(line, 14);
        m_dDecoWord4 = Word(line, 18);
        m_fGradientFactor = ParseFloatBE(line.substr(22, 8));
        m_nGasNumber = static_cast<int>(Byte(line, 30));
        break;
    case 0x0D:
        m_bHasDiveDetect = true;
        m_byDiveDetectStatus = static_cast<unsigned char>(Byte(line, 2));
        m_dDiveEndDepth = Byte(line, 4);
        m_dDiveStartDepth = Byte(line, 6);
        break;
    case 0x19:
        for (int k = 0; k < 6; ++k) {
            m_nGasO2[6 + k] = static_cast<int>(Byte(line, 2 + 4 * k));
            m_nGasHe[6 + k] = static_cast<int>(Byte(line, 4 + 4 * k));
        }
        break;
    case 0x40:
        DecodeShortCo2(line);
        break;
    default:
        break;
    }
}

void CDiveLogSample::DecodeShortStatus(std::string_view line, const CRecordFormat& format) {
    m_dGasO2 = Byte(line, 2);
    m_dGasHe = Byte(line, 4);
    m_dSetpoint = Byte(line, 8) / 100.0;
    for (int k = 0; k < 10; ++k)
        m_byStatus[k] = static_cast<unsigned char>(Byte(line, 10 + 2 * k));
    // Older display code logged the sample interval in the last byte (255 standing for 10).
    if (format.level4) {
        m_byStatusExt = static_cast<unsigned char>(Byte(line, 30));
    } else {
        const unsigned interval = Byte(line, 30);
        m_nSampleInterval = interval == 255 ? 10 : static_cast<int>(interval);
    }
}

void CDiveLogSample::DecodeShortCo2(std::string_view line) {
    m_dDpsTemp = Word(line, 2) / 10.0;
    m_dPpmACO2 = Word(line, 6) / 100.0;
    m_dPpCO2Cor = Word(line, 10) / 10.0;
    m_dPAmbCO2 = Word(line, 14);
    m_dCO2Led = Word(line, 18);
    m_dCO2Temp = Word(line, 22);
    m_dCO2Filt = Word(line, 26) / 100.0;
    m_dTsT8 = Byte(line, 30) * 0.25;
}

void CDiveLogSample::DecodeFrcDiveDetect(std::string_view line) {
    m_bHasDiveDetect = true;
    m_byDiveDetectStatus = static_cast<unsigned char>(Byte(line, 10));
    m_dDiveEndDepth = Byte(line, 12);
    m_dDiveStartDepth = Byte(line, 14);
    m_dDiveDetect[0] = Byte(line, 16);
    m_dDiveDetect[1] = Word(line, 18);
    for (int k = 0; k < 8; ++k)
        m_dDiveDetect[2 + k] = Byte(line, 22 + 2 * k);
    for (int k = 0; k < 6; ++k)
        m_byStatus[k] = static_cast<unsigned char>(Byte(line, 38 + 2 * k));
    m_byStatus[9] = static_cast<unsigned char>(Byte(line, 52));
}

void CDiveLogSample::DecodeShortDepth(std::string_view line) {
    m_dPressure = Word(line, 2);
    for (int k = 0; k < 3; ++k)
        m_dC1Cell[k] = Byte(line, 6 + 2 * k) / 100.0;
    m_dBattery[0] = Byte(line, 12) / 40.0;
    m_dBattery[1] = Byte(line, 14) / 40.0;
    m_byC1CellStatus = static_cast<unsigned char>(Byte(line, 16));
    for (int k = 0; k < 3; ++k)
        m_dC2Cell[k] = Byte(line, 18 + 2 * k) / 100.0;
    m_dBattery[2] = Byte(line, 24) / 40.0;
    m_dBattery[3] = Byte(line, 26) / 40.0;
    m_byC2CellStatus = static_cast<unsigned char>(Byte(line, 28));
    m_byCellStatusExtra = static_cast<unsigned char>(Byte(line, 30));
    m_dC1Measured = VoteCells(m_dC1Cell, m_byC1CellStatus);
    m_dC2Measured = VoteCells(m_dC2Cell, m_byC2CellStatus);
}

void CDiveLogSample::DecodeFrc(unsigned recordType, std::string_view line) {
    if (line.size() != CRecordFormat::kFrcLineLength)
        return;
    switch (recordType) {
    case 0x06:
        DecodeFrcDepth(line);
        break;
    case 0x09:
        for (int k = 0; k < 9; ++k) {
            m_nGasO2[k] = static_cast<int>(Byte(line, 10 + 4 * k));
            m_nGasHe[k] = static_cast<int>(Byte(line, 12 + 4 * k));
        }
        break;
    case 0x0A:
        for (int k = 0; k < 9; ++k)
            m_dCylinder[k] = Word(line, 10 + 4 * k);
        m_dCylinder[12] = Word(line, 46);
        break;
    case 0x0C:
        m_nDecoWord0 = static_cast<int>(Word(line, 10));
        m_dCeilingPressure = Word(line, 14);
        m_dDecoWord2 = Word(line, 18);
        m_dDecoSurfacePressure = Word(line, 22);
        m_dDecoWord4 = Word(line, 26);
        m_fGradientFactor = ParseFloatBE(line.substr(30, 8));
        m_nGasNumber = static_cast<int>(Byte(line, 38));
        m_dGasO2 = Byte(line, 40);
        m_dGasHe = Byte(line, 42);
        break;
    case 0x0D:
        DecodeFrcDiveDetect(line);
        break;
    case 0x14:
        for (int k = 0; k < 9; ++k)
            m_dProbeTemp[k] = Byte(line, 10 + 2 * k) * 0.25;
        m_byProbeFlags = static_cast<unsigned char>(Byte(line, 28));
        m_dPPCO2 = Word(line, 36) / 10.0;
        break;
    case 0x21:
    case 0x22:
    case 0x23:
        DecodeSplitFloatTable(m_dTableA + 6 * (recordType - 0x21), line,
                              recordType == 0x23 ? 4 : 6);
        break;
    case 0x24:
    case 0x25:
    case 0x26:
        DecodeSplitFloatTable(m_dTableB + 6 * (recordType - 0x24), line,
                              recordType == 0x26 ? 4 : 6);
        break;
    default:
        // 0x40 carries CO2-sensor values only in the short layout.
        break;
    }
}

void CDiveLogSample::DecodeFrcDepth(std::string_view line) {
    m_dPressure = Word(line, 10);
    m_dAmbientTemp = SignedWord(line, 14) / 10.0;
    for (int k = 0; k < 3; ++k)
        m_dC1Cell[k] = Byte(line, 18 + 2 * k) / 100.0;
    m_dC1Measured = Byte(line, 24) / 100.0;
    m_dBattery[0] = Byte(line, 26) / 40.0;
    m_dBattery[1] = Byte(line, 28) / 40.0;
    m_byC1CellStatus = static_cast<unsigned char>(Byte(line, 30));
    for (int k = 0; k < 3; ++k)
        m_dC2Cell[k] = Byte(line, 32 + 2 * k) / 100.0;
    m_dC2Measured = Byte(line, 38) / 100.0;
    m_dBattery[2] = Byte(line, 40) / 40.0;
    m_dBattery[3] = Byte(line, 42) / 40.0;
    m_byC2CellStatus = static_cast<unsigned char>(Byte(line, 44));
    m_byCellStatusExtra = static_cast<unsigned char>(Byte(line, 46));
    m_byStatusExt = static_cast<unsigned char>(Byte(line, 48));
    for (int k = 0; k < 3; ++k)
        m_byStatus[6 + k] = static_cast<unsigned char>(Byte(line, 52 + 2 * k));
    m_dSetpoint = Byte(line, 58) / 100.0;
    m_dCNS = Byte(line, 60);
    m_dOTU = Byte(line, 62);
}

void CDiveLogSample::DecodeSplitFloatTable(double* table, std::string_view line, int count) {
    for (int k = 0; k < count; ++k) {
        const size_t p = 10 + 8 * static_cast<size_t>(k);
        table[k] =
            ParseSplitFloat(Byte(line, p), Byte(line, p + 2), Byte(line, p + 4), Byte(line, p + 6));
    }
}

double CDiveLogSample::VoteCells(const double* c, unsigned char status) const {
    return ::VoteCells(c, status, m_dSetpoint);
}

void CDiveLogSample::SetSurfacePressure(double mbar) {
    m_dSurfacePressure = (mbar >= 600.0 && mbar <= 1080.0) ? mbar : 1000.0;
}

void CDiveLogSample::SetSampleInterval(int seconds) {
    m_nSampleInterval = seconds < 1 ? 1 : seconds > 120 ? 120 : seconds;
}

bool CDiveLogSample::UpdateDiving(bool previous) {
    if (!m_bHasDiveDetect)
        return previous;
    m_bDiving = previous;
    if (!m_bDiving && GetDepth() > m_dDiveStartDepth)
        m_bDiving = true;
    if (m_bDiving && GetDepth() < m_dDiveEndDepth)
        m_bDiving = false;
    return m_bDiving;
}

// ---- Reading ------------------------------------------------------------------------------------

double CDiveLogSample::GetDepth() const {
    const double depth = (m_dPressure - m_dSurfacePressure) / 100.0;
    return depth < 0.0 ? 0.0 : depth;
}

double CDiveLogSample::GetCellPPO2(int index) const {
    if (index >= 0 && index <= 2)
        return m_dC1Cell[index];
    if (index == 3)
        return m_dC1Measured;
    if (index >= 4 && index <= 6)
        return m_dC2Cell[index - 4];
    if (index == 7)
        return m_dC2Measured;
    return 0.0;
}

double CDiveLogSample::GetBattery(int index) const {
    return index >= 0 && index < 4 ? m_dBattery[index] : 0.0;
}

double CDiveLogSample::GetProbeTemp(int index) const {
    return index >= 0 && index < 9 ? m_dProbeTemp[index] : 0.0;
}

double CDiveLogSample::GetDiluentPressure(int index) const {
    if (index < 0 || index > 11)
        return 0.0;
    return m_dCylinder[index] > 0.0 ? m_dCylinder[index] : 0.0;
}

double CDiveLogSample::GetOxygenPressure() const {
    return m_dCylinder[12] > 0.0 ? m_dCylinder[12] : 0.0;
}

bool CDiveLogSample::HasCylinderPressure(int index) const {
    return index >= 0 && index < 13 && m_dCylinder[index] != -1.0;
}

double CDiveLogSample::GetCeilingDepth() const {
    const double depth = (m_dCeilingPressure - m_dDecoSurfacePressure) / 100.0;
    return depth < 0.0 ? 0.0 : depth;
}

double CDiveLogSample::GetDecoWord4() const {
    const double value = m_dDecoWord4 / 100.0;
    return value < 0.0 ? 0.0 : value;
}

int CDiveLogSample::GetControllerFlags(int controller) const {
    if (controller != 1 && controller != 2)
        return -1;
    const unsigned char byte = m_byStatus[controller == 1 ? 2 : 4];
    return byte & 0x03;
}

// ---- Slab allocation ----------------------------------------------------------------------------

#if defined(__SANITIZE_ADDRESS__)
#define ZELVOR_SAMPLE_SLABS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELVOR_SAMPLE_SLABS 0
#endif
#endif
#ifndef ZELVOR_SAMPLE_SLABS
#define ZELVOR_SAMPLE_SLABS 1
#endif

#if !ZELVOR_SAMPLE_SLABS
// The address sanitizer must see every sample as a block of its own to catch a stale pointer.
void* CDiveLogSample::operator new(std::size_t size) {
    return ::operator new(size);
}
void CDiveLogSample::operator delete(void* p, std::size_t size) noexcept {
    ::operator delete(p, size);
}
#else
namespace {

// Slabs are aligned to their size, so a sample finds its slab's header by masking its address.
constexpr std::size_t kSlabBytes = std::size_t(1) << 20;
constexpr std::size_t kSampleSlot =
    (sizeof(CDiveLogSample) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);

struct CSlabHeader {
    // Samples alive in the slab, plus one while a thread still carves samples from it.
    std::atomic<std::size_t> live{1};
    std::size_t used = 0;
};

constexpr std::size_t kFirstSlot =
    (sizeof(CSlabHeader) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
static_assert(kFirstSlot + kSampleSlot <= kSlabBytes);

void Release(CSlabHeader* slab) {
    if (slab->live.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        slab->~CSlabHeader();
        ::operator delete(slab, std::align_val_t(kSlabBytes));
    }
}

// The slab this thread carves new samples from; handed back when the thread ends.
struct CCurrentSlab {
    CSlabHeader* slab = nullptr;
    ~CCurrentSlab() {
        if (slab)
            Release(slab);
        slab = nullptr;
    }
};
thread_local CCurrentSlab t_current;

CSlabHeader* SlabOf(void* p) {
    return reinterpret_cast<CSlabHeader*>(reinterpret_cast<std::uintptr_t>(p) & ~(kSlabBytes - 1));
}

} // namespace

void* CDiveLogSample::operator new(std::size_t size) {
    if (size != sizeof(CDiveLogSample))
        return ::operator new(size);
    CSlabHeader* slab = t_current.slab;
    if (!slab || slab->used + kSampleSlot > kSlabBytes) {
        void* memory = ::operator new(kSlabBytes, std::align_val_t(kSlabBytes));
        CSlabHeader* fresh = new (memory) CSlabHeader;
        fresh->used = kFirstSlot;
        t_current.slab = fresh;
        if (slab)
            Release(slab);
        slab = fresh;
    }
    void* p = reinterpret_cast<char*>(slab) + slab->used;
    slab->used += kSampleSlot;
    slab->live.fetch_add(1, std::memory_order_relaxed);
    return p;
}

void CDiveLogSample::operator delete(void* p, std::size_t size) noexcept {
    if (!p)
        return;
    if (size != sizeof(CDiveLogSample)) {
        ::operator delete(p, size);
        return;
    }
    Release(SlabOf(p));
}
#endif
