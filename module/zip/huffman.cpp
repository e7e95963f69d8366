#include "zip/huffman.h"

#include "zip/deflate_constants.h"

#include <algorithm>

namespace zv::zip
{
namespace
{

constexpr unsigned max_syms = deflate_num_fixed_litlen_syms;

// Optimal code lengths of frequencies sorted ascending, in place (the
// in-place minimum-redundancy method of Moffat and Katajainen): on return a[i]
// is the length of the i-th least frequent symbol. Needs n >= 2.
void minimum_redundancy(std::uint32_t* a, int n)
{
    a[0] += a[1];
    int root = 0;
    int leaf = 2;
    for (int next = 1; next < n - 1; ++next) {
        if (leaf >= n || a[root] < a[leaf]) {
            a[next] = a[root];
            a[root++] = static_cast<std::uint32_t>(next);
        } else {
            a[next] = a[leaf++];
        }
        if (leaf >= n || (root < next && a[root] < a[leaf])) {
            a[next] += a[root];
            a[root++] = static_cast<std::uint32_t>(next);
        } else {
            a[next] += a[leaf++];
        }
    }
    a[n - 2] = 0;
    for (int next = n - 3; next >= 0; --next) {
        a[next] = a[a[next]] + 1;
    }
    int avail = 1;
    int used = 0;
    std::uint32_t depth = 0;
    root = n - 2;
    int next = n - 1;
    while (avail > 0) {
        while (root >= 0 && a[root] == depth) {
            ++used;
            --root;
        }
        while (avail > used) {
            a[next--] = depth;
            --avail;
        }
        avail = 2 * used;
        ++depth;
        used = 0;
    }
}

// Moves lengths above max_len down and repairs the Kraft sum by lengthening
// the deepest shorter code; count[l] is the number of codes of length l.
void limit_lengths(unsigned* count, unsigned longest, unsigned max_len)
{
    for (unsigned l = max_len + 1; l <= longest; ++l) {
        count[max_len] += count[l];
        count[l] = 0;
    }
    std::uint32_t total = 0;
    for (unsigned l = 1; l <= max_len; ++l) {
        total += count[l] << (max_len - l);
    }
    while (total > (1u << max_len)) {
        --count[max_len];
        for (unsigned l = max_len - 1; l > 0; --l) {
            if (count[l] != 0) {
                --count[l];
                count[l + 1] += 2;
                break;
            }
        }
        --total;
    }
}

} // namespace

void build_code_lengths(const std::uint32_t* freqs, unsigned num_syms, unsigned max_len, std::uint8_t* lens)
{
    std::uint32_t keys[max_syms];
    int n = 0;
    for (unsigned s = 0; s < num_syms; ++s) {
        lens[s] = 0;
        if (freqs[s] != 0) {
            keys[n++] = (std::min<std::uint32_t>(freqs[s], 0x7FFFFF) << 9) | s;
        }
    }
    if (n < 2) {
        // One or no symbol: two codes of one bit, the used one and a neighbour.
        const unsigned used = n == 1 ? (keys[0] & 0x1FF) : 0;
        lens[used] = 1;
        lens[used == 0 ? 1 : 0] = 1;
        return;
    }
    std::sort(keys, keys + n);
    std::uint32_t depth[max_syms];
    for (int i = 0; i < n; ++i) {
        depth[i] = keys[i] >> 9;
    }
    minimum_redundancy(depth, n);
    unsigned count[max_syms + 1] = {};
    unsigned longest = 0;
    for (int i = 0; i < n; ++i) {
        ++count[depth[i]];
        longest = std::max<unsigned>(longest, depth[i]);
    }
    limit_lengths(count, longest, max_len);
    // Least frequent symbols take the longest codes.
    int i = 0;
    for (unsigned l = max_len; l > 0; --l) {
        for (unsigned c = count[l]; c > 0; --c) {
            lens[keys[i++] & 0x1FF] = static_cast<std::uint8_t>(l);
        }
    }
}

void build_codewords(const std::uint8_t* lens, unsigned num_syms, std::uint16_t* codewords)
{
    unsigned count[deflate_max_codeword_len + 1] = {};
    for (unsigned s = 0; s < num_syms; ++s) {
        ++count[lens[s]];
    }
    count[0] = 0;
    unsigned next[deflate_max_codeword_len + 2] = {};
    unsigned code = 0;
    for (unsigned l = 1; l <= deflate_max_codeword_len; ++l) {
        code = (code + count[l - 1]) << 1;
        next[l] = code;
    }
    for (unsigned s = 0; s < num_syms; ++s) {
        const unsigned len = lens[s];
        if (len == 0) {
            codewords[s] = 0;
            continue;
        }
        unsigned c = next[len]++;
        unsigned reversed = 0;
        for (unsigned b = 0; b < len; ++b) {
            reversed = (reversed << 1) | (c & 1);
            c >>= 1;
        }
        codewords[s] = static_cast<std::uint16_t>(reversed);
    }
}

} // namespace zv::zip
