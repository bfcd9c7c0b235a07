// Reads the committed reference tables (CSV with '#' comment lines and one header line).
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace astrotest {

struct Table {
    std::map<std::string, int> column;
    std::vector<std::vector<std::string>> rows;
    double Num(size_t row, const std::string& name) const { return std::stod(rows[row][column.at(name)]); }
    int Int(size_t row, const std::string& name) const { return std::stoi(rows[row][column.at(name)]); }
    const std::string& Str(size_t row, const std::string& name) const { return rows[row][column.at(name)]; }
};

inline std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream ss(line);
    std::string cell;
    while (std::getline(ss, cell, ',')) out.push_back(cell);
    return out;
}

// A table of tests/astro/fixtures, or of another folder of the source tree.
inline Table LoadFixture(const std::string& name, const std::string& folder = "tests/astro/fixtures") {
    Table t;
    std::ifstream in(std::string(NV_SOURCE_DIR) + "/" + folder + "/" + name);
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        auto cells = SplitCsv(line);
        if (header) {
            for (size_t k = 0; k < cells.size(); ++k) t.column[cells[k]] = static_cast<int>(k);
            header = false;
        } else {
            t.rows.push_back(std::move(cells));
        }
    }
    return t;
}

} // namespace astrotest
