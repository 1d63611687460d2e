#include "viewmodel/Units.h"

#include <cstdio>

std::string FormatFeetInches(double metres) {
    const double feet = units::MetresToFeet(metres);
    const int whole = static_cast<int>(feet);
    const int inches = static_cast<int>((feet - whole) * 12.0);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d' %d\"", whole, inches);
    return buffer;
}
