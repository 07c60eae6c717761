#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace sumaris {

// The text of one bit cell. The cells are the only storage of the simulation:
// stages read and write texts, never bits. Nearly every text is "0", "1" or
// "2", so short texts live inline and a copy is a 16-byte move; a longer text
// (a sign box can hold anything the user typed) goes to the heap.
class Cell {
 public:
  Cell() noexcept { SetChar('0'); }
  Cell(std::string_view text) { AssignInline(text); }       // NOLINT: texts convert freely
  Cell(const char* text) : Cell(std::string_view(text)) {}  // NOLINT
  Cell(const Cell& other) { CopyFrom(other); }
  Cell(Cell&& other) noexcept : w_{other.w_[0], other.w_[1]} { other.SetChar('0'); }
  Cell& operator=(const Cell& other) {
    // The common case, two inline texts, is a move of two words.
    if (((w_[1] | other.w_[1]) & kHeapBit) == 0) {
      w_[0] = other.w_[0];
      w_[1] = other.w_[1];
    } else if (this != &other) {
      Release();
      CopyFrom(other);
    }
    return *this;
  }
  Cell& operator=(Cell&& other) noexcept {
    if (this != &other) {
      Release();
      w_[0] = other.w_[0];
      w_[1] = other.w_[1];
      other.SetChar('0');
    }
    return *this;
  }
  Cell& operator=(std::string_view text) {
    Release();
    if (text.size() == 1) {
      SetChar(text[0]);  // the usual "0" / "1"
    } else {
      AssignInline(text);
    }
    return *this;
  }
  Cell& operator=(const char* text) { return *this = std::string_view(text); }
  ~Cell() { Release(); }

  // The text as it stands.
  std::string_view text() const {
    if (IsHeap()) return *HeapString();
    return {reinterpret_cast<const char*>(w_), static_cast<std::size_t>(w_[1] >> kLengthShift)};
  }
  std::string str() const { return std::string(text()); }

  // True when the text is exactly the one character c ("0", "1", ...).
  bool Is(char c) const {
    return (w_[1] >> kLengthShift) == 1 && (w_[0] & 0xFF) == static_cast<unsigned char>(c);
  }

  // Writes a computed number as its decimal text ("0", "1", "2", "-1").
  void SetNumber(long long value) {
    if (static_cast<unsigned long long>(value) <= 9) {
      Release();
      SetChar(static_cast<char>('0' + value));
    } else {
      SetLongNumber(value);
    }
  }
  void SetBit(bool bit) {
    Release();
    SetChar(bit ? '1' : '0');
  }

  // The leading decimal number of the text: blanks are skipped, then the
  // longest prefix that forms a number is read; no such prefix reads 0.
  // This is how the wire routines read a cell ("" is 0, "12abc" is 12).
  double Value() const {
    if (const int d = SingleDigit(); d >= 0) return d;
    return SlowValue();
  }

  // The leading number rounded to an integer (ties to even), the one way the
  // stages and the wire routines read a bit, a carry or a count out of a
  // cell: "1" is 1, "" is 0, "2.5" is 2, "12abc" is 12. Beyond 32 bits
  // signed it raises Overflow.
  long long LeadingInt() const {
    if (const int d = SingleDigit(); d >= 0) return d;  // nearly every cell
    return SlowLeadingInt();
  }

  // The text converted as a whole to an integer, the way the cellwise logic
  // routines convert it: a text that is not a number raises TypeMismatch.
  long long Integer() const {
    if (const int d = SingleDigit(); d >= 0) return d;
    return SlowInteger();
  }

  // The digit when the text is exactly one decimal digit, otherwise -1.
  int SingleDigit() const {
    if ((w_[1] >> kLengthShift) != 1) return -1;
    const unsigned c = static_cast<unsigned>(w_[0] & 0xFF);
    return (c >= '0' && c <= '9') ? static_cast<int>(c - '0') : -1;
  }

  // dest[i] := src[i] for i = 0 .. n-1. Cells of two different wires never
  // overlap; copying a range onto itself is allowed.
  static void CopyCells(Cell* dest, const Cell* src, std::size_t n) {
    if (dest == src) return;
    if (heapCells_.load(std::memory_order_relaxed) == 0) {
      // No long text anywhere (the usual state): the cells are plain words.
      std::memcpy(static_cast<void*>(dest), static_cast<const void*>(src), n * sizeof(Cell));
    } else {
      for (std::size_t i = 0; i < n; ++i)
        dest[i] = src[i];
    }
  }

  friend bool operator==(const Cell& a, const Cell& b) { return a.text() == b.text(); }
  friend bool operator==(const Cell& a, std::string_view b) {
    if (b.size() == 1) return a.Is(b[0]);
    return a.text() == b;
  }
  friend bool operator==(const Cell& a, const char* b) { return a.text() == std::string_view(b); }

 private:
  // Bytes 0..14 hold an inline text, byte 15 its length. A text of 15 or
  // more characters lives on the heap: word 0 then holds the pointer and
  // the top bit of word 1 is set.
  static constexpr int kInlineMax = 14;
  static constexpr int kLengthShift = 56;
  static constexpr std::uint64_t kHeapBit = std::uint64_t{1} << 63;

  // Cells of this process whose text lives on the heap. A thread that sees 0
  // holds no such cell itself (its own changes are visible to it), so it may
  // copy its cells as plain words.
  static inline std::atomic<long> heapCells_{0};

  bool IsHeap() const { return (w_[1] & kHeapBit) != 0; }
  std::string* HeapString() const { return reinterpret_cast<std::string*>(w_[0]); }
  void SetChar(char c) {
    w_[0] = static_cast<unsigned char>(c);
    w_[1] = std::uint64_t{1} << kLengthShift;
  }
  void AssignInline(std::string_view text) {
    w_[0] = 0;
    w_[1] = 0;
    if (text.size() <= kInlineMax) {
      std::memcpy(reinterpret_cast<char*>(w_), text.data(), text.size());
      w_[1] |= static_cast<std::uint64_t>(text.size()) << kLengthShift;
    } else {
      w_[0] = reinterpret_cast<std::uint64_t>(new std::string(text));
      w_[1] = kHeapBit;
      heapCells_.fetch_add(1, std::memory_order_relaxed);
    }
  }
  void CopyFrom(const Cell& other) {
    if (other.IsHeap()) {
      AssignInline(*other.HeapString());
    } else {
      w_[0] = other.w_[0];
      w_[1] = other.w_[1];
    }
  }
  void Release() {
    if (IsHeap()) ReleaseHeap();
  }
  void ReleaseHeap();
  void SetLongNumber(long long value);
  double SlowValue() const;
  long long SlowLeadingInt() const;
  long long SlowInteger() const;

  std::uint64_t w_[2];
};

}  // namespace sumaris
