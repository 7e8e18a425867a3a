#include "store/Lzhuf.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "store/BitStream.h"
#include "store/CompressException.h"

namespace zelvora {
namespace {

constexpr int kRingSize = 4096;                         // N
constexpr int kMaxMatch = 60;                           // F
constexpr int kThreshold = 2;                           // longest match sent as literals
constexpr int kSymbols = 256 - kThreshold + kMaxMatch;  // 314 leaves
constexpr int kNodes = 2 * kSymbols - 1;                // T: leaves and inner nodes
constexpr int kRoot = kNodes - 1;                       // R
constexpr unsigned kMaxFreq = 0x8000;
constexpr int kStart = kRingSize - kMaxMatch;  // first position written

// The fixed prefix code of the upper 6 bits of a match position: lengths 3
// to 8, the codes assigned in order (canonical).
struct PositionCode {
  std::array<std::uint8_t, 64> length{};
  std::array<std::uint8_t, 64> code{};    // left-aligned in 8 bits
  std::array<std::uint8_t, 256> upper{};  // first 8 bits read -> upper part
  constexpr PositionCode() {
    constexpr int kCounts[] = {1, 3, 8, 12, 24, 16};  // lengths 3..8
    int index = 0;
    unsigned next = 0;
    for (int l = 3; l <= 8; ++l) {
      for (int n = 0; n < kCounts[l - 3]; ++n, ++index) {
        length[index] = static_cast<std::uint8_t>(l);
        code[index] = static_cast<std::uint8_t>(next);
        for (unsigned b = next; b < next + (1u << (8 - l)); ++b)
          upper[b] = static_cast<std::uint8_t>(index);
        next += 1u << (8 - l);
      }
    }
  }
};
constexpr PositionCode kPosition;

// The adaptive Huffman tree. Nodes are kept in order of frequency; son[] of
// an inner node is its left child (the right one is son + 1), son[] of a
// leaf is its symbol + kNodes. prnt[] maps nodes and (symbol + kNodes) to
// their parents.
class AdaptiveHuffman {
 public:
  AdaptiveHuffman() {
    for (int i = 0; i < kSymbols; ++i) {
      freq_[i] = 1;
      son_[i] = i + kNodes;
      prnt_[i + kNodes] = i;
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      prnt_[i] = prnt_[i + 1] = j;
    }
    freq_[kNodes] = 0xffff;  // sentinel that stops the reordering scan
    prnt_[kRoot] = 0;
  }

  // Writes the code of `symbol` (leaf to root, so gathered first) and adapts.
  void Encode(TBitWriter& out, int symbol) {
    // The tree may grow deeper than 32 levels only in theory; gather the
    // path in a 64-bit word and write it in pieces.
    std::uint64_t path = 0;
    unsigned length = 0;
    for (int k = prnt_[symbol + kNodes]; k != kRoot; k = prnt_[k]) {
      path |= static_cast<std::uint64_t>(k & 1) << length;
      ++length;
    }
    // Written root first: bit (length-1) is the root's choice.
    while (length > 32) {
      length -= 32;
      out.Put(32, static_cast<std::uint32_t>(path >> length));
    }
    out.Put(length, static_cast<std::uint32_t>(path));
    Update(symbol);
  }

  int Decode(TBitReader& in) {
    int c = son_[kRoot];
    while (c < kNodes) {
      c += static_cast<int>(in.Get(1));
      c = son_[c];
    }
    c -= kNodes;
    Update(c);
    return c;
  }

 private:
  // Halves every leaf frequency and rebuilds the tree from the leaves.
  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
      if (son_[i] >= kNodes) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
      unsigned f = freq_[i] + freq_[i + 1];
      freq_[n] = f;
      int k = n - 1;
      while (f < freq_[k]) --k;
      ++k;
      std::memmove(&freq_[k + 1], &freq_[k], (n - k) * sizeof(freq_[0]));
      freq_[k] = f;
      std::memmove(&son_[k + 1], &son_[k], (n - k) * sizeof(son_[0]));
      son_[k] = i;
    }
    for (int i = 0; i < kNodes; ++i) {
      int k = son_[i];
      if (k >= kNodes) {
        prnt_[k] = i;
      } else {
        prnt_[k] = prnt_[k + 1] = i;
      }
    }
  }

  void Update(int symbol) {
    if (freq_[kRoot] == kMaxFreq) Reconstruct();
    int c = prnt_[symbol + kNodes];
    do {
      unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        // Swap c with the last node of smaller frequency to keep the order.
        while (k > freq_[++l]) {
        }
        --l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        int i = son_[c];
        prnt_[i] = l;
        if (i < kNodes) prnt_[i + 1] = l;
        int j = son_[l];
        son_[l] = i;
        prnt_[j] = c;
        if (j < kNodes) prnt_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
      c = prnt_[c];
    } while (c != 0);
  }

  std::array<unsigned, kNodes + 1> freq_{};
  std::array<int, kNodes + kSymbols> prnt_{};
  std::array<int, kNodes> son_{};
};

// The match finder. The input is seen after kStart blanks (the pre-filled
// ring), so a distance d reaches d bytes back in that joined buffer; the
// candidates are the kStart positions before the current one, as in the
// ring. Every candidate with the same first three bytes is tried, nearest
// first, and the longest match wins, the nearest among equally long ones;
// lengths count only bytes of the input. This choice is deterministic, so
// other encoders making the same choice give identical streams.
class MatchFinder {
 public:
  explicit MatchFinder(std::span<const std::uint8_t> input) : data_(kStart + input.size()) {
    std::fill(data_.begin(), data_.begin() + kStart, ' ');
    std::copy(input.begin(), input.end(), data_.begin() + kStart);
    head_.assign(kHashSize, -1);
    prev_.assign(kChain, -1);
  }

