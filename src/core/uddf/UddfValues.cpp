#include "uddf/UddfValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace uddf {

std::string FormatNumber(double value, int decimals) {
    if (!std::isfinite(value))
        return {};
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc())
        return {};
    std::string text(buf, res.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    // A small negative value rounds to "-0"; the sign means nothing there.
    if (text == "-0")
        text = "0";
    return text;
}

std::string FormatDateTime(const CDateTime& dt) {
    if (!dt.IsValid())
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", dt.Year(), dt.Month(), dt.Day(),
                  dt.Hour(), dt.Minute(), dt.Second());
    return buf;
}

std::optional<double> ParseVisibilityMetres(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::string number;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            number.push_back(c);
        else if ((c == '.' || c == ',') && number.find('.') == std::string::npos)
            number.push_back('.');
        else
            break;
    }
    if (number.empty() || number == ".")
        return std::nullopt;
    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec != std::errc())
        return std::nullopt;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const std::string_view unit = text.substr(i);
    const bool feet = unit.rfind("ft", 0) == 0 || unit.rfind("feet", 0) == 0 ||
                      unit.rfind("foot", 0) == 0 || unit.rfind("'", 0) == 0;
    return feet ? value * kMetresPerFoot : value;
}

std::optional<long long> ParseDiveTimeText(std::string_view text) {
    int h = 0, m = 0, s = 0;
    const std::string t(text);
    char tail[16] = {};
    if (std::sscanf(t.c_str(), "%d:%d:%d %15s", &h, &m, &s, tail) == 4 &&
        std::string_view(tail) == "hh:mm:ss")
        return h * 3600LL + m * 60LL + s;
    if (std::sscanf(t.c_str(), "%d:%d %15s", &m, &s, tail) == 3 &&
        std::string_view(tail) == "mm:ss")
        return m * 60LL + s;
    return std::nullopt;
}

} // namespace uddf
