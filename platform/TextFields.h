// Small text helpers shared by the file readers of both programs: numbers read the way
// the C library's atoi/atof read them (leading white space, a sign, the longest numeric prefix,
// 0 when there is none), without needing a terminating NUL, and text-mode line reading.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace nv::text {

inline bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// atoi over a view; values beyond the int range saturate instead of overflowing.
inline int ToInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > kCap) value = kCap;
    }
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                                    : value);
}

// atof over a view. Infinities, NaN and values beyond the range of double read as 0, so every
// number a reader takes from a file is finite.
inline double ToDouble(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) ++i;
    if (i < s.size() && s[i] == '+') {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) return 0.0;
    }
    // Fast path for plain decimals ("-0.01900549", "8.492"): with at most 15 digits and no
    // exponent, digits / 10^k of two exact doubles is the correctly rounded value, the same
    // as the full conversion below gives.
    {
        static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        std::size_t j = i;
        const bool negative = j < s.size() && s[j] == '-';
        if (negative) ++j;
        std::uint64_t digits = 0;
        int count = 0, decimals = 0;
        for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j, ++count) digits = digits * 10 + (s[j] - '0');
        const int intDigits = count;
        if (j < s.size() && s[j] == '.') {
            for (++j; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j, ++count, ++decimals)
                digits = digits * 10 + (s[j] - '0');
        }
        const bool exponent = j < s.size() && (s[j] == 'e' || s[j] == 'E');
        if (count > 0 && count <= 15 && !exponent && (intDigits > 0 || decimals > 0)) {
            const double v = static_cast<double>(digits) / kPow10[decimals];
            return negative ? -v : v;
        }
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(s.data() + i, s.data() + s.size(), value);
    (void)ptr;
    return ec == std::errc{} && std::isfinite(value) ? value : 0.0;
}

// A double narrowed to float; values beyond the float range are held at its largest finite
// value rather than overflowing.
inline float ToFloat(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) return std::numeric_limits<float>::max();
    if (v < -kMax) return -std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

// Reads lines the way a text-mode file does: each line ends at LF, which is dropped together
// with a CR right before it. Past the end every read gives an empty line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}
    std::string_view next() {
        if (m_pos >= m_text.size()) return {};
        const std::size_t end = m_text.find('\n', m_pos);
        std::string_view line;
        if (end == std::string_view::npos) {
            line = m_text.substr(m_pos);
            m_pos = m_text.size();
        } else {
            line = m_text.substr(m_pos, end - m_pos);
            m_pos = end + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        }
        return line;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace nv::text
