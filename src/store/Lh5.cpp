#include "store/Lh5.h"

#include <algorithm>
#include <array>

#include "store/BitStream.h"
#include "store/CompressException.h"
#include "store/Huffman.h"

namespace zelvora {
namespace {

constexpr int kWindowBits = 13;
constexpr std::size_t kWindow = std::size_t{1} << kWindowBits;  // 8 KiB
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr int kLiteralCodes = 256 + kMaxMatch - kMinMatch + 1;  // NC = 510
constexpr int kLiteralBits = 9;                                 // CBIT
constexpr int kLengthCodes = 19;                                // NT: lengths 0..16 and 3 run codes
constexpr int kLengthBits = 5;                                  // TBIT
constexpr int kPositionCodes = kWindowBits + 1;                 // NP = 14
constexpr int kPositionBits = 4;                                // PBIT
constexpr int kSpecialIndex = 3;  // after three length-code lengths, a count of zeros follows
constexpr int kMaxCodeLength = 16;
constexpr std::size_t kBlockCodes = 65535;  // codes per block (the count field has 16 bits)

// ---------------------------------------------------------------- encoder

int BitLength(unsigned v) {
  int n = 0;
  while (v != 0) {
    ++n;
    v >>= 1;
  }
  return n;
}

class BlockWriter {
 public:
  explicit BlockWriter(TBitWriter& out) : out_(out) {}

  void Literal(std::uint8_t byte) { Add(byte, 0); }
  void Match(int length, unsigned distance) {
    Add(static_cast<std::uint16_t>(256 + length - kMinMatch),
        static_cast<std::uint16_t>(distance - 1));
  }
  void Flush() {
    if (!codes_.empty()) WriteBlock();
  }

 private:
  void Add(std::uint16_t code, std::uint16_t position) {
    codes_.push_back(code);
    positions_.push_back(position);
    if (codes_.size() == kBlockCodes) WriteBlock();
  }

  // Sends a table of code lengths (the length code or the position code).
  void WriteLengthTable(const std::vector<std::uint8_t>& lengths, int count_bits, int special) {
    int n = static_cast<int>(lengths.size());
    while (n > 0 && lengths[n - 1] == 0) --n;
    out_.Put(count_bits, n);
    int i = 0;
    while (i < n) {
      int k = lengths[i++];
      if (k <= 6) {
        out_.Put(3, k);
      } else {
        out_.Put(k - 3, (1u << (k - 3)) - 2);  // "111", k-7 ones, a zero
      }
      if (i == special) {
        while (i < 6 && lengths[i] == 0) ++i;
        out_.Put(2, (i - kSpecialIndex) & 3);
      }
    }
  }

  void WriteTable(const std::vector<std::uint32_t>& freq, int count_bits, int special,
                  std::vector<std::uint8_t>& lengths, std::vector<std::uint16_t>& codes) {
    lengths = BuildCodeLengths(freq, kMaxCodeLength);
    int used =
        static_cast<int>(std::count_if(freq.begin(), freq.end(), [](auto f) { return f != 0; }));
    if (used < 2) {
      int symbol = used == 0 ? 0
                             : static_cast<int>(std::find_if(freq.begin(), freq.end(),
                                                             [](auto f) { return f != 0; }) -
                                                freq.begin());
      out_.Put(count_bits, 0);
      out_.Put(count_bits, symbol);
      std::fill(lengths.begin(), lengths.end(), 0);  // sent with no bits
      codes.assign(lengths.size(), 0);
      return;
    }
    WriteLengthTable(lengths, count_bits, special);
    codes = CanonicalCodes(lengths);
  }

