#include "planetarium/catalog/StarCatalog.h"

#include "planetarium/catalog/tables/MessierTable.h"
#include "platform/FileText.h"
#include "astro/TextFields.h"

#include <cmath>
#include <exception>
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

} // namespace

StarLoadReport ParseStarCatalogue(std::string_view text, std::array<StarRecord, kStarSlots>& stars,
                                  const LoadProgressFn& progress) {
    StarLoadReport report;
    report.ok = true;
    text::LineReader reader(text);
    float heldClass = 0.0f;     // class of the line before (0 before the first line)
    float heldMagnitude = 0.0f; // magnitude of the line before, offset included
    int lastProgress = -1;
    std::string_view fields[kFieldsNeeded];

    for (int i = 0; i < kCatalogueLines; ++i) {
        const std::string_view line = reader.next();
        if (!line.empty() && CutFields(line, fields)) {
            int number = text::ToInt(fields[0]);
            if (number >= 0) {
                if (number > kHighestHipNumber) number = kHighestHipNumber;
                const int cls = fields[7].empty() ? -1 : SpectralClassOf(fields[7].front());
                if (cls >= 0) heldClass = static_cast<float>(cls);
                if (!fields[6].empty()) heldMagnitude = text::ToFloat(text::ToDouble(fields[6]));
                heldMagnitude += kMagnitudeOffset;
                StarRecord& star = stars[static_cast<std::size_t>(number)];
                star.x = text::ToFloat(text::ToDouble(fields[1]));
                star.y = text::ToFloat(text::ToDouble(fields[2]));
                star.z = text::ToFloat(text::ToDouble(fields[3]));
                star.spectralClass = heldClass;
                star.magnitude = heldMagnitude;
                ++report.linesStored;
            } else {
                ++report.linesSkipped;
            }
        } else {
            ++report.linesSkipped;
        }
        const int value = i / 10;
        if (value != lastProgress) {
            lastProgress = value;
            if (progress) progress(value);
        }
    }
    return report;
}

StarLoadReport LoadStarData(SkyCatalog& catalog, const std::filesystem::path& file,
                            const LoadProgressFn& progress) {
    StarLoadReport report;
    std::optional<std::string> bytes;
    try {
        bytes = ReadWholeFile(file);
    } catch (const std::exception&) { // a file too large to hold in memory
        bytes.reset();
    }
    if (bytes) {
        report = ParseStarCatalogue(*bytes, catalog.m_stars, progress);
    } else {
        report.ok = false;
        report.message = "The star catalogue \"" + file.string() +
                         "\" could not be read. The sky will be shown without stars.";
        if (progress) progress(kLoadProgressEnd);
    }
    FillMessierTable(catalog.m_messierCentre, catalog.m_messierCorners);
    return report;
}

} // namespace nv
