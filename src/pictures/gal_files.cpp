// Picture files: BMP as they are, JPEG through the IJG library.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "pictures/bmp_header.h"
#include "pictures/gal_bitmap.h"
#include "util/alu_file.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

// Pictures larger than this are refused rather than decoded (a damaged header can claim anything).
constexpr unsigned long long kLargestImage = 1ull << 30;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The library's own error handler ends the process; this one jumps back so the call fails.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};

void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->back, 1);
}
void Silent(j_common_ptr, int) {}

int LoadBmp(std::FILE* file, GalBitmap& bitmap) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(file);
  if (size < 0 || static_cast<unsigned long long>(size) > kLargestImage) return 0;
  std::rewind(file);
  if (!GalReserve(bitmap, static_cast<std::size_t>(size))) {
    ShowMessage(kError, kButtonsOk, "'malloc' fialure in 'GalLoadBitmap'.");
    return 0;
  }
  if (std::fread(bitmap.image.get(), 1, bitmap.size, file) != bitmap.size) return 0;
  // Everything that draws the picture goes by its headers: they must hold before it counts as loaded.
  const std::optional<BmpHeader> header = ReadBmpHeader(bitmap.Bytes());
  if (!header || !IsSoundBmp(*header, bitmap.size)) {
    GalFreeBitmap(bitmap);
    return 0;
  }
  return 1;
}

// The least size a decode must give (0 x 0: the full size); asked once the picture's own size is known.
struct Wanted {
  std::size_t width = 0;
  std::size_t height = 0;
};
using WantedSize = std::function<Wanted(std::size_t width, std::size_t height)>;

int LoadJpeg(std::FILE* file, GalBitmap& bitmap, const WantedSize* wanted) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JumpBack;
  error.manager.emit_message = Silent;
  if (setjmp(error.back) != 0) {
    jpeg_destroy_decompress(&info);
    GalFreeBitmap(bitmap);
    return 0;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return 0;
  }
  // The decoder writes blue-green-red itself, as the bitmap holds it; greyscale pictures are
  // expanded to three components. Other colour spaces are not pictures this program can show.
  if (info.jpeg_color_space == JCS_GRAYSCALE || info.jpeg_color_space == JCS_YCbCr ||
      info.jpeg_color_space == JCS_RGB) {
    info.out_color_space = JCS_EXT_BGR;
  } else {
    jpeg_destroy_decompress(&info);
    return 0;
  }
  if (wanted != nullptr) {
    // Shrinking in the DCT (n/8 of the size) skips most of the decoding work; the smallest scale
    // that still holds the wanted size is taken.
    const Wanted least = (*wanted)(info.image_width, info.image_height);
    if (least.width > 0 && least.height > 0) {
      for (unsigned int n = 1; n <= 8; ++n) {
        info.scale_num = n;
        info.scale_denom = 8;
        jpeg_calc_output_dimensions(&info);
        if (info.output_width >= least.width && info.output_height >= least.height) break;
      }
    }
  }
  jpeg_start_decompress(&info);
  const std::size_t width = info.output_width;
  const std::size_t height = info.output_height;
  const std::size_t rowBytes = GalRowBytes(width);
  const unsigned long long n =
      static_cast<unsigned long long>(rowBytes) * height + kBmpHeaderSize + kBmpSpare;
  if (info.output_components != 3 || width == 0 || height == 0 || n > kLargestImage) {
    jpeg_destroy_decompress(&info);
    return 0;
  }
  if (!GalReserve(bitmap, static_cast<std::size_t>(n))) {
    jpeg_destroy_decompress(&info);
    ShowMessage(kError, kButtonsOk, "'malloc' fialure in 'GalLoadBitmap'.");
    return 0;
  }
  std::uint8_t* image = bitmap.image.get();
  WriteBmpHeader(image, static_cast<int>(width), static_cast<int>(height), static_cast<std::uint32_t>(n), 0);
  std::memset(image + kBmpHeaderSize + rowBytes * height, 0, kBmpSpare);
  // A fixed array: nothing with a destructor may live between setjmp and a jump back.
  JSAMPROW rows[16];
  const std::size_t rowsPerCall = static_cast<std::size_t>(std::clamp(info.rec_outbuf_height, 1, 16));
  while (info.output_scanline < info.output_height) {
    // The first decoded row is the top of the picture: it goes into the last stored row.
    const std::size_t top = info.output_scanline;
    const std::size_t batch = std::min<std::size_t>(rowsPerCall, height - top);
    for (std::size_t i = 0; i < batch; ++i) {
      rows[i] = image + kBmpHeaderSize + (height - 1 - top - i) * rowBytes;
      std::memset(rows[i] + width * 3, 0, rowBytes - width * 3);  // padding
    }
    if (jpeg_read_scanlines(&info, rows, static_cast<JDIMENSION>(batch)) == 0) break;
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return 1;
}

