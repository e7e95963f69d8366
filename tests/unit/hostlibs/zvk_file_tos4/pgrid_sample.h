// The sample .pgrid of the tests: three objects with one property of every
// stored type, captions in Cyrillic, the middle object no-data everywhere.
#pragma once

#include "pgrid_format.h"

#include <cmath>
#include <vector>

namespace zv::test
{

inline zvk_file_tos4::header sample_header()
{
    using zvk_file_tos4::stored_type;
    return {3,
            {{"poro", "Пористость", stored_type::f32, NAN},
             {"depth", "Глубина, м", stored_type::f64, -9999.0},
             {"facies", "Фация", stored_type::i32, -2147483648.0},
             {"zone", "", stored_type::i16, -32768.0},
             {"flag", "Признак", stored_type::u8, 255.0}}};
}

inline std::vector<std::vector<double>> sample_columns()
{
    return {{0.125, NAN, 0.30000001192092896},
            {1234.5678, -9999.0, -0.001},
            {7, -2147483648.0, -2147483647},
            {-32767, -32768.0, 32767},
            {0, 255.0, 254}};
}

} // namespace zv::test
