#include "app/Utf8Conversion.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "app/AsciiRuns.h"
#include "app/ByteMasks.h"
#include "app/CodePages.h"
#include "app/Win1250Unicode.h"
#include "editor/ForeignMarks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool IsWinPolishLetter(unsigned char b) {
  const auto& row = CodePageTable[4].Letters;
  for (unsigned char l : row)
    if (l == b) return true;
  return false;
}

// Windows-1250 byte of every code point below U+2200 (the highest one the code page holds is U+2122),
// 0 where it holds none and for U+0081 and U+0083, whose bytes are the reserved ones of marks.
constexpr char32_t kReverseSize = 0x2200;
const std::array<unsigned char, kReverseSize>& Reverse() {
  static const std::array<unsigned char, kReverseSize> table = [] {
    std::array<unsigned char, kReverseSize> t{};
    for (int b = 0x80; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      if (!IsMarkByte(byte)) t[Win1250ToUnicode(byte)] = static_cast<unsigned char>(b);
    }
    return t;
  }();
  return table;
}

// The Windows-1250 byte of every two-byte UTF-8 sequence with 0x100 added, indexed by its two bytes as
// a little-endian 16-bit number; 0 for any other pair of bytes and where the code page holds no such
// character.
constexpr std::uint16_t kPairHolds = 0x100;
const std::array<std::uint16_t, 0x10000>& Pairs() {
  static const std::array<std::uint16_t, 0x10000> table = [] {
    std::array<std::uint16_t, 0x10000> t{};
    for (char32_t cp = 0x80; cp < 0x800; ++cp) {
      if (const unsigned char win = Reverse()[cp]; win != 0)
        t[(0xC0 | (cp >> 6)) | ((0x80 | (cp & 0x3F)) << 8)] = static_cast<std::uint16_t>(kPairHolds | win);
    }
    return t;
  }();
  return table;
}

unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The UTF-8 forms of the 256 bytes as (up to 3 bytes, length), so a byte is written as one 4-byte store.
struct Forms {
  std::array<std::uint32_t, 256> bytes{};
  std::array<std::uint8_t, 256> size{};
};

const Forms& Utf8Forms() {
  static const Forms forms = [] {
    Forms f;
    for (int b = 0; b < 256; ++b) {
      std::string s;
      AppendWin1250AsUtf8(s, static_cast<char>(b));
      char packed[4] = {};
      std::memcpy(packed, s.data(), s.size());
      std::memcpy(&f.bytes[static_cast<std::size_t>(b)], packed, 4);
      f.size[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(s.size());
    }
    return f;
  }();
  return forms;
}

}  // namespace

static_assert(std::endian::native == std::endian::little, "the word loops read the first byte as the lowest");

namespace {

// Through registers of their own, so the two ranges may overlap (in the text's own buffer).
void Copy64(char* to, const char* from) {
#if defined(__SSE2__)
  __m128i v[4];
  for (int k = 0; k < 4; ++k) v[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16 * k));
  for (int k = 0; k < 4; ++k) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16 * k), v[k]);
#else
  char chunk[64];
  std::memcpy(chunk, from, 64);
  std::memcpy(to, chunk, 64);
#endif
}

