#include "viewmodel/AlarmLamps.h"

#include "logfile/CDiveLogSample.h"

namespace {

bool Bit(unsigned char byte, int bit) {
    return (byte >> bit) & 1;
}

LampColour RedWhen(bool on) {
    return on ? LampColour::Red : LampColour::White;
}

// One lamp for a bit of both controllers: an unmasked alarm on either wins, then a masked alarm,
// then a mask alone.
LampColour CombinedColour(const CDiveLogSample& s, int bit) {
    const unsigned char status[2] = {s.m_byC1CellStatus, s.m_byC2CellStatus};
    const unsigned char mask[2] = {s.m_byStatus[6], s.m_byStatus[7]};
    bool red = false, black = false, grey = false;
    for (int c = 0; c < 2; ++c) {
        const bool alarm = Bit(status[c], bit);
        const bool masked = Bit(mask[c], bit);
        red = red || (alarm && !masked);
        black = black || (alarm && masked);
        grey = grey || (!alarm && masked);
    }
    if (red)
        return LampColour::Red;
    if (black)
        return LampColour::Black;
    return grey ? LampColour::LightGrey : LampColour::White;
}

} // namespace

LampColour CellStateColour(unsigned char alarm, unsigned char mask, int bit) {
    const bool a = Bit(alarm, bit);
    const bool m = Bit(mask, bit);
    if (a)
        return m ? LampColour::Black : LampColour::Red;
    return m ? LampColour::LightGrey : LampColour::White;
}

std::array<LampColour, kControllerLamps> ControllerLampColours(const CDiveLogSample& s) {
    return {CombinedColour(s, 4), CombinedColour(s, 5),
            RedWhen(Bit(s.m_byC1CellStatus, 6) || Bit(s.m_byC2CellStatus, 6)),
            RedWhen(Bit(s.m_byC1CellStatus, 7) || Bit(s.m_byC2CellStatus, 7))};
}

std::array<LampColour, kDisplayLamps> DisplayLampColours(const CDiveLogSample& s, bool level4) {
    const unsigned char extra = s.m_byCellStatusExtra;
    const unsigned char mask = s.m_byStatus[8];
    const bool scrubber2 = level4 ? Bit(s.m_byStatusExt, 4) : Bit(extra, 6);
    return {CellStateColour(extra, mask, 0),
            CellStateColour(extra, mask, 1),
            CellStateColour(extra, mask, 2),
            CellStateColour(extra, mask, 3),
            RedWhen(scrubber2),
            CellStateColour(extra, mask, 4),
            RedWhen(Bit(s.m_byStatusExt, 5)),
            RedWhen(Bit(extra, 6)),
            CellStateColour(extra, mask, 5)};
}
