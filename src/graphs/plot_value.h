// Values of the plotting library: counted arrays of numbers of one type, with a marker for a missing
// element. Released values are pooled and handed out again to the next request of the same shape.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace korvel::graphs {

enum ValueType : int {
  kValueFloat = 1,   // 32-bit float
  kValueDouble = 2,  // 64-bit float
  kValueInt = 3,     // 32-bit signed integer
};

// Flags of a value; the low byte is the library's own.
inline constexpr std::uint16_t kValueMonthAxis = 0x100;   // x values that are month numbers
inline constexpr std::uint16_t kValueAllInteger = 0x200;  // y flags: every series is integer

// The missing markers, by their bits.
inline constexpr std::uint32_t kMissingFloatBits = 0xFFC00000u;
inline constexpr std::uint64_t kMissingDoubleBits = 0xFFF8000000000000ull;
inline constexpr std::int32_t kMissingInt = INT32_MIN;

struct Value {
  int type = kValueInt;
  // Months since year 0 reach 120,000, so the count is not held in 16 bits.
  int count = 0;
  std::uint16_t flags = 0;
  int references = 0;
  std::vector<float> floats;  // the one array of the value's type holds the elements
  std::vector<double> doubles;
  std::vector<std::int32_t> ints;

  bool Missing(int i) const;
  // The element as a number; meaningless for a missing one.
  double At(int i) const;
  void SetMissing(int i);
  void Set(int i, double number);  // integers are truncated
};

// A counted reference to a value; the last reference gone, the value returns to the pool.
class ValueRef {
 public:
  ValueRef() = default;
  ValueRef(const ValueRef& other);
  ValueRef(ValueRef&& other) noexcept : value_(other.value_) { other.value_ = nullptr; }
  ValueRef& operator=(ValueRef other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }
  ~ValueRef();

  Value* get() const { return value_; }
  Value* operator->() const { return value_; }
  Value& operator*() const { return *value_; }
  explicit operator bool() const { return value_ != nullptr; }

 private:
  friend ValueRef CreateValue(int type, int count);
  explicit ValueRef(Value* adopted) : value_(adopted) {}
  Value* value_ = nullptr;
};

// A value of the type and count with every element 0 and reference count 1. None for an unknown type
// or a negative count (without a message) or when memory runs out (reported).
ValueRef CreateValue(int type, int count);

// Values waiting in the pool (for tests).
int PooledValueCount();

}  // namespace korvel::graphs
