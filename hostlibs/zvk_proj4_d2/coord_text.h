// The text form of a coordinate value.
#pragma once

#include <optional>
#include <string>

namespace zv::zvk_proj4_d2
{

// Longest coordinate text: the width of the tools' coordinate fields.
constexpr std::size_t kCoordTextMax = 20;
// Decimals of a degree value: 1e-9 degree is about 0.1 mm on the ground.
constexpr int kCoordDecimals = 9;

// Fixed-point text with '.' whatever the locale, kCoordDecimals decimals or
// fewer when needed to fit kCoordTextMax characters; a value that rounds to
// zero has no minus sign. nullopt when not finite or too large to fit.
std::optional<std::string> coord_text(double value);

} // namespace zv::zvk_proj4_d2
