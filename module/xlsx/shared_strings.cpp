#include "xlsx/shared_strings.h"

#include <cstring>

namespace SimpleXlsx
{
namespace
{

constexpr std::size_t kMaxLengthPrefix = 10;

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
    int shift = 0;
    for (;;) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= std::uint64_t(byte & 0x7F) << shift;
        if (byte < 0x80)
            return length;
        shift += 7;
    }
}

std::uint64_t Mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
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

std::string_view SharedStringTable::At(std::uint64_t index) const
{
    const std::uint64_t where = locations_[index];
    const char* p = blocks_[where >> 32].get() + (where & 0xFFFFFFFFu);
    const std::uint64_t length = GetLength(p);
    return {p, static_cast<std::size_t>(length)};
}

// Position of the slot holding the text, or of the free slot where it belongs.
std::size_t SharedStringTable::Probe(std::string_view utf8, std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.index_plus_one == 0)
            return i;
        if (slot.tag == tag && At(slot.index_plus_one - 1) == utf8)
            return i;
    }
}

std::uint64_t SharedStringTable::Find(std::string_view utf8) const
{
    if (slots_.empty())
        return kNotFound;
    const Slot& slot = slots_[Probe(utf8, Hash(utf8))];
    return slot.index_plus_one == 0 ? kNotFound : slot.index_plus_one - 1;
}

std::uint64_t SharedStringTable::IndexOf(std::string_view utf8)
{
    // Keep the load at most one half, so probe runs stay short.
    if ((locations_.size() + 1) * 2 > slots_.size())
        Grow();
    const std::uint64_t hash = Hash(utf8);
    Slot& slot = slots_[Probe(utf8, hash)];
    if (slot.index_plus_one != 0)
        return slot.index_plus_one - 1;
    const std::uint64_t index = Store(utf8);
    slot.index_plus_one = static_cast<std::uint32_t>(index + 1);
    slot.tag = static_cast<std::uint32_t>(hash >> 32);
    return index;
}

// Copies the text into the arena and records where it went.
std::uint64_t SharedStringTable::Store(std::string_view utf8)
{
    const std::size_t need = utf8.size() + kMaxLengthPrefix;
    if (need > block_size_ - block_used_) {
        block_size_ = need > kBlockBytes ? need : kBlockBytes;
        blocks_.push_back(std::make_unique<char[]>(block_size_));
        block_used_ = 0;
    }
    char* at = blocks_.back().get() + block_used_;
    const std::uint64_t where = (std::uint64_t(blocks_.size() - 1) << 32) | block_used_;
    const std::size_t prefix = PutLength(at, utf8.size());
    utf8.copy(at + prefix, utf8.size());
    block_used_ += prefix + utf8.size();
    locations_.push_back(where);
    return locations_.size() - 1;
}

void SharedStringTable::Grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.index_plus_one == 0)
            continue;
        std::size_t i = Hash(At(slot.index_plus_one - 1)) & mask;
        while (slots_[i].index_plus_one != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

} // namespace SimpleXlsx
