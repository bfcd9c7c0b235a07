// skycalc: prints what the sky chart computes for a date, time, zone and place.
//
//   skycalc sky    [options]                  day counts, sidereal angles and every body
//   skycalc altaz  --ra DEG --dec DEG [options]
//   skycalc rts    --ra DEG --dec DEG [options]
//   skycalc moons  [options]
// options: --date YYYY-MM-DD --time HH:MM --zone H --lat DEG --lon DEG (east positive); each value
// must lie in its range (astro/ValueRanges.h), or the command is refused with status 2.
// Each result is one line "name value...".
#include "astro/AutomationDate.h"
#include "astro/RiseTransitSet.h"
#include "astro/SkyClock.h"
#include "astro/SkyRotation.h"
#include "astro/SolarSystem.h"
#include "astro/TextFields.h"
#include "astro/ValueRanges.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace astro;

constexpr const char* kUsage =
    "usage: skycalc sky|altaz|rts|moons [--date YYYY-MM-DD] [--time HH:MM] [--zone H]\n"
    "               [--lat DEG] [--lon DEG] [--ra DEG --dec DEG]\n"
    "  sky    Julian day (UT), day number, sidereal angles and every body's position and magnitude\n"
    "  altaz  altitude and azimuth of a catalogue direction (needs --ra, --dec)\n"
    "  rts    rise, transit and set as local clock hours (needs --ra, --dec)\n"
    "  moons  offsets of the moons of Jupiter and Saturn, in planet radii\n"
    "Longitude is east positive; the zone is local time minus UT in hours.\n";

int Fail(const std::string& msg) {
    std::fprintf(stderr, "skycalc: %s\n%s", msg.c_str(), kUsage);
    return 2;
}

bool ParseNumber(const char* s, double& out) {
    const std::optional<double> v = nv::text::ParseWholeNumber(s);
    if (v) out = *v;
    return v.has_value();
}

bool ParseDate(const char* s, LocalClock& c) {
    const std::optional<DateTimeFields> f = ParseDateText(s);
    if (!f) return false;
    c.year = f->year;
    c.month = f->month;
    c.day = f->day;
    return true;
}

bool ParseTime(const char* s, LocalClock& c) {
    const std::optional<DateTimeFields> f = ParseClockText(s);
    if (!f) return false;
    c.hour = f->hour;
    c.minute = f->minute;
    return true;
}

std::string Clock(double hours) {
    int minutes = static_cast<int>(std::lround(hours * 60.0)) % 1440;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", minutes / 60, minutes % 60);
    return buf;
}

const char* const kBodyKeys[kBodyCount] = {"sun",     "moon",   "mercury", "venus",   "mars",
                                           "jupiter", "saturn", "uranus",  "neptune", "pluto"};
const char* const kJupiterKeys[4] = {"io", "europa", "ganymede", "callisto"};
const char* const kSaturnKeys[8] = {"mimas", "enceladus", "tethys",   "dione",
                                    "rhea",  "titan",     "hyperion", "iapetus"};

// Everything the command line says.
struct Request {
    std::string_view command;
    LocalClock clock;
    ObserverPlace place;
    double ra = NAN, dec = NAN;
};

// The computer's local date and time, the defaults of --date and --time.
LocalClock LocalNow() {
    LocalClock clock;
    const std::time_t now = std::time(nullptr);
    if (const std::tm* t = std::localtime(&now))
        clock = {t->tm_year + 1900, t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min};
    return clock;
}

// A number option within its range into `out`; an empty string, or why it is refused.
std::string RangedNumber(const char* val, const ValueRange& range, double& out) {
    double v = 0;
    if (!ParseNumber(val, v))
        return std::string("bad ") + range.what + " (a number, " + RangeText(range) + ")";
    if (std::string why = RangeProblem(range, v); !why.empty()) return why;
    out = v;
    return "";
}

// One option and its value into the request; an empty string, or why the value is refused.
std::string ApplyOption(std::string_view opt, const char* val, Request& r) {
    if (opt == "--date") {
        if (ParseDate(val, r.clock)) return "";
        return "bad date (want YYYY-MM-DD, years " + std::to_string(kFirstYear) + " to " +
               std::to_string(kLastYear) + ")";
    }
    if (opt == "--time") return ParseTime(val, r.clock) ? "" : "bad time (want HH:MM, 00:00 to 23:59)";
    if (opt == "--zone") {
        double zone = r.place.gmtOffset;
        std::string why = RangedNumber(val, kZoneRange, zone);
        r.place.gmtOffset = static_cast<float>(zone);
        return why;
    }
    if (opt == "--lat") return RangedNumber(val, kLatitudeRange, r.place.latitude);
    if (opt == "--lon") return RangedNumber(val, kLongitudeRange, r.place.longitude);
    if (opt == "--ra") return RangedNumber(val, kRightAscensionRange, r.ra);
    if (opt == "--dec") return RangedNumber(val, kDeclinationRange, r.dec);
    return "unknown option " + std::string(opt);
}

