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

// A table of tests/<folder>/fixtures/.
inline Table LoadFixture(const std::string& name, const std::string& folder = "astro") {
    Table t;
    std::ifstream in(std::string(NV_SOURCE_DIR) + "/tests/" + folder + "/fixtures/" + name);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cells;
        std::stringstream ss(line);
        for (std::string cell; std::getline(ss, cell, ',');) cells.push_back(cell);
        if (t.column.empty())
            for (size_t k = 0; k < cells.size(); ++k) t.column[cells[k]] = static_cast<int>(k);
        else
            t.rows.push_back(std::move(cells));
    }
    return t;
}

} // namespace astrotest
