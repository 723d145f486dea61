// MS-DOS packed dates and times, as cabinets store a file's last-write time:
// date = (year - 1980) << 9 | month << 5 | day,
// time = hour << 11 | minute << 5 | seconds / 2.
#pragma once

#include <cstdint>

namespace arch {

struct CalendarTime {
    int year = 1980;
    int month = 1; // 1 to 12
    int day = 1;   // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Times outside 1980 to 2107 are clamped to the nearest end.
void ToDosDateTime(const CalendarTime& t, uint16_t& date, uint16_t& time);
CalendarTime FromDosDateTime(uint16_t date, uint16_t time);

} // namespace arch