// Nearest-neighbour shrink of a decoded 24-bit picture to exactly width x height.
int ShrinkTo(const GalBitmap& source, GalBitmap& target, std::size_t width, std::size_t height) {
  const std::optional<BmpHeader> header = ReadBmpHeader(source.Bytes());
  if (!header || !Is24BitLayout(*header, source.size) || width == 0 || height == 0) return 0;
  const std::size_t sourceWidth = static_cast<std::size_t>(header->width);
  const std::size_t sourceHeight = static_cast<std::size_t>(header->height);
  const std::size_t rowBytes = GalRowBytes(width);
  const std::size_t n = rowBytes * height + kBmpHeaderSize + kBmpSpare;
  if (!GalReserve(target, n)) {
    ShowMessage(kError, kButtonsOk, "'malloc' failure in 'GalCompressBitmap'.");
    return 0;
  }
  std::uint8_t* out = target.image.get();
  WriteBmpHeader(out, static_cast<int>(width), static_cast<int>(height), static_cast<std::uint32_t>(n),
                 static_cast<std::uint32_t>(rowBytes * height));
  const std::uint8_t* pixels = source.image.get() + header->pixelOffset;
  const std::size_t sourceRowBytes = GalRowBytes(sourceWidth);
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* sourceRow = pixels + (y * sourceHeight / height) * sourceRowBytes;
    std::uint8_t* row = out + kBmpHeaderSize + y * rowBytes;
    for (std::size_t x = 0; x < width; ++x)
      std::memcpy(row + x * 3, sourceRow + (x * sourceWidth / width) * 3, 3);
    std::memset(row + width * 3, 0, rowBytes - width * 3);
  }
  std::memset(out + kBmpHeaderSize + rowBytes * height, 0, kBmpSpare);
  return 1;
}

// Encodes into an open file. The rows go in as stored (blue-green-red), top of the picture first.
int WriteJpeg(std::FILE* file, const GalBitmap& bitmap) {
  const std::optional<BmpHeader> header = ReadBmpHeader(bitmap.Bytes());
  if (!header || !Is24BitLayout(*header, bitmap.size)) return 0;
  const std::size_t width = static_cast<std::size_t>(header->width);
  const std::size_t height = static_cast<std::size_t>(header->height);
  const std::size_t rowBytes = GalRowBytes(width);
  std::uint8_t* pixels = bitmap.image.get() + header->pixelOffset;
  std::vector<JSAMPROW> rows(height);
  for (std::size_t y = 0; y < height; ++y) rows[y] = pixels + (height - 1 - y) * rowBytes;

  jpeg_compress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JumpBack;
  error.manager.emit_message = Silent;
  if (setjmp(error.back) != 0) {
    jpeg_destroy_compress(&info);
    return 0;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);  // quality 75
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const JDIMENSION next = info.next_scanline;
    if (jpeg_write_scanlines(&info, rows.data() + next, info.image_height - next) == 0) {
      jpeg_destroy_compress(&info);
      return 0;
    }
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return 1;
}

int WriteBmp(std::FILE* file, const GalBitmap& bitmap) {
  // The image in use, not the whole buffer: a reused buffer holds old bytes after it.
  return bitmap.Loaded() && std::fwrite(bitmap.image.get(), 1, bitmap.size, file) == bitmap.size ? 1 : 0;
}

}  // namespace

