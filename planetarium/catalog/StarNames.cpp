#include "planetarium/catalog/StarNames.h"

#include "astro/TextFields.h"
#include "platform/FileText.h"

namespace nv {

StarNamesReport ParseStarNames(std::string_view text, std::array<std::string, kStarSlots>& names) {
    StarNamesReport report;
    report.ok = true;
    text::LineReader reader(text);
    for (int i = 0; i < kStarNameLines; ++i) {
        const std::string_view line = reader.next();
        if (line.empty()) continue;
        const std::size_t tab = line.find('\t');
        const std::string_view name =
            tab == std::string_view::npos ? std::string_view{} : line.substr(0, tab);
        const std::string_view numberText = tab == std::string_view::npos ? line : line.substr(tab + 1);
        const int number = text::ToInt(numberText);
        if (number < 0 || number >= kStarSlots) {
            ++report.linesIgnored;
            continue;
        }
        names[static_cast<std::size_t>(number)].assign(name);
        ++report.namesStored;
    }
    return report;
}

StarNamesReport ReadStarNames(const std::filesystem::path& file, SkyCatalog& catalog) {
    std::string why;
    const std::optional<std::string> bytes = ReadWholeFile(file, kSmallFileLimit, &why);
    if (!bytes) {
        StarNamesReport report;
        report.message =
            "The star names file could not be read: " + why + ". Stars will be shown without names.";
        return report;
    }
    return ParseStarNames(*bytes, catalog.m_starNames);
}

} // namespace nv
