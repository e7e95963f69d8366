// The simple case mapping of the bicameral scripts of the Basic Multilingual
// Plane, as ranges of upper-case units and how each maps to lower case.
#include "foundation/case_table.h"

namespace zv::foundation
{
namespace
{

// How a range of upper-case units maps to lower case: every unit by a fixed
// delta, or alternating pairs where the even (or odd) unit is upper case and
// the next one its lower case.
enum class range_kind { shift, even_pairs, odd_pairs };

struct case_range {
    char16_t first;
    char16_t last;
    range_kind kind;
    int delta; // for shift ranges
};

constexpr case_range lower_ranges[] = {
    {0x0041, 0x005A, range_kind::shift, 32},     {0x00C0, 0x00D6, range_kind::shift, 32},
    {0x00D8, 0x00DE, range_kind::shift, 32},     {0x0100, 0x012F, range_kind::even_pairs, 0},
    {0x0130, 0x0130, range_kind::shift, -199},   {0x0132, 0x0137, range_kind::even_pairs, 0},
    {0x0139, 0x0148, range_kind::odd_pairs, 0},  {0x014A, 0x0177, range_kind::even_pairs, 0},
    {0x0178, 0x0178, range_kind::shift, -121},   {0x0179, 0x017E, range_kind::odd_pairs, 0},
    {0x0181, 0x0181, range_kind::shift, 210},    {0x0182, 0x0185, range_kind::even_pairs, 0},
    {0x0186, 0x0186, range_kind::shift, 206},    {0x0187, 0x0187, range_kind::shift, 1},
    {0x0189, 0x018A, range_kind::shift, 205},    {0x018B, 0x018B, range_kind::shift, 1},
    {0x018E, 0x018E, range_kind::shift, 79},     {0x018F, 0x018F, range_kind::shift, 202},
    {0x0190, 0x0190, range_kind::shift, 203},    {0x0191, 0x0191, range_kind::shift, 1},
    {0x0193, 0x0193, range_kind::shift, 205},    {0x0194, 0x0194, range_kind::shift, 207},
    {0x0196, 0x0196, range_kind::shift, 211},    {0x0197, 0x0197, range_kind::shift, 209},
    {0x0198, 0x0198, range_kind::shift, 1},      {0x019C, 0x019C, range_kind::shift, 211},
    {0x019D, 0x019D, range_kind::shift, 213},    {0x019F, 0x019F, range_kind::shift, 214},
    {0x01A0, 0x01A5, range_kind::even_pairs, 0}, {0x01A7, 0x01A7, range_kind::shift, 1},
    {0x01A9, 0x01A9, range_kind::shift, 218},    {0x01AC, 0x01AC, range_kind::shift, 1},
    {0x01AE, 0x01AE, range_kind::shift, 218},    {0x01AF, 0x01AF, range_kind::shift, 1},
    {0x01B1, 0x01B2, range_kind::shift, 217},    {0x01B3, 0x01B6, range_kind::odd_pairs, 0},
    {0x01B7, 0x01B7, range_kind::shift, 219},    {0x01B8, 0x01B8, range_kind::shift, 1},
    {0x01BC, 0x01BC, range_kind::shift, 1},      {0x01C4, 0x01C4, range_kind::shift, 2},
    {0x01C5, 0x01C5, range_kind::shift, 1},      {0x01C7, 0x01C7, range_kind::shift, 2},
    {0x01C8, 0x01C8, range_kind::shift, 1},      {0x01CA, 0x01CA, range_kind::shift, 2},
    {0x01CB, 0x01DC, range_kind::odd_pairs, 0},  {0x01DE, 0x01EF, range_kind::even_pairs, 0},
    {0x01F1, 0x01F1, range_kind::shift, 2},      {0x01F2, 0x01F5, range_kind::even_pairs, 0},
    {0x01F8, 0x021F, range_kind::even_pairs, 0}, {0x0222, 0x0233, range_kind::even_pairs, 0},
    {0x0246, 0x024F, range_kind::even_pairs, 0}, {0x0386, 0x0386, range_kind::shift, 38},
    {0x0388, 0x038A, range_kind::shift, 37},     {0x038C, 0x038C, range_kind::shift, 64},
    {0x038E, 0x038F, range_kind::shift, 63},     {0x0391, 0x03A1, range_kind::shift, 32},
    {0x03A3, 0x03AB, range_kind::shift, 32},     {0x03D8, 0x03EF, range_kind::even_pairs, 0},
    {0x0400, 0x040F, range_kind::shift, 80},     {0x0410, 0x042F, range_kind::shift, 32},
    {0x0460, 0x0481, range_kind::even_pairs, 0}, {0x048A, 0x04BF, range_kind::even_pairs, 0},
    {0x04C0, 0x04C0, range_kind::shift, 15},     {0x04C1, 0x04CE, range_kind::odd_pairs, 0},
    {0x04D0, 0x052F, range_kind::even_pairs, 0}, {0x0531, 0x0556, range_kind::shift, 48},
    {0x10A0, 0x10C5, range_kind::shift, 7264},   {0x1E00, 0x1E95, range_kind::even_pairs, 0},
    {0x1EA0, 0x1EFF, range_kind::even_pairs, 0}, {0x1F08, 0x1F0F, range_kind::shift, -8},
    {0x1F18, 0x1F1D, range_kind::shift, -8},     {0x1F28, 0x1F2F, range_kind::shift, -8},
    {0x1F38, 0x1F3F, range_kind::shift, -8},     {0x1F48, 0x1F4D, range_kind::shift, -8},
    {0x1F68, 0x1F6F, range_kind::shift, -8},     {0x2160, 0x216F, range_kind::shift, 16},
    {0x24B6, 0x24CF, range_kind::shift, 26},     {0x2C00, 0x2C2E, range_kind::shift, 48},
    {0x2C80, 0x2CE3, range_kind::even_pairs, 0}, {0xA640, 0xA66D, range_kind::even_pairs, 0},
    {0xA680, 0xA69B, range_kind::even_pairs, 0}, {0xA722, 0xA72F, range_kind::even_pairs, 0},
    {0xA732, 0xA76F, range_kind::even_pairs, 0}, {0xFF21, 0xFF3A, range_kind::shift, 32},
};

} // namespace

char16_t lower_of(char16_t unit) noexcept
{
    for (const auto& range : lower_ranges) {
        if (unit < range.first || unit > range.last)
            continue;
        switch (range.kind) {
        case range_kind::shift:
            return static_cast<char16_t>(unit + range.delta);
        case range_kind::even_pairs:
            return (unit % 2 == 0) ? static_cast<char16_t>(unit + 1) : unit;
        case range_kind::odd_pairs:
            return (unit % 2 == 1) ? static_cast<char16_t>(unit + 1) : unit;
        }
    }
    return unit;
}

} // namespace zv::foundation
