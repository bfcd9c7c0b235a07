// skycalc refuses what it would otherwise wrap round or print as nonsense with status 0, and
// answers at the edges of each range (the texts' own rules are tested through the command line).
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Result {
    int status;
    QString out, err;
};

Result Skycalc(const QStringList& args) {
    QProcess p;
    p.start(NV_SKYCALC_EXE, args);
    if (!p.waitForFinished(30000)) return {-1, {}, {}};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

// Catches skycalc wrapping a date or clock past 2^32 round to the 2026 sky, printing midnight
// three times for a right ascension of 1e308, or taking an impossible place with status 0, and
// refusing the edges themselves.
TEST(Skycalc, ValuesThatWouldWrapRoundAreRefusedAndTheEdgesAnswered) {
    const QStringList refused[] = {
        {"sky", "--date", "4294969322-01-01"},
        {"sky", "--time", "4294967303:00"},
        {"rts", "--ra", "1e308", "--dec", "10"},
        {"sky", "--date", "0099-12-31"},
        {"sky", "--zone", "1e30"},
        {"altaz", "--ra", "10", "--dec", "nan"},
        {"sky", "--lat", "1000"},
        {"sky", "--lon", "-1e308"},
    };
    for (const QStringList& args : refused) {
        const Result r = Skycalc(args);
        EXPECT_TRUE(r.status == 2 && r.out.isEmpty() && r.err.startsWith("skycalc: "))
            << args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    Result r = Skycalc({"sky", "--date", "0100-01-01", "--time", "00:00", "--zone", "-14", "--lon", "-180"});
    EXPECT_TRUE(r.status == 0 && r.out.startsWith("jd ")) << r.err.toStdString();
    // A direction at the edge of the right ascensions, from the pole: it never sets.
    r = Skycalc(
        {"rts", "--ra", "360", "--dec", "-90", "--lat", "-90", "--date", "9999-12-31", "--time", "23:59"});
    EXPECT_TRUE(r.status == 0 && r.out.startsWith("rise never-sets\ntransit ")) << r.out.toStdString();
}
