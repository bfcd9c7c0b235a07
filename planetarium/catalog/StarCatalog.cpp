#include "planetarium/catalog/StarCatalog.h"

#include "astro/TextFields.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "platform/FileText.h"

#include <cmath>
#include <optional>

namespace nv {

void ApplyStarCorrection(SkyCatalog& catalog) {
    catalog.m_stars[kCorrectedStar].magnitude = kCorrectedMagnitude;
}

int SpectralClassOf(char c) {
    switch (c) {
    case 'O':
        return 0;
    case 'B':
        return 1;
    case 'A':
        return 2;
    case 'F':
        return 3;
    case 'G':
        return 4;
    case 'K':
        return 5;
    case 'M':
        return 6;
    case ' ':
        return 7;
    default:
        return -1;
    }
}

namespace {

constexpr int kFieldsNeeded = 8;

// Cuts the first eight comma-separated fields of a line. False when the line has fewer.
bool CutFields(std::string_view line, std::string_view (&fields)[kFieldsNeeded]) {
    std::size_t start = 0;
    for (int f = 0; f < kFieldsNeeded; ++f) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            if (f != kFieldsNeeded - 1) return false;
            fields[f] = line.substr(start);
            return true;
        }
        fields[f] = line.substr(start, comma - start);
        start = comma + 1;
    }
    return true;
}

// What the lines before left behind: the class of an unknown spectral character and the
// magnitude of an empty field come from them.
struct HeldValues {
    float spectralClass = 0.0f; // 0 before the first line
    float magnitude = 0.0f;     // offset included; 0 before the first line
};

// Stores one line into the table. False (nothing stored, nothing held) for a line with fewer
// than eight fields, a negative number or an implausible magnitude.
bool StoreLine(std::string_view line, std::array<StarRecord, kStarSlots>& stars, HeldValues& held) {
    std::string_view fields[kFieldsNeeded];
    if (line.empty() || !CutFields(line, fields)) return false;
    int number = text::ToInt(fields[0]);
    if (number < 0) return false;
    if (number > kHighestHipNumber) number = kHighestHipNumber;
    const float magnitude =
        (fields[6].empty() ? held.magnitude : text::ToFloat(text::ToDouble(fields[6]))) + kMagnitudeOffset;
    if (!IsPlausibleMagnitude(magnitude)) return false;
    const int cls = fields[7].empty() ? -1 : SpectralClassOf(fields[7].front());
    if (cls >= 0) held.spectralClass = static_cast<float>(cls);
    held.magnitude = magnitude;
    StarRecord& star = stars[static_cast<std::size_t>(number)];
    star.x = text::ToFloat(text::ToDouble(fields[1]));
    star.y = text::ToFloat(text::ToDouble(fields[2]));
    star.z = text::ToFloat(text::ToDouble(fields[3]));
    star.spectralClass = held.spectralClass;
    star.magnitude = magnitude;
    return true;
}

} // namespace

StarLoadReport ParseStarCatalogue(std::string_view text, std::array<StarRecord, kStarSlots>& stars,
                                  const LoadProgressFn& progress) {
    StarLoadReport report;
    text::LineReader reader(text);
    HeldValues held;
    int lastProgress = -1;
    for (int i = 0; i < kCatalogueLines; ++i) {
        if (reader.atEnd()) {
            // Every step left reads an empty line, which is skipped: count them and report the
            // progress values they would have reported, without running them one by one.
            report.linesSkipped += kCatalogueLines - i;
            if (progress)
                for (int value = lastProgress + 1; value <= (kCatalogueLines - 1) / 10; ++value)
                    progress(value);
            break;
        }
        if (StoreLine(reader.next(), stars, held))
            ++report.linesStored;
        else
            ++report.linesSkipped;
        const int value = i / 10;
        if (value != lastProgress) {
            lastProgress = value;
            if (progress) progress(value);
        }
    }
    report.ok = report.linesStored > 0;
    return report;
}

StarLoadReport LoadStarData(SkyCatalog& catalog, const std::filesystem::path& file,
                            const LoadProgressFn& progress) {
    StarLoadReport report;
    std::string why;
    const std::optional<std::string> bytes = ReadWholeFile(file, kCatalogueFileLimit, &why);
    if (bytes) {
        report = ParseStarCatalogue(*bytes, catalog.m_stars, progress);
        if (!report.ok)
            report.message = "The star catalogue \"" + file.string() +
                             "\" holds no stars. The sky will be shown without stars.";
    } else {
        report.message =
            "The star catalogue could not be read: " + why + ". The sky will be shown without stars.";
        if (progress) progress(kLoadProgressEnd);
    }
    FillMessierTable(catalog.m_messierCentre, catalog.m_messierCorners);
    return report;
}

} // namespace nv