// Decodes the character at text[i] (ASCII or not) into its one byte at `out`; returns the index after it.
using ReverseTable = std::array<unsigned char, kReverseSize>;
inline std::size_t DecodeCharacter(std::string_view text, std::size_t i, char* out, std::u32string* marks,
                                   const ReverseTable& reverse) {
  const unsigned b = Byte(text, i);
  if (b < 0x80) {
    *out = text[i];
    return i + 1;
  }
  const std::size_t n = text.size();
  char32_t cp = 0;
  std::size_t len = 0;
  if (b >= 0xC2 && b <= 0xDF && i + 1 < n && (Byte(text, i + 1) & 0xC0) == 0x80) {
    // Two bytes: every Polish letter and most of Latin-2, the common case.
    cp = ((b & 0x1F) << 6) | (Byte(text, i + 1) & 0x3F);
    len = 2;
  } else {
    len = Utf8SequenceLength(text, i);
    if (len == 0) {
      *out = text[i];
      if (marks && IsMarkByte(text[i])) marks->push_back(DefaultMark(text[i]));
      return i + 1;
    }
    cp = b & (len == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (Byte(text, i + k) & 0x3F);
  }
  const unsigned char win = cp < kReverseSize ? reverse[cp] : 0;
  if (win != 0) {
    *out = static_cast<char>(win);
    return i + len;
  }
  const char mark = MarkByteFor(cp);
  if (marks) {
    *out = mark;
    marks->push_back(cp);
  } else {
    *out = cp == DefaultMark(mark) ? mark : '?';
  }
  return i + len;
}

// Where chunk by chunk decoding stopped.
struct DecodePosition {
  std::size_t read = 0;   // the next chunk's start
  std::size_t carry = 0;  // 1 when its first byte ended the letter before
};

// Decodes the text chunk by chunk into `out` while the text goes on far enough for a chunk's reads;
// returns the length of the result so far and sets `stopped`, from where DecodeRest goes on. `out` is
// the text's own buffer (kInPlace) or one as long as the text: every character becomes one byte, so the
// writing never overtakes the reading.
//
// The text goes in chunks of 64 bytes. A chunk of ASCII is copied whole. A chunk of ASCII and two-byte
// letters Windows-1250 holds (the bulk of a Polish file) is copied whole too, then each letter in turn
// is put in place: its byte written, and the 64 bytes after it copied again one place further left, so
// that the last letter before any byte has put it where it belongs. A letter whose second byte begins
// the next chunk is finished here, and that chunk starts one byte in (the carry). Anything else (longer
// sequences, malformed bytes, characters that become marks) is decoded character by character to the
// end of the chunk. The copies run up to 128 bytes past the start of the chunk's result; in the text's
// own buffer they wait until the result lags the reading by that much (it falls one byte further
// behind with every letter), so they only ever land on bytes already read.
template <bool kInPlace>
std::size_t DecodeChunks(std::string_view text, char* out, std::u32string* marks, DecodePosition& stopped) {
  const auto& pairs = Pairs();
  const auto& reverse = Reverse();
  const char* in = text.data();
  const std::size_t n = text.size();
  std::size_t w = 0;
  std::size_t i = 0;
  std::size_t carry = 0;
  // Reads reach 130 bytes past a chunk's start; the margin keeps them all in the text.
  while (i + 160 <= n) {
    const char* p = in + i;
    const Utf8Masks masks = Utf8Masks64(p);
    if (masks.high == 0) {
      Copy64(out + w, p);
      w += 64;
      i += 64;
      continue;
    }
    // Every byte above 127 leads a two-byte sequence or follows such a lead (that it continues the
    // sequence, the pairs table checks).
    if (masks.high == (masks.lead2 | (masks.lead2 << 1) | carry) && (!kInPlace || i >= w + 128)) {
      Copy64(out + w, p + carry);
      // Each letter before one, and the carry, took a byte: a letter's byte goes that many places before
      // where the letter stands in the chunk.
      char* const start = out + w - carry;
      char* shifted = start;
      unsigned holds = kPairHolds;  // stays while every letter has a byte
      for (std::uint64_t leads = masks.lead2; leads != 0; leads &= leads - 1, --shifted) {
        const auto k = static_cast<unsigned>(std::countr_zero(leads));
        std::uint16_t pair;
        std::memcpy(&pair, p + k, 2);
        const unsigned entry = pairs[pair];
        shifted[k] = static_cast<char>(entry);
        Copy64(shifted + k + 1, p + k + 2);
        holds &= entry;
      }
      if (holds != 0) {
        const auto letters = static_cast<std::size_t>(start - shifted);
        const auto straddle = static_cast<std::size_t>(masks.lead2 >> 63);
        w += 64 - carry - letters + straddle;
        carry = straddle;
        i += 64;
        continue;
      }
    }
    // Character by character to the end of the chunk, ASCII runs a word at a time where the copy is safe
    // (a word's load and test are quicker to the next character than a vector's here).
    std::size_t q = i + carry;
    const std::size_t end = i + 64;
    while (true) {
      if (!kInPlace || w == q || q >= w + 8) {
        while (q < end) {
          std::uint64_t word;
          std::memcpy(&word, in + q, 8);
          std::memcpy(out + w, &word, 8);
          if (const std::uint64_t high = word & kHighBits; high != 0) {
            const auto ascii = static_cast<std::size_t>(std::countr_zero(high) / 8);  // the first byte is the lowest
            q += ascii;
            w += ascii;
            break;
          }
          q += 8;
          w += 8;
        }
      } else {
        while (q < end && Byte(text, q) < 0x80) out[w++] = in[q++];
      }
      if (q >= end) break;
      q = DecodeCharacter(text, q, out + w++, marks, reverse);
    }
    i = q;
    carry = 0;
  }
  stopped = {i, carry};
  return w;
}

// The characters from where DecodeChunks stopped to the end, one by one, after the `w` bytes it wrote.
std::size_t DecodeRest(std::string_view text, const DecodePosition& from, char* out, std::size_t w,
                       std::u32string* marks) {
  const auto& reverse = Reverse();
  for (std::size_t i = from.read + from.carry; i < text.size();) i = DecodeCharacter(text, i, out + w++, marks, reverse);
  return w;
}

}  // namespace

std::string Utf8ToWin(std::string_view text, std::u32string* marks) {
  if (marks) marks->clear();
  // Every character becomes one byte, so the text never grows. (Decoding a piece at a time into a
  // buffer kept in the cache and appending it, which spares the zeroing, measured no quicker.)
  std::string out(text.size(), '\0');
  DecodePosition stopped;
  const std::size_t w = DecodeChunks<false>(text, out.data(), marks, stopped);
  out.resize(DecodeRest(text, stopped, out.data(), w, marks));
  return out;
}