  void WriteBlock() {
    std::vector<std::uint32_t> c_freq(kLiteralCodes, 0);
    std::vector<std::uint32_t> p_freq(kPositionCodes, 0);
    for (std::size_t i = 0; i < codes_.size(); ++i) {
      ++c_freq[codes_[i]];
      if (codes_[i] >= 256) ++p_freq[BitLength(positions_[i])];
    }
    out_.Put(16, static_cast<std::uint32_t>(codes_.size()));

    std::vector<std::uint8_t> c_len = BuildCodeLengths(c_freq, kMaxCodeLength);
    std::vector<std::uint16_t> c_code;
    int c_used = static_cast<int>(
        std::count_if(c_freq.begin(), c_freq.end(), [](auto f) { return f != 0; }));
    if (c_used >= 2) {
      int n = kLiteralCodes;
      while (n > 0 && c_len[n - 1] == 0) --n;
      // The literal/length code lengths, sent through the length code:
      // 0 one zero, 1 a run of 3..18 zeros (4 bits), 2 a run of 20 or more
      // (9 bits), k+2 the length k.
      std::vector<std::uint32_t> t_freq(kLengthCodes, 0);
      ForEachLengthItem(c_len, n, [&](int symbol, int, std::uint32_t) { ++t_freq[symbol]; });
      std::vector<std::uint8_t> t_len;
      std::vector<std::uint16_t> t_code;
      WriteTable(t_freq, kLengthBits, kSpecialIndex, t_len, t_code);
      out_.Put(kLiteralBits, n);
      ForEachLengthItem(c_len, n, [&](int symbol, int extra_bits, std::uint32_t extra) {
        out_.Put(t_len[symbol], t_code[symbol]);
        if (extra_bits != 0) out_.Put(extra_bits, extra);
      });
      c_code = CanonicalCodes(c_len);
    } else {
      out_.Put(kLengthBits, 0);
      out_.Put(kLengthBits, 0);
      int symbol = static_cast<int>(
          std::find_if(c_freq.begin(), c_freq.end(), [](auto f) { return f != 0; }) -
          c_freq.begin());
      out_.Put(kLiteralBits, 0);
      out_.Put(kLiteralBits, symbol);
      std::fill(c_len.begin(), c_len.end(), 0);
      c_code.assign(kLiteralCodes, 0);
    }
    std::vector<std::uint8_t> p_len;
    std::vector<std::uint16_t> p_code;
    WriteTable(p_freq, kPositionBits, -1, p_len, p_code);

    for (std::size_t i = 0; i < codes_.size(); ++i) {
      int c = codes_[i];
      out_.Put(c_len[c], c_code[c]);
      if (c >= 256) {
        unsigned v = positions_[i];
        int p = BitLength(v);
        out_.Put(p_len[p], p_code[p]);
        if (p > 1) out_.Put(p - 1, v - (1u << (p - 1)));
      }
    }
    codes_.clear();
    positions_.clear();
  }

  // Calls emit(length-code symbol, extra bit count, extra value) for each
  // item of the run-length form of lengths[0..n).
  template <class Emit>
  static void ForEachLengthItem(const std::vector<std::uint8_t>& lengths, int n, Emit emit) {
    int i = 0;
    while (i < n) {
      int k = lengths[i++];
      if (k != 0) {
        emit(k + 2, 0, 0);
        continue;
      }
      int count = 1;
      while (i < n && lengths[i] == 0) {
        ++i;
        ++count;
      }
      if (count <= 2) {
        for (int z = 0; z < count; ++z) emit(0, 0, 0);
      } else if (count <= 18) {
        emit(1, 4, count - 3);
      } else if (count == 19) {
        emit(0, 0, 0);
        emit(1, 4, 15);
      } else {
        emit(2, kLiteralBits, count - 20);
      }
    }
  }

  TBitWriter& out_;
  std::vector<std::uint16_t> codes_;
  std::vector<std::uint16_t> positions_;
};

// Hash chains over the window, with one step of lazy matching.
class MatchFinder {
 public:
  explicit MatchFinder(std::span<const std::uint8_t> data)
      : data_(data), head_(kHashSize, -1), prev_(kWindow, -1) {}

  void Insert(std::size_t pos) {
    std::uint32_t h = Hash(pos);
    prev_[pos & (kWindow - 1)] = head_[h];
    head_[h] = static_cast<std::int64_t>(pos);
  }

