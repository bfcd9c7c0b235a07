#include "platform/SnapshotOptions.h"

#include "astro/TextFields.h"
#include "platform/QtPickers.h"

#include <cmath>

namespace platform {

namespace {

std::optional<double> ParseNumber(const QString& text) {
    return nv::text::ParseWholeNumber(text.toStdString());
}

// The value of one of the common options; an empty text when it is accepted.
QString ReadCommonOption(const QString& name, const QString& value, SnapshotArguments& o) {
    if (name == QStringLiteral("--snapshot")) {
        if (value.isEmpty()) return QStringLiteral("--snapshot needs a file name");
        o.file = value;
    } else if (name == QStringLiteral("--size")) {
        const QStringList parts = value.toLower().split(QLatin1Char('x'));
        bool okW = false, okH = false;
        const int w = parts.size() == 2 ? parts[0].toInt(&okW) : 0;
        const int h = parts.size() == 2 ? parts[1].toInt(&okH) : 0;
        if (!okW || !okH || w < 1 || h < 1 || w > 8192 || h > 8192)
            return QStringLiteral("--size wants WxH, each 1 to 8192: %1").arg(value);
        o.width = w;
        o.height = h;
    } else if (name == QStringLiteral("--date")) {
        const QDate d = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid() || d < PickerMinimumDate() || d > PickerMaximumDate())
            return QStringLiteral("--date wants YYYY-MM-DD, years 0100 to 9999: %1").arg(value);
        o.date = d;
    } else if (name == QStringLiteral("--time")) {
        const QTime t = QTime::fromString(value, QStringLiteral("HH:mm"));
        if (!t.isValid()) return QStringLiteral("--time wants HH:MM: %1").arg(value);
        o.time = t;
    }
    return {};
}

bool IsCommonOption(const QString& name) {
    return name == QStringLiteral("--snapshot") || name == QStringLiteral("--size") ||
           name == QStringLiteral("--date") || name == QStringLiteral("--time");
}

} // namespace

NumberOption RangedOption(const char* name, std::optional<double>* value, const astro::ValueRange& range) {
    return {QLatin1String(name), value, [name, &range](double v) {
                const std::string why = astro::RangeProblem(range, v);
                return why.empty()
                           ? QString()
                           : QStringLiteral("%1: %2").arg(QLatin1String(name), QString::fromStdString(why));
            }};
}

LaunchMode ParseSnapshotArguments(const QStringList& args, const std::vector<NumberOption>& numbers,
                                  SnapshotArguments& o, QString* error) {
    auto fail = [error](const QString& why) {
        if (error != nullptr) *error = why;
        return LaunchMode::BadArguments;
    };
    if (args.isEmpty()) return LaunchMode::Window;
    bool snapshot = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (!name.startsWith(QStringLiteral("--")))
            return fail(QStringLiteral("unexpected argument: %1").arg(name));
        if (i + 1 >= args.size()) return fail(QStringLiteral("%1 needs a value").arg(name));
        const QString value = args[++i];
        if (IsCommonOption(name)) {
            if (const QString why = ReadCommonOption(name, value, o); !why.isEmpty()) return fail(why);
            snapshot = snapshot || name == QStringLiteral("--snapshot");
            continue;
        }
        const NumberOption* option = nullptr;
        for (const NumberOption& n : numbers)
            if (n.name == name) option = &n;
        if (option == nullptr) return fail(QStringLiteral("unknown option: %1").arg(name));
        const std::optional<double> v = ParseNumber(value);
        if (!v) return fail(QStringLiteral("%1 wants a number: %2").arg(name, value));
        if (option->check) {
            if (const QString why = option->check(*v); !why.isEmpty()) return fail(why);
        }
        if (option->value != nullptr) *option->value = v;
    }
    if (!snapshot) return fail(QStringLiteral("options are only for --snapshot FILE.bmp"));
    return LaunchMode::Snapshot;
}

} // namespace platform
