#include "graphs/plot_value.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <mutex>
#include <new>

#include "util/message.h"

namespace korvel::graphs {
namespace {

// Enough for every value the four graphs hold at once, twice over; older ones are let go.
constexpr std::size_t kPoolLimit = 64;

struct Pool {
  std::mutex mutex;
  std::vector<std::unique_ptr<Value>> values;
};

Pool& ThePool() {
  static Pool pool;
  return pool;
}

void Zero(Value& value) {
  value.flags = 0;
  std::fill(value.floats.begin(), value.floats.end(), 0.0f);
  std::fill(value.doubles.begin(), value.doubles.end(), 0.0);
  std::fill(value.ints.begin(), value.ints.end(), 0);
}

void Release(Value* value) {
  if (value == nullptr || --value->references >= 1) return;
  Pool& pool = ThePool();
  std::lock_guard lock(pool.mutex);
  try {
    if (pool.values.size() >= kPoolLimit) pool.values.erase(pool.values.begin());
    pool.values.emplace_back(value);
  } catch (const std::bad_alloc&) {
    delete value;
  }
}

}  // namespace

bool Value::Missing(int i) const {
  switch (type) {
    case kValueFloat:
      return std::bit_cast<std::uint32_t>(floats[i]) == kMissingFloatBits;
    case kValueDouble:
      return std::bit_cast<std::uint64_t>(doubles[i]) == kMissingDoubleBits;
    default:
      return ints[i] == kMissingInt;
  }
}

double Value::At(int i) const {
  switch (type) {
    case kValueFloat:
      return floats[i];
    case kValueDouble:
      return doubles[i];
    default:
      return ints[i];
  }
}

void Value::SetMissing(int i) {
  switch (type) {
    case kValueFloat:
      floats[i] = std::bit_cast<float>(kMissingFloatBits);
      break;
    case kValueDouble:
      doubles[i] = std::bit_cast<double>(kMissingDoubleBits);
      break;
    default:
      ints[i] = kMissingInt;
  }
}

void Value::Set(int i, double number) {
  switch (type) {
    case kValueFloat:
      floats[i] = static_cast<float>(number);
      break;
    case kValueDouble:
      doubles[i] = number;
      break;
    default:
      ints[i] = static_cast<std::int32_t>(number);
  }
}

ValueRef::ValueRef(const ValueRef& other) : value_(other.value_) {
  if (value_ != nullptr) ++value_->references;
}

ValueRef::~ValueRef() {
  Release(value_);
}

ValueRef CreateValue(int type, int count) {
  if (type != kValueFloat && type != kValueDouble && type != kValueInt) return {};
  if (count < 0) return {};
  Pool& pool = ThePool();
  {
    std::lock_guard lock(pool.mutex);
    for (auto it = pool.values.begin(); it != pool.values.end(); ++it) {
      if ((*it)->type == type && (*it)->count == count) {
        Value* value = it->release();
        pool.values.erase(it);
        Zero(*value);
        value->references = 1;
        return ValueRef(value);
      }
    }
  }
  try {
    auto value = std::make_unique<Value>();
    value->type = type;
    value->count = count;
    value->references = 1;
    if (type == kValueFloat) value->floats.assign(static_cast<std::size_t>(count), 0.0f);
    if (type == kValueDouble) value->doubles.assign(static_cast<std::size_t>(count), 0.0);
    if (type == kValueInt) value->ints.assign(static_cast<std::size_t>(count), 0);
    return ValueRef(value.release());
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'CreateValue'.");
    return {};
  }
}

int PooledValueCount() {
  Pool& pool = ThePool();
  std::lock_guard lock(pool.mutex);
  return static_cast<int>(pool.values.size());
}

}  // namespace korvel::graphs