  // The longest match at `pos` longer than `better_than` (0 when none).
  // Requires: at least kMinMatch bytes from pos.
  int Find(std::size_t pos, int better_than, unsigned& distance) const {
    const std::size_t n = data_.size();
    const int max_len = static_cast<int>(std::min<std::size_t>(kMaxMatch, n - pos));
    const std::int64_t lowest = static_cast<std::int64_t>(pos) - static_cast<std::int64_t>(kWindow);
    int chain = better_than >= kGoodLength ? kMaxChain / 4 : kMaxChain;
    int best = std::max(better_than, kMinMatch - 1);
    int found = 0;
    if (best >= max_len) return 0;  // nothing longer fits before the end
    const std::uint8_t* here = data_.data() + pos;
    std::int64_t cand = head_[Hash(pos)];
    while (cand >= 0 && cand >= lowest && chain-- > 0) {
      const std::uint8_t* there = data_.data() + cand;
      if (there[best] == here[best] && there[0] == here[0] && there[1] == here[1]) {
        int len = 2;
        while (len < max_len && there[len] == here[len]) ++len;
        if (len > best) {
          best = len;
          found = len;
          distance = static_cast<unsigned>(pos - static_cast<std::size_t>(cand));
          if (len >= std::min(kNiceLength, max_len)) break;
        }
      }
      std::int64_t next = prev_[static_cast<std::size_t>(cand) & (kWindow - 1)];
      if (next >= cand) break;  // a slot reused by a newer position
      cand = next;
    }
    return found;
  }

 private:
  static constexpr std::size_t kHashSize = 1u << 15;
  static constexpr int kMaxChain = 256;
  static constexpr int kGoodLength = 8;
  static constexpr int kNiceLength = 256;

  std::uint32_t Hash(std::size_t pos) const {
    return ((data_[pos] << 10) ^ (data_[pos + 1] << 5) ^ data_[pos + 2]) & (kHashSize - 1);
  }

