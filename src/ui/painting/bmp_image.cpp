#include "ui/painting/bmp_image.h"

#include <algorithm>
#include <bit>
#include <cstdarg>
#include <cstdio>

namespace korvel::ui {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMasksOffset = kFileHeaderSize + kInfoHeaderSize;  // bit fields, whatever the header
enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Sides beyond this are damage, not pictures; it keeps every size computation far from overflow.
constexpr std::int64_t kMaximumSide = 1 << 20;
// Run-length pictures are expanded into one byte per pixel.
constexpr std::int64_t kMaximumExpandedPixels = std::int64_t{1} << 26;

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

[[gnu::format(printf, 1, 2)]] std::string Printf(const char* format, ...) {
  char text[200];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

bool Fail(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

// Run-length data as the 4- and 8-bit encodings define it: a count and a colour (two alternating
// colours for 4 bits), or an escape: end of line, end of picture, a jump, or a literal run padded to
// a 16-bit boundary. Pixels past the end of a row are dropped; rows left out keep colour 0.
bool ExpandRunLength(std::span<const std::uint8_t> data, int width, int height, bool fourBits,
                     std::vector<std::uint8_t>* out, std::string* error) {
  out->assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  std::size_t at = 0;
  std::int64_t x = 0, row = 0;  // row counts stored rows: the bottom row of the picture first
  auto put = [&](std::uint8_t index) {
    if (x < width && row < height) {
      (*out)[static_cast<std::size_t>(height - 1 - row) * width + static_cast<std::size_t>(x)] = index;
    }
    ++x;
  };
  while (row < height) {
    if (at + 2 > data.size()) return Fail(error, "the compressed pixel data ends before the picture does");
    const std::uint8_t count = data[at], value = data[at + 1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        put(fourBits ? static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      }
    } else if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (at + 2 > data.size()) return Fail(error, "the compressed pixel data ends inside a jump");
      x += data[at];
      row += data[at + 1];
      at += 2;
    } else {
      const std::size_t bytes = fourBits ? (value + 1u) / 2u : value;
      if (at + bytes > data.size()) return Fail(error, "the compressed pixel data ends inside a literal run");
      for (int i = 0; i < value; ++i) {
        put(fourBits ? static_cast<std::uint8_t>(i % 2 == 0 ? data[at + i / 2] >> 4 : data[at + i / 2] & 0x0F)
                     : data[at + i]);
      }
      at += bytes + (bytes % 2);  // literal runs end on a 16-bit boundary
    }
  }
  return true;  // the rows are complete even without the end-of-picture mark
}

}  // namespace

BmpImage::Channel BmpImage::MakeChannel(std::uint32_t mask) {
  Channel channel;
  channel.mask = mask;
  if (mask == 0) return channel;
  channel.shift = std::countr_zero(mask);
  channel.bits = std::countr_one(mask >> channel.shift);
  return channel;
}

int BmpImage::ChannelValue(std::uint32_t value, const Channel& channel) {
  if (channel.bits == 0) return 0;
  const std::uint32_t raw = (value & channel.mask) >> channel.shift;
  if (channel.bits >= 8) return static_cast<int>((raw >> (channel.bits - 8)) & 0xFF);
  const std::uint32_t top = (1u << channel.bits) - 1;
  return static_cast<int>(std::min(raw, top) * 255 / top);
}

std::optional<BmpImage> BmpImage::Read(std::span<const std::uint8_t> file, std::string* error) {
  const std::uint8_t* const d = file.data();
  const std::size_t size = file.size();
  if (size < kFileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M') {
    Fail(error, "the data is not a BMP image");
    return std::nullopt;
  }
  const std::size_t headerSize = U32(d + 14);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124) {
    Fail(error, Printf("the BMP header size %zu is not one of the known ones", headerSize));
    return std::nullopt;
  }
  if (kFileHeaderSize + headerSize > size) {
    Fail(error, Printf("the BMP image is truncated inside its header (%zu bytes)", size));
    return std::nullopt;
  }

  BmpImage image;
  image.file_ = file;
  std::int64_t width = 0, height = 0;
  std::uint32_t compression = kRgb, coloursUsed = 0;
  if (core) {
    width = U16(d + 18);
    height = U16(d + 20);
    image.bitsPerPixel_ = U16(d + 24);
  } else {
    width = static_cast<std::int32_t>(U32(d + 18));
    height = static_cast<std::int32_t>(U32(d + 22));
    image.bitsPerPixel_ = U16(d + 28);
    compression = U32(d + 30);
    coloursUsed = U32(d + 46);
  }
  image.topDown_ = height < 0;
  height = height < 0 ? -height : height;
  if (width < 1 || height < 1 || width > kMaximumSide || height > kMaximumSide) {
    Fail(error, Printf("the BMP picture size %lld x %lld is not usable", static_cast<long long>(width),
                       static_cast<long long>(image.topDown_ ? -height : height)));
    return std::nullopt;
  }
  image.width_ = static_cast<int>(width);
  image.height_ = static_cast<int>(height);

