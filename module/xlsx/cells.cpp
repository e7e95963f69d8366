#include "xlsx/cells.h"

#include "platform/environment.h"

namespace zv::xlsx
{
namespace
{

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

std::size_t ColumnLetters(std::uint32_t column, char* out)
{
    char reversed[8];
    std::size_t n = 0;
    reversed[n++] = static_cast<char>('A' + column % 26);
    for (std::uint32_t q = column / 26; q != 0; q = (q - 1) / 26)
        reversed[n++] = static_cast<char>('A' + (q - 1) % 26);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = reversed[n - 1 - i];
    return n;
}

std::string ColumnName(std::uint32_t column)
{
    char letters[8];
    return std::string(letters, ColumnLetters(column, letters));
}

std::string CellReference(std::uint32_t row, std::uint32_t column)
{
    return ColumnName(column) + std::to_string(row);
}

double SerialDayNumber(std::time_t t)
{
    const zv::platform::civil_time local = zv::platform::to_local_time(static_cast<std::int64_t>(t));
    const std::int64_t days = DaysFromCivil(local.year, local.month, local.day) - DaysFromCivil(1900, 1, 1);
    const std::int64_t seconds = days * 86400 + local.hour * 3600 + local.minute * 60 + local.second;
    return static_cast<double>(seconds) / 86400.0 + 2.0;
}

} // namespace zv::xlsx
