// The workbook's shared-string table: every distinct cell text once, with
// indices handed out in order of first use.
//
// It is the one structure of an export that grows with the data, so it is
// kept compact: the texts live as UTF-8 bytes in a few large arena blocks
// (each prefixed by its length), an index maps to its arena position, and an
// open-addressing hash table of (index, hash tag) pairs finds a text again.
// Adding a text allocates nothing except when a block or a table fills up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace SimpleXlsx
{

class SharedStringTable
{
  public:
    SharedStringTable() = default;
    SharedStringTable(const SharedStringTable&) = delete;
    SharedStringTable& operator=(const SharedStringTable&) = delete;

    // Index of the UTF-8 text, adding it with the next free index when new.
    std::uint64_t IndexOf(std::string_view utf8);
    // Index of the text, or -1 (all bits set) when it is not in the table.
    std::uint64_t Find(std::string_view utf8) const;

    std::uint64_t Count() const { return locations_.size(); }
    bool Empty() const { return locations_.empty(); }
    // The text with the given index (index < Count()).
    std::string_view At(std::uint64_t index) const;

    static constexpr std::uint64_t kNotFound = ~std::uint64_t{0};

  private:
    struct Slot {
        std::uint32_t index_plus_one = 0; // 0 marks a free slot
        std::uint32_t tag = 0;            // high bits of the hash, to skip most compares
    };

    static std::uint64_t Hash(std::string_view bytes);
    std::size_t Probe(std::string_view utf8, std::uint64_t hash) const;
    std::uint64_t Store(std::string_view utf8);
    void Grow();

    static constexpr std::size_t kBlockBytes = 1u << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t block_used_ = 0;
    std::size_t block_size_ = 0;
    std::vector<std::uint64_t> locations_; // (block << 32) | offset, per index
    std::vector<Slot> slots_;
};

} // namespace SimpleXlsx
