#include "store/Huffman.h"

#include <algorithm>
#include <numeric>
#include <queue>

#include "store/CompressException.h"

namespace zelvora {

std::vector<std::uint8_t> BuildCodeLengths(std::span<const std::uint32_t> freq, int limit) {
  const int n = static_cast<int>(freq.size());
  std::vector<std::uint8_t> lengths(n, 0);
  std::vector<int> used;
  for (int i = 0; i < n; ++i) {
    if (freq[i] != 0) used.push_back(i);
  }
  if (used.empty()) return lengths;
  if (used.size() == 1) {
    lengths[used[0]] = 1;
    return lengths;
  }
  // Plain Huffman tree over the used symbols: nodes 0..m-1 are leaves.
  const int m = static_cast<int>(used.size());
  std::vector<std::uint64_t> weight(2 * m - 1);
  std::vector<int> parent(2 * m - 1, -1);
  using Item = std::pair<std::uint64_t, int>;
  std::priority_queue<Item, std::vector<Item>, std::greater<Item>> heap;
  for (int i = 0; i < m; ++i) {
    weight[i] = freq[used[i]];
    heap.push({weight[i], i});
  }
  for (int next = m; next < 2 * m - 1; ++next) {
    Item a = heap.top();
    heap.pop();
    Item b = heap.top();
    heap.pop();
    weight[next] = a.first + b.first;
    parent[a.second] = parent[b.second] = next;
    heap.push({weight[next], next});
  }
  std::vector<int> depth(2 * m - 1, 0);
  for (int i = 2 * m - 3; i >= 0; --i) depth[i] = depth[parent[i]] + 1;
  int max_depth = 0;
  for (int i = 0; i < m; ++i) max_depth = std::max(max_depth, depth[i]);
  std::vector<int> count(std::max(max_depth, limit) + 1, 0);
  for (int i = 0; i < m; ++i) ++count[depth[i]];
  // Too deep: move leaves up while keeping the code complete (each step
  // takes two leaves from the deepest level, puts one a level up and pairs
  // the other with a leaf from the nearest shallower level).
  for (int i = max_depth; i > limit; --i) {
    while (count[i] > 0) {
      int j = i - 2;
      while (count[j] == 0) --j;
      count[i] -= 2;
      count[i - 1] += 1;
      count[j + 1] += 2;
      count[j] -= 1;
    }
  }
  // The most frequent symbols get the shortest codes.
  std::vector<int> order(m);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return weight[a] > weight[b]; });
  int k = 0;
  for (int l = 1; l <= limit; ++l) {
    for (int c = 0; c < count[l]; ++c) lengths[used[order[k++]]] = static_cast<std::uint8_t>(l);
  }
  return lengths;
}

std::vector<std::uint16_t> CanonicalCodes(std::span<const std::uint8_t> lengths) {
  std::uint32_t count[THuffmanDecoder::kMaxLength + 2] = {};
  for (std::uint8_t l : lengths) ++count[l];
  count[0] = 0;
  std::uint32_t next[THuffmanDecoder::kMaxLength + 2] = {};
  std::uint32_t code = 0;
  for (int l = 1; l <= THuffmanDecoder::kMaxLength; ++l) {
    code = (code + count[l - 1]) << 1;
    next[l] = code;
  }
  std::vector<std::uint16_t> codes(lengths.size(), 0);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    if (lengths[i] != 0) codes[i] = static_cast<std::uint16_t>(next[lengths[i]]++);
  }
  return codes;
}

void THuffmanDecoder::SetSingle(int symbol) { single_ = symbol; }

void THuffmanDecoder::Build(std::span<const std::uint8_t> lengths) {
  single_ = -1;
  std::fill(std::begin(count_), std::end(count_), 0);
  for (std::uint8_t l : lengths) {
    if (l > kMaxLength) throw ECompressException(kBadDecodeTable);
    ++count_[l];
  }
  count_[0] = 0;
  // Only a complete code is a valid table: the Kraft sum must be exactly 1.
  std::uint32_t kraft = 0;
  for (int l = 1; l <= kMaxLength; ++l)
    kraft += static_cast<std::uint32_t>(count_[l]) << (kMaxLength - l);
  if (kraft != (1u << kMaxLength)) throw ECompressException(kBadDecodeTable);

  std::uint16_t offset[kMaxLength + 2] = {};
  for (int l = 1; l <= kMaxLength; ++l) offset[l + 1] = offset[l] + count_[l];
  sorted_.assign(offset[kMaxLength + 1], 0);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    if (lengths[i] != 0) sorted_[offset[lengths[i]]++] = static_cast<std::uint16_t>(i);
  }
  std::fill(fast_.begin(), fast_.end(), FastEntry{});
  std::vector<std::uint16_t> codes = CanonicalCodes(lengths);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    int l = lengths[i];
    if (l == 0 || l > kFastBits) continue;
    std::uint32_t first = static_cast<std::uint32_t>(codes[i]) << (kFastBits - l);
    for (std::uint32_t f = first; f < first + (1u << (kFastBits - l)); ++f) {
      fast_[f] = FastEntry{static_cast<std::uint16_t>(i), static_cast<std::uint8_t>(l)};
    }
  }
}

int THuffmanDecoder::DecodeSlow(TBitReader& in) const {
  // Canonical decoding one bit at a time: codes of length l start at `first`.
  std::uint32_t code = 0;
  std::uint32_t first = 0;
  std::uint32_t index = 0;
  for (int l = 1; l <= kMaxLength; ++l) {
    code |= in.Get(1);
    std::uint32_t count = count_[l];
    if (code - first < count) return sorted_[index + (code - first)];
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  throw ECompressException(kBadDecodeTable);  // unreachable for a complete code
}

}  // namespace zelvora
