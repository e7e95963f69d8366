#include "coord_text.h"

#include <charconv>
#include <cmath>

namespace zv::zvk_proj4_d2
{
namespace
{

std::string fixed(double value, int decimals)
{
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return {};
    }
    std::string text(buffer, result.ptr);
    // "-0.000000000": a value that rounds to zero is zero.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

} // namespace

std::optional<std::string> coord_text(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e20) {
        return std::nullopt;
    }
    for (int decimals = kCoordDecimals; decimals >= 0; --decimals) {
        std::string text = fixed(value, decimals);
        if (!text.empty() && text.size() <= kCoordTextMax) {
            return text;
        }
    }
    return std::nullopt;
}

} // namespace zv::zvk_proj4_d2
