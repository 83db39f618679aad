// Picture files: BMP as they are, JPEG through the IJG library.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
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
  return 1;
}

int LoadJpeg(std::FILE* file, GalBitmap& bitmap) {
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
  // Greyscale pictures are expanded to three components; other colour spaces are not pictures
  // this program can show.
  if (info.jpeg_color_space == JCS_GRAYSCALE || info.jpeg_color_space == JCS_YCbCr ||
      info.jpeg_color_space == JCS_RGB) {
    info.out_color_space = JCS_RGB;
  } else {
    jpeg_destroy_decompress(&info);
    return 0;
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
    const JDIMENSION read = jpeg_read_scanlines(&info, rows, static_cast<JDIMENSION>(batch));
    for (JDIMENSION i = 0; i < read; ++i) {
      std::uint8_t* p = rows[i];
      for (std::size_t x = 0; x < width; ++x, p += 3) std::swap(p[0], p[2]);  // red-green-blue to BGR
    }
    if (read == 0) break;
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return 1;
}

int WriteJpeg(const std::string& fileName, const GalBitmap& bitmap) {
  const std::optional<BmpHeader> header = ReadBmpHeader(bitmap.Bytes());
  if (!header || !Is24BitLayout(*header, bitmap.size)) return 0;
  File file(std::fopen(AluNativePath(fileName).c_str(), "wb"));
  if (file == nullptr) return 0;
  const std::size_t width = static_cast<std::size_t>(header->width);
  const std::size_t height = static_cast<std::size_t>(header->height);
  const std::size_t rowBytes = GalRowBytes(width);
  std::vector<std::uint8_t> row(width * 3);

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
  jpeg_stdio_dest(&info, file.get());
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  const std::uint8_t* pixels = bitmap.image.get() + header->pixelOffset;
  for (std::size_t y = 0; y < height; ++y) {
    // The last stored row is the top of the picture.
    const std::uint8_t* stored = pixels + (height - 1 - y) * rowBytes;
    for (std::size_t x = 0; x < width; ++x) {
      row[x * 3] = stored[x * 3 + 2];
      row[x * 3 + 1] = stored[x * 3 + 1];
      row[x * 3 + 2] = stored[x * 3];
    }
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_write_scanlines(&info, rows, 1) != 1) {
      jpeg_destroy_compress(&info);
      return 0;
    }
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::ferror(file.get()) == 0 ? 1 : 0;
}

int WriteBmp(const std::string& fileName, const GalBitmap& bitmap) {
  if (!bitmap.Loaded()) return 0;
  std::FILE* raw = std::fopen(AluNativePath(fileName).c_str(), "wb");
  if (raw == nullptr) {
    AluCreateDirectoriesFor(fileName);
    raw = std::fopen(AluNativePath(fileName).c_str(), "wb");
    if (raw == nullptr) return 0;
  }
  File file(raw);
  // The image in use, not the whole buffer: a reused buffer holds old bytes after it.
  if (std::fwrite(bitmap.image.get(), 1, bitmap.size, file.get()) != bitmap.size) return 0;
  return std::fflush(file.get()) == 0 ? 1 : 0;
}

}  // namespace

int GalLoadBitmap(const std::string& fileName, GalBitmap& bitmap) {
  const FileType type = AluFileType(fileName);
  if (type != kFileBitmap && type != kFileJpeg) return 0;
  File file(std::fopen(AluResolvePath(fileName).c_str(), "rb"));
  if (file == nullptr) return 0;
  return type == kFileBitmap ? LoadBmp(file.get(), bitmap) : LoadJpeg(file.get(), bitmap);
}

int GalWriteBitmap(const std::string& fileName, const GalBitmap& bitmap) {
  switch (AluFileType(fileName)) {
    case kFileBitmap:
      return WriteBmp(fileName, bitmap);
    case kFileJpeg:
      return WriteJpeg(fileName, bitmap);
    default:
      return 0;
  }
}

int GalCopyPictureFile(const std::string& source, const std::string& target, int mode, int size) {
  GalBitmap picture;
  if (!GalLoadBitmap(source, picture)) return 0;
  int width = 0, height = 0;
  if (!GalGetBitmapSize(picture, width, height)) return 0;
  long long scale = size;
  if (mode == 0) {
    const long long larger = std::max(width, height);
    scale = larger < 1 ? 0 : static_cast<long long>(size) * 1000 / larger;
  }
  if (scale >= 1000) return GalWriteBitmap(target, picture);
  if (scale <= 0) return 0;
  GalBitmap shrunk;
  if (GalCompressBitmap(picture, shrunk, static_cast<int>(scale))) return GalWriteBitmap(target, shrunk);
  if (!GalIs24Bit(picture)) return GalWriteBitmap(target, picture);  // cannot shrink: as it is
  return 0;
}

}  // namespace korvel
