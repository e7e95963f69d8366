// The workbook's shared-string table: every distinct cell text once, with
// indices handed out in order of first use.
//
// It is the one structure of an export that grows with the data, so it is
// kept compact: each text is stored once, as UTF-8 bytes, in large arena
// blocks in order of first use (its index, its length, its bytes), and an
// open-addressing hash table of 8-byte slots (arena position and a hash tag)
// finds it again. A lookup touches one slot and one arena entry; adding a
// text allocates nothing except when a block or the slot table fills up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace zv::xlsx
{

class SharedStringTable
{
  public:
    SharedStringTable() = default;
    SharedStringTable(const SharedStringTable&) = delete;
    SharedStringTable& operator=(const SharedStringTable&) = delete;

    // Index of the UTF-8 text, adding it with the next free index when new.
    std::uint64_t IndexOf(std::string_view utf8);
    // IndexOf with the text's Hash already computed: a caller with several
    // texts at hand hashes them all and Prefetches their slots first, so the
    // lookups' cache misses overlap instead of following one another.
    std::uint64_t IndexOf(std::string_view utf8, std::uint64_t hash);
    static std::uint64_t Hash(std::string_view utf8);
    void Prefetch(std::uint64_t hash) const;
    // Index of the text, or kNotFound when it is not in the table.
    std::uint64_t Find(std::string_view utf8) const;

    std::uint64_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    // Calls `visit` with every text in index order.
    void ForEach(const std::function<void(std::string_view)>& visit) const;
    // The text with the given index (index < Count()). Walks the arena: for
    // tests and diagnostics, not for loops.
    std::string_view At(std::uint64_t index) const;

    static constexpr std::uint64_t kNotFound = ~std::uint64_t{0};

  private:
    struct Entry {
        std::uint32_t index;
        std::string_view text;
    };
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t used = 0;
    };

    Entry Decode(std::uint64_t position) const;
    std::size_t Probe(std::string_view utf8, std::uint64_t hash) const;
    std::uint64_t Store(std::string_view utf8);
    template <typename Fn> void Walk(Fn visit) const; // visit(position, entry) for every entry in order
    void Grow();

    std::vector<Block> blocks_;
    std::vector<std::uint64_t> slots_; // 0 = free; else (position + 1) << 24 | tag
    std::uint64_t count_ = 0;
};

} // namespace zv::xlsx
