#include "orbitviewer/Wanderocs.h"

#include "astro/TextFields.h"
#include "platform/DataDir.h"
#include "platform/FileText.h"

#include <sstream>
#include <system_error>

namespace tessmoor {

namespace {

// The longest file read: 1500 lines of a few kilobytes each. More is never needed.
constexpr std::size_t kFileLimit = 8u << 20;

// Field n (1-based) of a tab-separated line: from after tab n - 1 up to tab n; empty when tab n
// is missing.
std::string_view Field(std::string_view line, int n) {
    std::size_t start = 0;
    for (int k = 1; k < n; ++k) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) return {};
        start = tab + 1;
    }
    const std::size_t end = line.find('\t', start);
    if (end == std::string_view::npos) return {};
    return line.substr(start, end - start);
}

std::string Describe(const std::vector<std::filesystem::path>& candidates) {
    std::string where;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (k > 0) where += k + 1 == candidates.size() ? " and " : ", ";
        where += candidates[k].parent_path().string();
    }
    return where;
}

std::string UnusableMessage(const std::filesystem::path& file, const std::vector<int>& lines) {
    std::ostringstream out;
    out << file.string() << ": " << (lines.size() == 1 ? "line " : "lines ");
    const std::size_t shown = std::min<std::size_t>(lines.size(), 10);
    for (std::size_t k = 0; k < shown; ++k) out << (k > 0 ? ", " : "") << lines[k];
    if (lines.size() > shown) out << " and " << lines.size() - shown << " more";
    out << (lines.size() == 1 ? " has" : " have")
        << " no usable orbit (the semi-major axis must lie between 0.000001 and 1000000 AU and the"
           " eccentricity from 0 to below 1)"
           " and are left out.";
    return out.str();
}

} // namespace

WanderocRecord ParseWanderocLine(std::string_view line) {
    WanderocRecord r;
    r.name = std::string(Field(line, 1));
    r.a = nv::text::ToDouble(Field(line, 3));
    r.e = nv::text::ToDouble(Field(line, 4));
    r.i = nv::text::ToDouble(Field(line, 5));
    r.peri = nv::text::ToDouble(Field(line, 6));
    r.node = nv::text::ToDouble(Field(line, 7));
    r.M0 = nv::text::ToDouble(Field(line, 8));
    return r;
}

WanderocLoad ParseWanderocText(std::string_view text, WanderocTable& table) {
    WanderocLoad load;
    nv::text::LineReader lines(text);
    for (int k = 0; k < kWanderocCount; ++k) {
        const std::string_view line = lines.next();
        table[k] = ParseWanderocLine(line);
        if (line.find_first_not_of(" \t\r\f\v") == std::string_view::npos) continue; // blank
        ++load.linesWithText;
        if (table[k].HoldsData()) {
            ++load.orbits;
        } else {
            load.unusableLines.push_back(k + 1);
        }
    }
    return load;
}

std::vector<std::filesystem::path> WanderocFileCandidates() {
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    if (error) here = ".";
    return {platform::DataFile(kWanderocFileName), here / kWanderocFileName};
}

WanderocFileResult LoadWanderocs(WanderocTable& table) {
    return LoadWanderocs(table, WanderocFileCandidates());
}

WanderocFileResult LoadWanderocs(WanderocTable& table, const std::vector<std::filesystem::path>& candidates) {
    WanderocFileResult result;
    for (const std::filesystem::path& file : candidates) {
        const std::optional<std::string> text = nv::ReadWholeFile(file, kFileLimit);
        if (!text) continue;
        result.read = true;
        result.file = file;
        result.load = ParseWanderocText(*text, table);
        if (!result.load.unusableLines.empty())
            result.message = UnusableMessage(file, result.load.unusableLines);
        return result;
    }
    table = WanderocTable{};
    result.message = std::string("The asteroid file ") + kWanderocFileName + " could not be read from " +
                     Describe(candidates) + ". Only the Sun, the Earth and the planets are shown.";
    return result;
}

} // namespace tessmoor
