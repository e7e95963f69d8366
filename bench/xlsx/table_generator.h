// A seeded, realistic attribute table for the export benchmark: records of
// 28 text fields like a survey's profile table (Cyrillic names, integers,
// decimals, dates, geographic coordinates), some empty, some holding the
// characters that XML must quote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zv::bench
{

inline constexpr std::size_t table_fields = 28;

// One record: the raw (unquoted) UTF-8 texts of its fields.
using record = std::vector<std::string>;

inline constexpr std::uint32_t table_seed = 20240517;

// Hands out the records one by one, so an export can be measured without the
// whole table in memory. The same seed gives the same records.
class table_source
{
  public:
    explicit table_source(std::uint32_t seed = table_seed);
    ~table_source();
    table_source(const table_source&) = delete;
    table_source& operator=(const table_source&) = delete;
    // Fills r with the next record (r's storage is reused).
    void next(record& r);

  private:
    struct state;
    state* state_;
};

// Generates `rows` records from a fixed seed; the same rows give the same table.
std::vector<record> generate_table(std::size_t rows, std::uint32_t seed = table_seed);

// The header row: the field names.
record table_header();

// The text with &, <, > and " replaced by their XML entities.
std::string xml_quote(const std::string& text);

// UTF-16 form of UTF-8 text.
std::u16string utf16_of(const std::string& utf8);

} // namespace zv::bench
