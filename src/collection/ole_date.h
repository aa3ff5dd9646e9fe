#pragma once
// OLE Automation dates: days since 30 December 1899 with the time of day as
// the fraction, the form the collection header keeps its save time in.
#include <cstdint>

namespace vorn {

double oleDateFrom(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                   int32_t second);
// The local date and time now.
double currentLocalOleDate();

}  // namespace vorn
