#pragma once
// Moments of the Moon's principal phases in 2024 and 2025 (UTC, to the minute,
// from the public almanacs), as day numbers.

#include "platform/daynumber.h"

#include <QDate>
#include <QTime>

#include <array>

namespace almanac {

struct Moment {
    int year, month, day, hour, minute;

    double daynumber() const
    {
        return daynumber::fromdate(QDate(year, month, day))
               + daynumber::fraction(QTime(hour, minute));
    }
};

inline constexpr std::array<Moment, 25> newmoons{{
    {2024, 1, 11, 11, 57}, {2024, 2, 9, 22, 59},  {2024, 3, 10, 9, 0},   {2024, 4, 8, 18, 21},
    {2024, 5, 8, 3, 22},   {2024, 6, 6, 12, 38},  {2024, 7, 5, 22, 57},  {2024, 8, 4, 11, 13},
    {2024, 9, 3, 1, 55},   {2024, 10, 2, 18, 49}, {2024, 11, 1, 12, 47}, {2024, 12, 1, 6, 21},
    {2024, 12, 30, 22, 27}, {2025, 1, 29, 12, 36}, {2025, 2, 28, 0, 45}, {2025, 3, 29, 10, 58},
    {2025, 4, 27, 19, 31}, {2025, 5, 27, 3, 2},   {2025, 6, 25, 10, 31}, {2025, 7, 24, 19, 11},
    {2025, 8, 23, 6, 6},   {2025, 9, 21, 19, 54}, {2025, 10, 21, 12, 25}, {2025, 11, 20, 6, 47},
    {2025, 12, 20, 1, 43},
}};

inline constexpr std::array<Moment, 24> fullmoons{{
    {2024, 1, 25, 17, 54}, {2024, 2, 24, 12, 30}, {2024, 3, 25, 7, 0},   {2024, 4, 23, 23, 49},
    {2024, 5, 23, 13, 53}, {2024, 6, 22, 1, 8},   {2024, 7, 21, 10, 17}, {2024, 8, 19, 18, 26},
    {2024, 9, 18, 2, 34},  {2024, 10, 17, 11, 26}, {2024, 11, 15, 21, 28}, {2024, 12, 15, 9, 2},
    {2025, 1, 13, 22, 27}, {2025, 2, 12, 13, 53}, {2025, 3, 14, 6, 55},  {2025, 4, 13, 0, 22},
    {2025, 5, 12, 16, 56}, {2025, 6, 11, 7, 44},  {2025, 7, 10, 20, 37}, {2025, 8, 9, 7, 55},
    {2025, 9, 7, 18, 9},   {2025, 10, 7, 3, 48},  {2025, 11, 5, 13, 19}, {2025, 12, 4, 23, 14},
}};

inline constexpr std::array<Moment, 3> firstquarters{{
    {2024, 1, 18, 3, 53}, {2025, 1, 6, 23, 56}, {2025, 3, 6, 16, 31},
}};

inline constexpr std::array<Moment, 3> lastquarters{{
    {2024, 1, 4, 3, 30}, {2025, 1, 21, 20, 31}, {2025, 3, 22, 11, 29},
}};

} // namespace almanac
