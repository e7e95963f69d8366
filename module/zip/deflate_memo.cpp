#include "zip/deflate_memo.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zv::zip
{
namespace
{

// A cheap first test before the full comparison, eight bytes a step.
std::uint64_t digest_of(std::span<const std::uint8_t> bytes) noexcept
{
    std::uint64_t h = bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        h = (h ^ word) * 0x9E3779B97F4A7C15ULL;
        h ^= h >> 29;
    }
    for (; i < bytes.size(); ++i) {
        h = (h ^ bytes[i]) * 0x100000001B3ULL;
    }
    return h;
}

} // namespace

std::span<const std::uint8_t> DeflateMemo::find(int level, std::span<const std::uint8_t> input) noexcept
{
    if (input.size() > max_input_bytes) {
        return {};
    }
    const std::uint64_t digest = digest_of(input);
    for (entry& e : entries_) {
        if (!e.stream.empty() && e.level == level && e.digest == digest &&
            std::ranges::equal(e.input, input)) {
            e.last_use = ++uses_;
            return e.stream;
        }
    }
    return {};
}

void DeflateMemo::keep(int level, std::span<const std::uint8_t> input,
                       std::span<const std::uint8_t> stream) noexcept
{
    if (input.size() > max_input_bytes || stream.empty()) {
        return;
    }
    entry& e = *std::ranges::min_element(entries_, {}, &entry::last_use);
    e.last_use = ++uses_;
    try {
        e.input.assign(input.begin(), input.end());
        e.stream.assign(stream.begin(), stream.end());
        e.level = level;
        e.digest = digest_of(input);
    } catch (const std::bad_alloc&) {
        e.stream.clear(); // an entry without a stream is never found
    }
}

} // namespace zv::zip
