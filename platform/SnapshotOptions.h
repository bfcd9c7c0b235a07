// The command line of a program that can draw one frame off-screen instead of opening its window:
// `--snapshot FILE [--size WxH] [--date YYYY-MM-DD] [--time HH:MM]` and the program's own numeric
// options, each with its range check.
#pragma once

#include "astro/ValueRanges.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

enum class LaunchMode { Window, Snapshot, BadArguments };

struct SnapshotArguments {
    QString file;
    int width = 1280;
    int height = 800;
    std::optional<QDate> date; // years 100 to 9999, like the pickers
    std::optional<QTime> time; // hours and minutes
};

// A numeric option of one program: its name ("--zoom"), where its value goes, and a check that
// returns why a finite value is refused (an empty text accepts it; no check accepts any).
struct NumberOption {
    QString name;
    std::optional<double>* value = nullptr;
    std::function<QString(double)> check = {};
};

// A numeric option kept to one of the shared ranges; a refusal names the option ("--lat: ...").
NumberOption RangedOption(const char* name, std::optional<double>* value, const astro::ValueRange& range);

// Reads the arguments after the program name. Options without --snapshot are refused; for
// BadArguments *error (when given) says why.
LaunchMode ParseSnapshotArguments(const QStringList& arguments, const std::vector<NumberOption>& numbers,
                                  SnapshotArguments& out, QString* error);

} // namespace platform
