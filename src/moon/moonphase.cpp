#include "moon/moonphase.h"

#include <cmath>
#include <numbers>

namespace moon {

// Meeus, Table 47.A: D, M, M', F, Σl, Σr.
const std::array<LongitudeDistanceTerm, 60> table47a{{
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
}};

// Meeus, Table 47.B: D, M, M', F, Σb.
const std::array<LatitudeTerm, 60> table47b{{
    {0, 0, 0, 1, 5128122},
    {0, 0, 1, 1, 280602},
    {0, 0, 1, -1, 277693},
    {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},
    {2, 0, -1, -1, 46271},
    {2, 0, 0, 1, 32573},
    {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},
    {0, 0, 2, -1, 8822},
    {2, -1, 0, -1, 8216},
    {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},
    {2, 1, 0, -1, -3359},
    {2, -1, -1, 1, 2463},
    {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065},
    {0, 1, -1, -1, -1870},
    {4, 0, -1, -1, 1828},
    {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},
    {0, 1, -1, 1, -1565},
    {1, 0, 0, 1, -1491},
    {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},
    {0, 1, 0, -1, -1344},
    {1, 0, 0, -1, -1335},
    {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},
    {4, 0, -1, 1, 833},
    {0, 0, 1, -3, 777},
    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},
    {2, 0, 2, -1, 596},
    {2, -1, 1, -1, 491},
    {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},
    {2, 0, 2, 1, 422},
    {2, 0, -3, -1, 421},
    {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},
    {4, 0, 0, 1, 331},
    {2, -1, 1, 1, 315},
    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},
    {2, 1, 1, -1, -229},
    {1, 1, 0, -1, 223},
    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},
    {2, 1, -1, -1, -220},
    {1, 0, 1, 1, -185},
    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},
    {4, 0, -2, -1, 176},
    {4, -1, -1, -1, 166},
    {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},
    {1, 0, -1, -1, -119},
    {4, -1, 0, -1, 115},
    {2, -2, 0, 1, 107},
}};

namespace {

constexpr long double pi = std::numbers::pi_v<long double>;

// Day number of 1 January 2000 and of 14 October 1582 (proleptic Gregorian,
// days since 30 December 1899).
constexpr long double jan2000 = 36526.0L;
constexpr long double lastdaywithoutjd = -115859.0L;

long double centuries(long double jd)
{
    return (jd - 2451545.0L) / 36525.0L;
}

// E for a term whose M multiplier is ±1, E² for ±2.
long double eccentricityfactor(int m, long double e)
{
    switch (m) {
    case 1:
    case -1:
        return e;
    case 2:
    case -2:
        return e * e;
    default:
        return 1.0L;
    }
}

} // namespace

long double putin360(long double angle)
{
    long double result = angle - std::nearbyint(angle / 360.0L) * 360.0L;
    while (result < 0)
        result += 360.0L;
    // A tiny negative remainder plus 360 rounds to 360 itself; the range is
    // [0, 360), so that is 0.
    if (result >= 360.0L)
        result = 0.0L;
    return result;
}

long double sindeg(long double angle)
{
    return std::sin(putin360(angle) * pi / 180.0L);
}

long double cosdeg(long double angle)
{
    return std::cos(putin360(angle) * pi / 180.0L);
}

long double arcsin(long double x)
{
    const long double rest = 1.0L - x * x;
    if (rest == 0)
        return std::copysign(pi / 2.0L, x);
    return std::atan(x / std::sqrt(rest));
}

long double arccos(long double x)
{
    return pi / 2.0L - arcsin(x);
}

long double juliandate(long double date)
{
    if (date <= lastdaywithoutjd)
        return 0.0L;
    return date - jan2000 + 2451544.5L;
}

