#pragma once
// The Moon's phase for a date, after J. Meeus, "Astronomical
// Algorithms": the low-accuracy solar coordinates, the Moon's position from
// the periodic terms of Tables 47.A and 47.B, and the phase angle. Window-free;
// all arithmetic in long double (80-bit extended). Angles are in degrees
// unless a comment says radians.

#include <array>

namespace moon {

// One row of Table 47.A: multipliers of D, M, M', F; the coefficient of the
// longitude sum (0.000001 degree) and of the distance sum (0.001 km).
struct LongitudeDistanceTerm {
    int d, m, mp, f;
    long l, r;
};
// One row of Table 47.B: multipliers and the latitude coefficient (0.000001 degree).
struct LatitudeTerm {
    int d, m, mp, f;
    long b;
};
// The published tables, every row in its order (zero coefficients included).
extern const std::array<LongitudeDistanceTerm, 60> table47a;
extern const std::array<LatitudeTerm, 60> table47b;

struct SunPosition {
    long double longitude; // true longitude, reduced to [0, 360)
    long double distance;  // km
};

struct MoonPosition {
    long double longitude; // not reduced
    long double latitude;
    long double distance;  // km
};

// Reduces to [0, 360): subtract the nearest multiple of 360, then add 360
// while negative.
long double putin360(long double angle);
// Sine and cosine of an angle in degrees, reduced first.
long double sindeg(long double angle);
long double cosdeg(long double angle);
// arctan(x / sqrt(1 - x^2)) and pi/2 - arcsin(x); radians.
long double arcsin(long double x);
long double arccos(long double x);

// The Julian day of a day number (days since 30 December 1899, time as the
// fraction, used as it comes: local time, no correction); 0 for every date
// not later than 14 October 1582, midnight.
long double juliandate(long double date);
// Positions for a Julian day (T counted from JD 2451545.0).
SunPosition sunposition(long double jd);
MoonPosition moonposition(long double jd);
// The phase angle i for a day number: 0 at full Moon, 180 at new Moon,
// negative while the Moon wanes; -180 <= result <= 180. putin360 of it is the
// stored phase.
long double moonphaseangle(long double date);

} // namespace moon
