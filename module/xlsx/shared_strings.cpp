#include "xlsx/shared_strings.h"

#include <algorithm>
#include <cstring>

namespace zv::xlsx
{
namespace
{

// A position in the arena is (block << 20) | offset: blocks of up to 1 MiB,
// or larger blocks holding one long text at offset 0. 40 bits of position
// leave 24 bits of the slot for the hash tag. The first block is small and
// each next one twice the last, so a small workbook's table stays small.
constexpr unsigned kOffsetBits = 20;
constexpr std::size_t kBlockBytes = std::size_t{1} << kOffsetBits;
constexpr std::size_t kFirstBlockBytes = 16 * 1024;
constexpr unsigned kTagBits = 24;
constexpr std::uint64_t kTagMask = (std::uint64_t{1} << kTagBits) - 1;
constexpr std::size_t kMaxEntryHead = 4 + 10; // index and length prefix

std::size_t PutLength(char* out, std::uint64_t length)
{
    std::size_t n = 0;
    while (length >= 0x80) {
        out[n++] = static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    out[n++] = static_cast<char>(length);
    return n;
}

std::uint64_t GetLength(const char*& in)
{
    std::uint64_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= std::uint64_t(byte & 0x7F) << shift;
        if (byte < 0x80)
            return length;
    }
}

std::uint64_t Mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

std::uint64_t TagOf(std::uint64_t hash)
{
    return hash >> (64 - kTagBits);
}

} // namespace

// A word-at-a-time multiplicative hash; texts are short, so speed matters
// more than strength.
std::uint64_t SharedStringTable::Hash(std::string_view bytes)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ bytes.size();
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    for (; n >= 8; n -= 8, p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ Mix(word)) * 0x100000001B3ULL;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    return Mix(h ^ Mix(tail ^ (std::uint64_t(n) << 56)));
}

SharedStringTable::Entry SharedStringTable::Decode(std::uint64_t position) const
{
    const char* p = blocks_[position >> kOffsetBits].bytes.get() + (position & (kBlockBytes - 1));
    std::uint32_t index;
    std::memcpy(&index, p, 4);
    p += 4;
    const std::uint64_t length = GetLength(p);
    return {index, std::string_view(p, static_cast<std::size_t>(length))};
}

// Position of the slot holding the text, or of the free slot where it belongs.
std::size_t SharedStringTable::Probe(std::string_view utf8, std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    const std::uint64_t tag = TagOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint64_t slot = slots_[i];
        if (slot == 0)
            return i;
        if ((slot & kTagMask) == tag && Decode((slot >> kTagBits) - 1).text == utf8)
            return i;
    }
}

std::uint64_t SharedStringTable::Find(std::string_view utf8) const
{
    if (slots_.empty())
        return kNotFound;
    const std::uint64_t slot = slots_[Probe(utf8, Hash(utf8))];
    return slot == 0 ? kNotFound : Decode((slot >> kTagBits) - 1).index;
}

void SharedStringTable::Prefetch(std::uint64_t hash) const
{
    if (!slots_.empty())
        __builtin_prefetch(slots_.data() + (hash & (slots_.size() - 1)));
}

std::uint64_t SharedStringTable::IndexOf(std::string_view utf8)
{
    return IndexOf(utf8, Hash(utf8));
}

std::uint64_t SharedStringTable::IndexOf(std::string_view utf8, std::uint64_t hash)
{
    // Keep the load at most one half, so probe runs stay short.
    if ((count_ + 1) * 2 > slots_.size())
        Grow();
    std::uint64_t& slot = slots_[Probe(utf8, hash)];
    if (slot != 0)
        return Decode((slot >> kTagBits) - 1).index;
    slot = ((Store(utf8) + 1) << kTagBits) | TagOf(hash);
    return count_++;
}

// Appends index, length and bytes to the arena; returns the entry's position.
std::uint64_t SharedStringTable::Store(std::string_view utf8)
{
    const std::size_t need = kMaxEntryHead + utf8.size();
    if (blocks_.empty() || need > blocks_.back().size - blocks_.back().used) {
        const std::size_t next =
            blocks_.empty() ? kFirstBlockBytes : std::min(2 * blocks_.back().size, kBlockBytes);
        const std::size_t size = std::max(need, next);
        blocks_.push_back(Block{std::make_unique_for_overwrite<char[]>(size), size, 0});
    }
    // A text longer than a block gets a block of its own, which it fills up
    // to a few bytes, so its offset is 0 and nothing follows it.
    Block& block = blocks_.back();
    char* at = block.bytes.get() + block.used;
    const auto index = static_cast<std::uint32_t>(count_);
    std::memcpy(at, &index, 4);
    const std::size_t head = 4 + PutLength(at + 4, utf8.size());
    utf8.copy(at + head, utf8.size());
    const std::uint64_t position = (std::uint64_t(blocks_.size() - 1) << kOffsetBits) | block.used;
    block.used += head + utf8.size();
    return position;
}

template <typename Fn> void SharedStringTable::Walk(Fn visit) const
{
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const char* base = blocks_[b].bytes.get();
        for (std::size_t offset = 0; offset < blocks_[b].used;) {
            const std::uint64_t position = (std::uint64_t(b) << kOffsetBits) | offset;
            const Entry entry = Decode(position);
            visit(position, entry);
            offset = static_cast<std::size_t>(entry.text.data() + entry.text.size() - base);
        }
    }
}

void SharedStringTable::ForEach(const std::function<void(std::string_view)>& visit) const
{
    Walk([&](std::uint64_t, const Entry& entry) { visit(entry.text); });
}

std::string_view SharedStringTable::At(std::uint64_t index) const
{
    std::uint64_t n = 0;
    std::string_view found;
    ForEach([&](std::string_view text) {
        if (n++ == index)
            found = text;
    });
    return found;
}

// Rebuilds a table twice the size, walking the arena in order so that the
// texts are read sequentially. Slots are written a few entries behind the
// walk, after a prefetch, so the writes' cache misses overlap.
void SharedStringTable::Grow()
{
    slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    constexpr std::size_t kAhead = 8;
    struct Pending {
        std::uint64_t position;
        std::uint64_t hash;
    };
    Pending pending[kAhead] = {};
    std::size_t seen = 0;
    auto place = [&](const Pending& entry) {
        std::size_t i = entry.hash & mask;
        while (slots_[i] != 0)
            i = (i + 1) & mask;
        slots_[i] = ((entry.position + 1) << kTagBits) | TagOf(entry.hash);
    };
    Walk([&](std::uint64_t position, const Entry& entry) {
        Pending& slot = pending[seen % kAhead];
        if (seen >= kAhead)
            place(slot);
        slot = {position, Hash(entry.text)};
        __builtin_prefetch(slots_.data() + (slot.hash & mask));
        ++seen;
    });
    for (std::size_t k = seen > kAhead ? seen - kAhead : 0; k < seen; ++k)
        place(pending[k % kAhead]);
}

} // namespace zv::xlsx