  std::span<const std::uint8_t> data_;
  std::vector<std::int64_t> head_;
  std::vector<std::int64_t> prev_;
};

constexpr int kMaxLazy = 16;  // a match this long is taken without looking one byte ahead

// ---------------------------------------------------------------- decoder

void ReadLengthTable(TBitReader& in, int count, int count_bits, int special,
                     THuffmanDecoder& decoder) {
  int n = static_cast<int>(in.Get(count_bits));
  if (n == 0) {
    int symbol = static_cast<int>(in.Get(count_bits));
    if (symbol >= count) throw ECompressException(kBadDecodeTable);
    decoder.SetSingle(symbol);
    return;
  }
  if (n > count) throw ECompressException(kBadDecodeTable);
  std::vector<std::uint8_t> lengths(count, 0);
  int i = 0;
  while (i < n) {
    int c = static_cast<int>(in.Get(3));
    if (c == 7) {
      while (in.Get(1) == 1) {
        if (++c > kMaxCodeLength) throw ECompressException(kBadDecodeTable);
      }
    }
    lengths[i++] = static_cast<std::uint8_t>(c);
    if (i == special) {
      int zeros = static_cast<int>(in.Get(2));
      if (i + zeros > count) throw ECompressException(kBadDecodeTable);
      i += zeros;  // already zero
    }
  }
  if (in.Overrun()) throw ECompressException(kBadDecodeTable);
  decoder.Build(lengths);
}

void ReadLiteralTable(TBitReader& in, const THuffmanDecoder& length_code,
                      THuffmanDecoder& decoder) {
  int n = static_cast<int>(in.Get(kLiteralBits));
  if (n == 0) {
    int symbol = static_cast<int>(in.Get(kLiteralBits));
    if (symbol >= kLiteralCodes) throw ECompressException(kBadDecodeTable);
    decoder.SetSingle(symbol);
    return;
  }
  if (n > kLiteralCodes) throw ECompressException(kBadDecodeTable);
  std::vector<std::uint8_t> lengths(kLiteralCodes, 0);
  int i = 0;
  while (i < n) {
    int c = length_code.Decode(in);
    if (c <= 2) {
      int zeros = c == 0   ? 1
                  : c == 1 ? static_cast<int>(in.Get(4)) + 3
                           : static_cast<int>(in.Get(kLiteralBits)) + 20;
      if (i + zeros > n) throw ECompressException(kBadDecodeTable);
      i += zeros;
    } else {
      lengths[i++] = static_cast<std::uint8_t>(c - 2);
    }
    if (in.Overrun()) throw ECompressException(kBadDecodeTable);
  }
  decoder.Build(lengths);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> Lh5Encode(std::span<const std::uint8_t> input,
                                                   std::size_t give_up_at) {
  TBitWriter out;
  BlockWriter block(out);
  MatchFinder finder(input);
  const std::size_t n = input.size();
  std::size_t pos = 0;
  bool have_prev = false;
  int prev_len = 0;
  unsigned prev_dist = 0;
  std::size_t checked_at = 0;
  while (pos < n) {
    int len = 0;
    unsigned dist = 0;
    if (n - pos >= kMinMatch) {
      if (!have_prev || prev_len < kMaxLazy) len = finder.Find(pos, have_prev ? prev_len : 0, dist);
      finder.Insert(pos);
    }
    if (have_prev && prev_len >= kMinMatch && len <= prev_len) {
      block.Match(prev_len, prev_dist);
      std::size_t end = pos - 1 + prev_len;
      for (std::size_t q = pos + 1; q < end; ++q) {
        if (n - q >= kMinMatch) finder.Insert(q);
      }
      pos = end;
      have_prev = false;
      prev_len = 0;
    } else {
      if (have_prev) block.Literal(input[pos - 1]);
      have_prev = true;
      prev_len = len;
      prev_dist = dist;
      ++pos;
    }
    if (pos - checked_at >= 4096) {
      checked_at = pos;
      if (out.ByteCount() >= give_up_at) return std::nullopt;
    }
  }
  if (have_prev) block.Literal(input[n - 1]);
  block.Flush();
  std::vector<std::uint8_t> bytes = out.TakeBytes();
  if (bytes.size() >= give_up_at) return std::nullopt;
  return bytes;
}

std::vector<std::uint8_t> Lh5Decode(std::span<const std::uint8_t> stream, std::size_t size) {
  std::vector<std::uint8_t> output;
  // Grow as the data arrives: a damaged size must not reserve gigabytes.
  output.reserve(std::min<std::size_t>(size, std::size_t{1} << 20));
  TBitReader in(stream);
  THuffmanDecoder length_code;
  THuffmanDecoder literal_code;
  THuffmanDecoder position_code;
  std::uint32_t block_left = 0;
  while (output.size() < size) {
    if (block_left == 0) {
      block_left = in.Get(16);
      if (block_left == 0) throw ECompressException(kBadDecodeTable);
      ReadLengthTable(in, kLengthCodes, kLengthBits, kSpecialIndex, length_code);
      ReadLiteralTable(in, length_code, literal_code);
      ReadLengthTable(in, kPositionCodes, kPositionBits, -1, position_code);
    }
    --block_left;
    int c = literal_code.Decode(in);
    if (c < 256) {
      output.push_back(static_cast<std::uint8_t>(c));
    } else {
      std::size_t length = static_cast<std::size_t>(c - 256 + kMinMatch);
      int p = position_code.Decode(in);
      std::size_t distance = 1;
      if (p != 0) distance += (std::size_t{1} << (p - 1)) + in.Get(p - 1);
      if (distance > output.size()) throw ECompressException(kBadDecodeTable);
      length = std::min(length, size - output.size());
      std::size_t from = output.size() - distance;
      for (std::size_t k = 0; k < length; ++k) {
        std::uint8_t byte = output[from + k];
        output.push_back(byte);
      }
    }
    if (in.Overrun()) throw ECompressException(kBadDecodeTable);
  }
  return output;
}

}  // namespace zelvora
