// The compressed streams of recent small inputs. An archive of a workbook
// holds the same small parts as the last one (theme, styles, relationships),
// and a compressor's output depends on nothing but the input and the level:
// an input met again is answered with the stream it gave before.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zv::zip
{

class DeflateMemo
{
  public:
    // Inputs up to this size are remembered: every fixed part of a workbook
    // is smaller, and comparing them costs nothing beside compressing.
    static constexpr std::size_t max_input_bytes = 16 * 1024;

    // The stream that input gave at level, or an empty span when it is not
    // remembered (a remembered stream is never empty).
    std::span<const std::uint8_t> find(int level, std::span<const std::uint8_t> input) noexcept;

    // Remembers input's stream at level in place of the entry unused the
    // longest, so that the parts every archive holds stay while the ones
    // that change (a time stamp) come and go; does nothing when memory runs
    // out.
    void keep(int level, std::span<const std::uint8_t> input, std::span<const std::uint8_t> stream) noexcept;

  private:
    struct entry {
        int level = 0;
        std::uint64_t digest = 0;
        std::uint64_t last_use = 0;
        std::vector<std::uint8_t> input;
        std::vector<std::uint8_t> stream;
    };

    static constexpr std::size_t entry_count = 16;
    std::array<entry, entry_count> entries_;
    std::uint64_t uses_ = 0; // stamps of last use
};

} // namespace zv::zip