  const int bits = image.bitsPerPixel_;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    Fail(error, Printf("a BMP image with %d bits per pixel is not supported", bits));
    return std::nullopt;
  }
  const bool fits = compression == kRgb || (compression == kRle8 && bits == 8) ||
                    (compression == kRle4 && bits == 4) ||
                    (compression == kBitFields && (bits == 16 || bits == 32));
  if (compression > kBitFields || !fits ||
      (image.topDown_ && (compression == kRle8 || compression == kRle4))) {
    Fail(error, Printf("BMP compression %u is not supported with %d bits per pixel", compression, bits));
    return std::nullopt;
  }

  std::size_t tableStart = kFileHeaderSize + headerSize;
  if (compression == kBitFields) {
    if (kMasksOffset + 12 > size) {
      Fail(error, "the BMP image is truncated inside its colour masks");
      return std::nullopt;
    }
    image.red_ = MakeChannel(U32(d + kMasksOffset));
    image.green_ = MakeChannel(U32(d + kMasksOffset + 4));
    image.blue_ = MakeChannel(U32(d + kMasksOffset + 8));
    if (headerSize == kInfoHeaderSize) tableStart += 12;
  } else if (bits == 16) {
    image.red_ = MakeChannel(0x7C00);
    image.green_ = MakeChannel(0x03E0);
    image.blue_ = MakeChannel(0x001F);
  } else if (bits == 32) {
    image.red_ = MakeChannel(0xFF0000);
    image.green_ = MakeChannel(0x00FF00);
    image.blue_ = MakeChannel(0x0000FF);
  }

  std::size_t tableEnd = tableStart;
  if (bits <= 8) {
    const std::size_t full = std::size_t{1} << bits;
    const std::size_t entry = core ? 3 : 4;
    std::size_t count = coloursUsed == 0 ? full : std::min<std::size_t>(coloursUsed, full);
    // Writers that leave the count 0 often store a shorter table; the pixel offset shows where it ends.
    const std::size_t offsetField = U32(d + 10);
    if (coloursUsed == 0 && offsetField > tableStart)
      count = std::min(count, (offsetField - tableStart) / entry);
    tableEnd = tableStart + count * entry;
    if (tableEnd > size) {
      Fail(error, Printf("the BMP image is truncated inside its colour table of %zu colours", count));
      return std::nullopt;
    }
    image.palette_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* e = d + tableStart + i * entry;
      image.palette_.push_back(qRgb(e[2], e[1], e[0]));
    }
  }

  // Some writers leave the pixel offset 0; the rows then follow the colour table.
  const std::size_t offset = U32(d + 10) != 0 ? U32(d + 10) : tableEnd;
  if (offset < kFileHeaderSize + headerSize || offset >= size) {
    Fail(error, Printf("the BMP pixel offset %zu lies outside the image of %zu bytes", offset, size));
    return std::nullopt;
  }
  image.pixelOffset_ = offset;

  if (compression == kRle8 || compression == kRle4) {
    if (width * height > kMaximumExpandedPixels) {
      Fail(error, Printf("the compressed BMP picture of %lld x %lld is too large",
                         static_cast<long long>(width), static_cast<long long>(height)));
      return std::nullopt;
    }
    if (!ExpandRunLength(file.subspan(offset), image.width_, image.height_, compression == kRle4,
                         &image.expanded_, error)) {
      return std::nullopt;
    }
    return image;
  }

  const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits);
  image.stride_ = static_cast<std::size_t>((rowBits + 31) / 32 * 4);
  // The padding of the last row may be missing; its pixels may not.
  const std::uint64_t needed =
      static_cast<std::uint64_t>(image.stride_) * static_cast<std::uint64_t>(height - 1) + (rowBits + 7) / 8;
  if (needed > size - offset) {
    Fail(error, Printf("the BMP image is truncated: its pixel rows need %llu bytes, %zu are there",
                       static_cast<unsigned long long>(needed), size - offset));
    return std::nullopt;
  }
  return image;
}

const std::uint8_t* BmpImage::StoredRow(int y) const {
  const std::size_t row = static_cast<std::size_t>(topDown_ ? y : height_ - 1 - y);
  return file_.data() + pixelOffset_ + row * stride_;
}

QRgb BmpImage::Pixel(int x, int y) const {
  auto paletteColour = [this](unsigned index) {
    return index < palette_.size() ? palette_[index] : qRgb(0, 0, 0);
  };
  if (!expanded_.empty()) {
    return paletteColour(expanded_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)]);
  }
  const std::uint8_t* row = StoredRow(y);
  switch (bitsPerPixel_) {
    case 1:
      return paletteColour((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4:
      return paletteColour((x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
    case 8:
      return paletteColour(row[x]);
    case 24: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
      return qRgb(p[2], p[1], p[0]);
    }
    default: {
      const std::uint32_t value = bitsPerPixel_ == 16 ? U16(row + static_cast<std::size_t>(x) * 2)
                                                      : U32(row + static_cast<std::size_t>(x) * 4);
      return qRgb(ChannelValue(value, red_), ChannelValue(value, green_), ChannelValue(value, blue_));
    }
  }
}

QImage StretchNearest(const BmpImage& source, QSize target, const QRect& visible) {
  QImage out(visible.size(), QImage::Format_RGB32);
  if (out.isNull() || target.isEmpty()) return out;
  std::vector<int> columns(static_cast<std::size_t>(visible.width()));
  for (int i = 0; i < visible.width(); ++i) {
    columns[i] = static_cast<int>(std::int64_t{visible.left() + i} * source.width() / target.width());
  }
  for (int j = 0; j < visible.height(); ++j) {
    const int y = static_cast<int>(std::int64_t{visible.top() + j} * source.height() / target.height());
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(j));
    for (int i = 0; i < visible.width(); ++i) line[i] = source.Pixel(columns[i], y);
  }
  return out;
}

}  // namespace korvel::ui