// Reads the options after the command; an empty string, or why they are refused.
std::string ParseOptions(int argc, char** argv, Request& r) {
    r.clock = LocalNow();
    for (int k = 2; k < argc; k += 2) {
        const std::string_view opt = argv[k];
        if (k + 1 >= argc) return "missing value for " + std::string(opt);
        if (std::string why = ApplyOption(opt, argv[k + 1], r); !why.empty()) return why;
    }
    if ((r.command == "altaz" || r.command == "rts") && (std::isnan(r.ra) || std::isnan(r.dec)))
        return "this command needs --ra and --dec";
    return "";
}

void PrintSky(const Request& r) {
    SkyClock sky;
    const float angle = UpdateSiderealAngle(r.clock, r.place.gmtOffset, sky);
    const float lsr = LocalSiderealRotation(angle, r.place.longitude);
    std::printf("jd %.6f\n", UtJulianDay(r.clock, r.place.gmtOffset));
    std::printf("daynumber %.6f\n", DayNumber(r.clock, r.place.gmtOffset));
    std::printf("siderealangle %.6f\n", angle);
    std::printf("localsiderealrotation %.6f\n", lsr);
    std::printf("lmst %.6f\n", LocalMeanSiderealTime(r.clock, r.place));
    CSolarSystem ss;
    ss.UpdateSolarSystem(r.clock.year, r.clock.month, r.clock.day, r.clock.hour, r.clock.minute,
                         r.place.gmtOffset);
    for (int b = 0; b < kBodyCount; ++b) {
        const BodyPosition& p = ss.Body(b);
        double lon, lat, a, d, alt, az;
        EclipticLonLat(p, lon, lat);
        const Vec3 equ = EclipticToEquatorial({p.x, p.y, p.z});
        RaDecFromVector(equ, a, d);
        AltAzFromHorizon(EquatorialToHorizon(equ, r.place.latitude, lsr), alt, az);
        std::printf("%s %.9f %.9f %.9f %.6f %.6f %.6f %.6f %.6f %.6f %.2f\n", kBodyKeys[b], p.x, p.y, p.z,
                    lon, lat, Reduce360(a), d, alt, az, p.magnitude);
    }
}

void PrintAltAz(const Request& r) {
    double alt, az;
    CatalogueAltAz(r.ra, r.dec, r.clock, r.place, alt, az);
    std::printf("altitude %.6f\nazimuth %.6f\n", alt, az);
}

void PrintRiseTransitSet(const Request& r) {
    const RiseTransitSetTimes t = RiseTransitSet(r.ra, r.dec, r.clock, r.place);
    const char* never = t.state == RtsState::NeverRises  ? "never-rises"
                        : t.state == RtsState::NeverSets ? "never-sets"
                                                         : nullptr;
    if (never) {
        std::printf("rise %s\n", never);
        std::printf("transit %.6f %s\n", t.transit, Clock(t.transit).c_str());
        std::printf("set %s\n", never);
    } else {
        std::printf("rise %.6f %s\n", t.rise, Clock(t.rise).c_str());
        std::printf("transit %.6f %s\n", t.transit, Clock(t.transit).c_str());
        std::printf("set %.6f %s\n", t.set, Clock(t.set).c_str());
    }
}

void PrintMoons(const Request& r) {
    CSolarSystem ss;
    ss.UpdateSolarSystem(r.clock.year, r.clock.month, r.clock.day, r.clock.hour, r.clock.minute,
                         r.place.gmtOffset);
    for (int k = 0; k < 4; ++k)
        std::printf("%s %.4f %.4f\n", kJupiterKeys[k], ss.m_jupiterMoons[k].X * 1000.0,
                    ss.m_jupiterMoons[k].Y * 1000.0);
    for (int k = 0; k < 8; ++k)
        std::printf("%s %.4f %.4f %.4f\n", kSaturnKeys[k], ss.m_saturnMoons[k].X * 1000.0,
                    ss.m_saturnMoons[k].Y * 1000.0, ss.m_saturnMoons[k].Z * 1000.0);
}

struct Printer {
    std::string_view command;
    void (*print)(const Request&);
};
constexpr Printer kPrinters[] = {
    {"sky", PrintSky}, {"altaz", PrintAltAz}, {"rts", PrintRiseTransitSet}, {"moons", PrintMoons}};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("no command");
    const std::string_view cmd = argv[1];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    for (const Printer& printer : kPrinters) {
        if (printer.command != cmd) continue;
        Request request;
        request.command = cmd;
        if (const std::string why = ParseOptions(argc, argv, request); !why.empty()) return Fail(why);
        printer.print(request);
        return 0;
    }
    return Fail("unknown command");
}