  std::size_t size() const { return data_.size(); }
  std::uint8_t at(std::size_t pos) const { return data_[pos]; }

  void Insert(std::size_t pos) {
    if (data_.size() - pos < 3) return;
    std::uint32_t h = Hash(pos);
    prev_[pos & (kChain - 1)] = head_[h];
    head_[h] = static_cast<std::int64_t>(pos);
  }

  // Longest match at pos (0 when shorter than 3), distance - 1 in `position`.
  int Find(std::size_t pos, int& position) const {
    const std::size_t left = data_.size() - pos;
    if (left < 3) return 0;
    const int max_len = static_cast<int>(std::min<std::size_t>(kMaxMatch, left));
    const std::int64_t lowest = static_cast<std::int64_t>(pos) - kStart;
    const std::uint8_t* here = data_.data() + pos;
    int best = kThreshold;
    std::int64_t cand = head_[Hash(pos)];
    while (cand >= 0 && cand >= lowest) {
      const std::uint8_t* there = data_.data() + cand;
      if (there[best] == here[best]) {
        int len = 0;
        while (len < max_len && there[len] == here[len]) ++len;
        if (len > best) {
          best = len;
          position = static_cast<int>(pos - static_cast<std::size_t>(cand)) - 1;
          if (len == max_len) break;
        }
      }
      std::int64_t next = prev_[static_cast<std::size_t>(cand) & (kChain - 1)];
      if (next >= cand) break;
      cand = next;
    }
    return best > kThreshold ? best : 0;
  }

 private:
  static constexpr std::size_t kHashSize = 1u << 16;
  static constexpr std::size_t kChain =
      8192;  // > kStart: the chain slots of every candidate stay intact

  std::uint32_t Hash(std::size_t pos) const {
    return ((std::uint32_t{data_[pos]} << 8) ^ (std::uint32_t{data_[pos + 1]} << 4) ^
            data_[pos + 2] ^ (std::uint32_t{data_[pos + 2]} << 12)) &
           (kHashSize - 1);
  }

  std::vector<std::uint8_t> data_;
  std::vector<std::int64_t> head_;
  std::vector<std::int64_t> prev_;
};

void EncodePosition(TBitWriter& out, int position) {
  int upper = position >> 6;
  out.Put(kPosition.length[upper], kPosition.code[upper] >> (8 - kPosition.length[upper]));
  out.Put(6, static_cast<std::uint32_t>(position & 0x3f));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> LzhufEncode(std::span<const std::uint8_t> input,
                                                     std::size_t give_up_at) {
  if (input.empty()) return std::vector<std::uint8_t>{};
  MatchFinder finder(input);
  AdaptiveHuffman huffman;
  TBitWriter out;
  for (std::size_t p = 0; p < kStart; ++p) finder.Insert(p);
  std::size_t pos = kStart;
  std::size_t checked_at = pos;
  while (pos < finder.size()) {
    int position = 0;
    int length = finder.Find(pos, position);
    if (length == 0) {
      huffman.Encode(out, finder.at(pos));
      length = 1;
    } else {
      huffman.Encode(out, 255 - kThreshold + length);
      EncodePosition(out, position);
    }
    for (int k = 0; k < length; ++k) finder.Insert(pos + k);
    pos += length;
    if (pos - checked_at >= 1024) {
      checked_at = pos;
      if (out.ByteCount() >= give_up_at) return std::nullopt;
    }
  }
  std::vector<std::uint8_t> bytes = out.TakeBytes();
  if (bytes.size() >= give_up_at) return std::nullopt;
  return bytes;
}

std::vector<std::uint8_t> LzhufDecode(std::span<const std::uint8_t> stream, std::size_t size) {
  std::vector<std::uint8_t> output;
  // Grow as the data arrives: a damaged size must not reserve gigabytes.
  output.reserve(std::min<std::size_t>(size, std::size_t{1} << 20));
  if (size == 0) return output;
  AdaptiveHuffman huffman;
  TBitReader in(stream);
  std::array<std::uint8_t, kRingSize> ring;
  std::fill(ring.begin(), ring.begin() + kStart, ' ');
  std::fill(ring.begin() + kStart, ring.end(), 0);
  unsigned r = kStart;
  while (output.size() < size) {
    int c = huffman.Decode(in);
    if (c < 256) {
      output.push_back(static_cast<std::uint8_t>(c));
      ring[r] = static_cast<std::uint8_t>(c);
      r = (r + 1) & (kRingSize - 1);
    } else {
      unsigned first = in.Get(8);
      unsigned upper = kPosition.upper[first];
      unsigned extra = kPosition.length[upper] - 2u;
      unsigned bits = (first << extra) | in.Get(extra);
      unsigned position = (upper << 6) | (bits & 0x3f);
      unsigned from = (r - position - 1) & (kRingSize - 1);
      int count = c - 255 + kThreshold;
      // A match running past the announced size only repeats what the
      // checksum then judges; the output never grows past `size`.
      for (int k = 0; k < count && output.size() < size; ++k) {
        std::uint8_t byte = ring[(from + k) & (kRingSize - 1)];
        output.push_back(byte);
        ring[r] = byte;
        r = (r + 1) & (kRingSize - 1);
      }
    }
    if (in.Overrun()) throw ECompressException(kBadDecodeTable);
  }
  return output;
}

}  // namespace zelvora