void Utf8ToWinInPlace(std::string& text, std::u32string* marks) {
  if (marks) marks->clear();
  DecodePosition stopped;
  const std::size_t w = DecodeChunks<true>(text, text.data(), marks, stopped);
  text.resize(DecodeRest(text, stopped, text.data(), w, marks));
}

namespace {

char32_t MarkCharacter(std::u32string_view marks, std::size_t k, char byte) {
  const char32_t cp = k < marks.size() ? marks[k] : DefaultMark(byte);
  // Only a scalar value has a UTF-8 form; anything else the list might hold is shown as U+FFFD.
  return (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF ? char32_t{0xFFFD} : cp;
}

std::size_t Utf8Length(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

// Writes the UTF-8 form of a scalar value at `at`; returns its length.
std::size_t WriteUtf8(char* at, char32_t cp) {
  char form[4];
  const std::size_t n = Utf8Length(cp);
  if (n == 2) {
    form[0] = static_cast<char>(0xC0 | (cp >> 6));
  } else if (n == 3) {
    form[0] = static_cast<char>(0xE0 | (cp >> 12));
    form[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  } else if (n == 4) {
    form[0] = static_cast<char>(0xF0 | (cp >> 18));
    form[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    form[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  }
  form[n - 1] = static_cast<char>(n == 1 ? cp : 0x80 | (cp & 0x3F));
  std::memcpy(at, form, n);
  return n;
}

}  // namespace

std::string WinToUtf8(std::string_view text, std::u32string_view marks) {
  const Forms& forms = Utf8Forms();
  // Room for the worst case, found with one vector count: a byte above 127 takes at most three bytes, a
  // mark at most four. The result is written in place once and then cut to its length.
  std::string out(text.size() + 2 * CountHighBytes(text) + marks.size() + 8, '\0');  // 8: a form's 4-byte store
  char* o = out.data();
  const char* in = text.data();
  const std::size_t n = text.size();
  std::size_t w = 0;
  std::size_t k = 0;
  const auto one = [&](unsigned char c) {
    if (IsMarkByte(static_cast<char>(c))) {
      w += WriteUtf8(o + w, MarkCharacter(marks, k++, static_cast<char>(c)));
    } else {
      std::memcpy(o + w, &forms.bytes[c], 4);
      w += forms.size[c];
    }
  };
  // Sixty-four bytes at a time: ASCII is copied whole. A chunk with letters is copied whole too, then
  // each letter in turn is written as its form and the 64 bytes after it copied again behind that form.
  // The copies run at most 64 bytes past where the bytes they hold belong, which the bytes after the
  // chunk (at least as long in the result) have room for. Only a chunk with the reserved bytes of
  // marks, rare, goes byte by byte.
  std::size_t i = 0;
  for (; i + 160 <= n; i += 64) {
    const char* p = in + i;
    const std::uint64_t high = HighMask64(p);
    if (high == 0) {
      Copy64(o + w, p);
      w += 64;
      continue;
    }
    static_assert((kMarkByte | 0x02) == kWideMarkByte, "one compare finds both reserved bytes");
    if (EqualMask64(p, static_cast<unsigned char>(kWideMarkByte), 0x02) != 0) {
      for (int at = 0; at < 64; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + at, 8);
        if ((word & kHighBits) == 0) {
          std::memcpy(o + w, &word, 8);
          w += 8;
          continue;
        }
        for (int b = 0; b < 8; ++b, word >>= 8) one(static_cast<unsigned char>(word));
      }
      continue;
    }
    Copy64(o + w, p);
    std::size_t grown = 0;  // what the letters so far added
    for (std::uint64_t letters = high; letters != 0; letters &= letters - 1) {
      const auto at = static_cast<unsigned>(std::countr_zero(letters));
      const auto c = static_cast<unsigned char>(p[at]);
      char* form = o + w + at + grown;
      std::memcpy(form, &forms.bytes[c], 4);
      grown += forms.size[c] - 1u;
      Copy64(form + forms.size[c], p + at + 1);
    }
    w += 64 + grown;
  }
  for (; i < n; ++i) one(static_cast<unsigned char>(in[i]));
  out.resize(w);
  return out;
}

bool LooksLikeUtf8(std::string_view text) {
  bool foreign = false;
  std::size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      i = SkipAscii(text, i);
      continue;
    }
    const std::size_t len = Utf8SequenceLength(text, i);
    if (len == 0) return false;
    for (std::size_t k = 0; k < len && !foreign; ++k)
      foreign = !IsWinPolishLetter(static_cast<unsigned char>(text[i + k]));
    i += len;
  }
  return foreign;
}
