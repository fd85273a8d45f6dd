// platform/calendar: the local date and time of day.
#pragma once

namespace platform {

struct LocalTime {
  int year;    // e.g. 2024
  int month;   // 1..12
  int day;     // 1..31
  int hour;    // 0..23
  int minute;  // 0..59
  int second;  // 0..60
};

LocalTime local_time();

}  // namespace platform
