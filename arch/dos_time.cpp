#include "arch/dos_time.h"

namespace arch {

void ToDosDateTime(const CalendarTime& t, uint16_t& date, uint16_t& time)
{
    if (t.year < 1980) {
        date = (1 << 5) | 1;
        time = 0;
        return;
    }
    if (t.year > 2107) {
        date = static_cast<uint16_t>((127 << 9) | (12 << 5) | 31);
        time = static_cast<uint16_t>((23 << 11) | (59 << 5) | 29);
        return;
    }
    date = static_cast<uint16_t>(((t.year - 1980) << 9) | (t.month << 5) | t.day);
    time = static_cast<uint16_t>((t.hour << 11) | (t.minute << 5) | (t.second / 2));
}

CalendarTime FromDosDateTime(uint16_t date, uint16_t time)
{
    CalendarTime t;
    t.year = 1980 + (date >> 9);
    t.month = (date >> 5) & 0x0F;
    t.day = date & 0x1F;
    t.hour = time >> 11;
    t.minute = (time >> 5) & 0x3F;
    t.second = (time & 0x1F) * 2;
    return t;
}

} // namespace arch