int GalLoadBitmap(const std::string& fileName, GalBitmap& bitmap) {
  const FileType type = AluFileType(fileName);
  if (type != kFileBitmap && type != kFileJpeg) return 0;
  File file(std::fopen(AluResolvePath(fileName).c_str(), "rb"));
  if (file == nullptr) return 0;
  return type == kFileBitmap ? LoadBmp(file.get(), bitmap) : LoadJpeg(file.get(), bitmap, nullptr);
}

int GalWriteBitmap(const std::string& fileName, const GalBitmap& bitmap) {
  const FileType type = AluFileType(fileName);
  if (type != kFileBitmap && type != kFileJpeg) return 0;
  // Written beside the target and renamed over it only when complete: a failed write leaves the
  // file that was there (a collector's picture) as it was.
  const std::string target = AluResolvePath(fileName);
  const std::string part = target + ".part";
  std::FILE* raw = std::fopen(part.c_str(), "wb");
  if (raw == nullptr && type == kFileBitmap) {
    AluCreateDirectoriesFor(fileName);
    raw = std::fopen(part.c_str(), "wb");
  }
  if (raw == nullptr) return 0;
  File file(raw);
  int ok = type == kFileBitmap ? WriteBmp(file.get(), bitmap) : WriteJpeg(file.get(), bitmap);
  if (std::fclose(file.release()) != 0) ok = 0;
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(part, target, ec);
    if (ec) ok = 0;
  }
  if (!ok) std::filesystem::remove(part, ec);
  return ok;
}

namespace {

// The scale in thousandths: mode 0 fits the larger side into `size` pixels, mode 1 is `size` itself.
long long CopyScale(int mode, int size, long long width, long long height) {
  if (mode != 0) return size;
  const long long larger = std::max(width, height);
  return larger < 1 ? 0 : static_cast<long long>(size) * 1000 / larger;
}

}  // namespace

int GalCopyPictureFile(const std::string& source, const std::string& target, int mode, int size) {
  GalBitmap picture;
  // A JPEG that is to shrink is decoded at the smallest DCT scale that still holds the result's
  // size, then brought to exactly that size; the result has the size a full decode would give.
  Wanted result;
  const WantedSize wanted = [&](std::size_t width, std::size_t height) {
    const long long scale =
        CopyScale(mode, size, static_cast<long long>(width), static_cast<long long>(height));
    if (scale >= 1 && scale <= 999) {
      result = {width * static_cast<std::size_t>(scale) / 1000,
                height * static_cast<std::size_t>(scale) / 1000};
    }
    return result.width > 0 && result.height > 0 ? result : Wanted{};
  };
  if (AluFileType(source) == kFileJpeg) {
    File file(std::fopen(AluResolvePath(source).c_str(), "rb"));
    if (file == nullptr || !LoadJpeg(file.get(), picture, &wanted)) return 0;
  } else if (!GalLoadBitmap(source, picture)) {
    return 0;
  }
  int width = 0, height = 0;
  if (!GalGetBitmapSize(picture, width, height)) return 0;

  if (result.width > 0 && result.height > 0) {
    if (static_cast<std::size_t>(width) == result.width &&
        static_cast<std::size_t>(height) == result.height) {
      return GalWriteBitmap(target, picture);
    }
    GalBitmap shrunk;
    return ShrinkTo(picture, shrunk, result.width, result.height) ? GalWriteBitmap(target, shrunk) : 0;
  }

  const long long scale = CopyScale(mode, size, width, height);
  if (scale >= 1000) return GalWriteBitmap(target, picture);
  if (scale <= 0) return 0;
  GalBitmap shrunk;
  if (GalCompressBitmap(picture, shrunk, static_cast<int>(scale))) return GalWriteBitmap(target, shrunk);
  if (!GalIs24Bit(picture)) return GalWriteBitmap(target, picture);  // cannot shrink: as it is
  return 0;
}

}  // namespace korvel