SunPosition sunposition(long double jd)
{
    const long double t = centuries(jd);
    const long double t2 = t * t;
    const long double l0 = 280.46645L + 36000.76983L * t + 0.0003032L * t2;
    const long double m = 357.5291L + 35999.0503L * t - 0.0001559L * t2 - 0.00000048L * t2 * t;
    const long double e = 0.016708617L - 0.000042037L * t - 0.0000001236L * t2;
    const long double c = (1.9146L - 0.004817L * t - 0.000014L * t2) * sindeg(m)
                          + (0.019993L - 0.000101L * t) * sindeg(2 * m)
                          + 0.00029L * sindeg(3 * m);
    SunPosition sun;
    sun.longitude = putin360(l0 + c);
    sun.distance = 1.000001018L * (1 - e * e) / (1 + e * cosdeg(m + c)) * 149597869.0L;
    return sun;
}

MoonPosition moonposition(long double jd)
{
    const long double t = centuries(jd);
    const long double t2 = t * t;
    const long double t3 = t2 * t;
    const long double t4 = t3 * t;
    const long double d = 297.8502042L + 445267.1115168L * t - 0.00163L * t2 + t3 / 545868.0L
                          - t4 / 113065000.0L;
    const long double m = 357.5291092L + 35999.0502909L * t - 0.0001536L * t2 + t3 / 24490000.0L;
    const long double mp = 134.9634114L + 477198.8676313L * t + 0.008997L * t2 + t3 / 69699.0L
                           - t4 / 14712000.0L;
    const long double f = 93.2720993L + 483202.0175273L * t - 0.0034029L * t2 - t3 / 3526000.0L
                          + t4 / 863310000.0L;
    const long double lp = 218.3164591L + 481267.88134236L * t - 0.0013268L * t2 + t3 / 538841.0L
                           - t4 / 65194000.0L;
    const long double e = 1.0L - 0.002516L * t - 0.0000074L * t2;
    const long double a1 = 119.75L + 131.849L * t;
    const long double a2 = 53.09L + 479264.29L * t;
    const long double a3 = 313.45L + 481266.484L * t;

    long double suml = 0, sumr = 0, sumb = 0;
    for (const auto &term : table47a) {
        const long double a = term.d * d + term.m * m + term.mp * mp + term.f * f;
        const long double factor = eccentricityfactor(term.m, e);
        suml += term.l * factor * sindeg(a);
        sumr += term.r * factor * cosdeg(a);
    }
    for (const auto &term : table47b) {
        const long double a = term.d * d + term.m * m + term.mp * mp + term.f * f;
        sumb += term.b * eccentricityfactor(term.m, e) * sindeg(a);
    }
    suml += 3958.0L * sindeg(a1) + 1962.0L * sindeg(lp - f) + 318.0L * sindeg(a2);
    sumb += -2235.0L * sindeg(lp) + 382.0L * sindeg(a3) + 175.0L * sindeg(a1 - f)
            + 175.0L * sindeg(a1 + f) + 127.0L * sindeg(lp - mp) - 115.0L * sindeg(lp + mp);

    MoonPosition moon;
    moon.longitude = lp + suml / 1000000.0L;
    moon.latitude = sumb / 1000000.0L;
    moon.distance = 385000.56L + sumr / 1000.0L;
    return moon;
}

long double moonphaseangle(long double date)
{
    const long double jd = juliandate(date);
    const SunPosition sun = sunposition(jd);
    const MoonPosition moon = moonposition(jd);

    const long double psi = arccos(cosdeg(moon.latitude) * cosdeg(moon.longitude - sun.longitude));
    const long double across = sun.distance * std::sin(psi);
    const long double along = moon.distance - sun.distance * std::cos(psi);
    // A zero denominator is the arctangent's limit, 90 degrees.
    long double i = along == 0 ? 90.0L : std::atan(across / along) * 180.0L / pi;
    if (i < 0)
        i += 180.0L;
    if (putin360(moon.longitude - sun.longitude) > 180.0L)
        i = -i;
    return i;
}

} // namespace moon
