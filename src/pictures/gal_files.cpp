// Picture files: BMP as they are, JPEG through the IJG library.
#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "pictures/bmp_header.h"
#include "pictures/gal_bitmap.h"
#include "pictures/picture_orientation.h"
#include "util/alu_file.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

// Pictures larger than this are refused rather than decoded (a damaged header can claim anything).
constexpr unsigned long long kLargestImage = 1ull << 30;
// A picture may have at most this many pixels: a 16000 x 12000 photo reads, a header claiming more
// than some hundreds of millions is damaged or made to harm.
constexpr unsigned long long kLargestPixels = 250'000'000ull;
// Every 8 x 8 block of a Huffman-coded JPEG costs at least one bit, so a file of n bytes holds at
// most 512 n pixels; a header that claims more describes a picture that is not there.
constexpr unsigned long long kMostPixelsPerByte = 512;
// The decoder's own working memory (a progressive photo keeps all its coefficients there).
constexpr long kDecoderMemory = 192l << 20;

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

std::string SizeText(unsigned long long width, unsigned long long height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// The size a decode is to give, asked once the picture's upright size is known: 0 x 0 for its own
// size, -1 x -1 to stop after the header.
struct Wanted {
  long width = 0;
  long height = 0;
};
using WantedSize = std::function<Wanted(long width, long height)>;

const Wanted kHeaderOnly{-1, -1};

long FileSize(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(file);
  std::rewind(file);
  return size;
}

// Top-down rows are turned bottom-up in place, as everything after the load expects them.
void MakeBottomUp(GalBitmap& bitmap, const BmpHeader& header) {
  if (header.height >= 0 || header.compression == 1 || header.compression == 2) return;
  const std::size_t rowBytes = (static_cast<std::size_t>(header.width) * header.bitsPerPixel + 31) / 32 * 4;
  const std::size_t height = static_cast<std::size_t>(-static_cast<long long>(header.height));
  std::uint8_t* pixels = bitmap.image.get() + header.pixelOffset;
  std::vector<std::uint8_t> spare(rowBytes);
  for (std::size_t y = 0; y < height / 2; ++y) {
    std::uint8_t* a = pixels + y * rowBytes;
    std::uint8_t* b = pixels + (height - 1 - y) * rowBytes;
    std::memcpy(spare.data(), a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, spare.data(), rowBytes);
  }
  const std::uint32_t positive = static_cast<std::uint32_t>(height);
  for (int i = 0; i < 4; ++i) bitmap.image[22 + i] = static_cast<std::uint8_t>(positive >> (8 * i));
}

int LoadBmp(std::FILE* file, GalBitmap& bitmap, const WantedSize* wanted, GalPictureFacts& facts) {
  const long size = FileSize(file);
  if (size < 0 || static_cast<unsigned long long>(size) > kLargestImage) {
    facts.problem = size < 0 ? "the file cannot be read" : "the file is larger than this program reads";
    return 0;
  }
  std::uint8_t head[kBmpHeaderSize];
  const std::size_t got = std::fread(head, 1, sizeof head, file);
  const std::optional<BmpHeader> peek = ReadBmpHeader({head, got});
  if (!peek || !IsSoundBmp(*peek, static_cast<std::size_t>(size))) {
    facts.problem = "the file is damaged or is not a BMP picture";
    return 0;
  }
  facts.width = peek->width;
  facts.height = peek->height < 0 ? -peek->height : peek->height;
  const Wanted want = wanted != nullptr ? (*wanted)(facts.width, facts.height) : Wanted{};
  if (want.width < 0) return 1;
  std::rewind(file);
  GalBitmap whole;
  GalBitmap& into = want.width > 0 ? whole : bitmap;
  if (!GalReserve(into, static_cast<std::size_t>(size))) {
    facts.problem = "there is not enough memory to read it";
    ShowMessage(kError, kButtonsOk, "'malloc' fialure in 'GalLoadBitmap'.");
    return 0;
  }
  // Everything that draws the picture goes by its headers: they must hold before it counts as loaded.
  const std::optional<BmpHeader> header = std::fread(into.image.get(), 1, into.size, file) == into.size
                                              ? ReadBmpHeader(into.Bytes())
                                              : std::nullopt;
  if (!header || !IsSoundBmp(*header, into.size)) {
    facts.problem = "the file is damaged or is not a BMP picture";
    GalFreeBitmap(into);
    return 0;
  }
  MakeBottomUp(into, *header);
  // Only 24-bit pictures are shrunk; others (small by nature) are drawn as they are.
  if (&into == &whole &&
      !(GalIs24Bit(whole) && OrientAndFit(whole, bitmap, 1, static_cast<std::size_t>(want.width),
                                          static_cast<std::size_t>(want.height)))) {
    bitmap = std::move(whole);
  }
  return 1;
}

// One decode: the library's state, the picture's facts and the rows in between. The steps that can
// jump back run in their own function, so that nothing this frame holds changes between setjmp and
// a jump back.
struct JpegRead {
  jpeg_decompress_struct info;
  JpegError error;
  std::FILE* file = nullptr;
  long fileSize = 0;
  const WantedSize* wanted = nullptr;
  GalBitmap* bitmap = nullptr;
  GalBitmap decoded;                     // as stored, when it must still be turned or shrunk
  std::unique_ptr<std::uint8_t[]> inks;  // rows of a CMYK picture before they become colours
  int orientation = 1;
  bool invertedInks = false;
  Wanted want;
  GalPictureFacts* facts = nullptr;
};

// The EXIF orientation among the markers kept while reading the header.
int OrientationOf(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0)
      return ExifOrientation(m->data, m->data_length);
  }
  return 1;
}

// Ink amounts to blue-green-red. Adobe's programs store the inks inverted (255 is no ink); others
// store the amounts themselves.
void InksToColours(const std::uint8_t* inks, std::uint8_t* out, std::size_t width, bool inverted) {
  for (std::size_t x = 0; x < width; ++x, inks += 4, out += 3) {
    unsigned c = inks[0], m = inks[1], y = inks[2], k = inks[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
    out[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    out[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
  }
}

// 1 decoded, 0 refused (the problem is set), 2 stopped after the header as asked.
[[gnu::noinline]] int DecodeJpeg(JpegRead& r) {
  jpeg_decompress_struct& info = r.info;
  GalPictureFacts& facts = *r.facts;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kDecoderMemory;
  jpeg_stdio_src(&info, r.file);
  jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    facts.problem = "the file is damaged or is not a JPEG picture";
    return 0;
  }
  const unsigned long long pixels = static_cast<unsigned long long>(info.image_width) * info.image_height;
  if (pixels > kLargestPixels) {
    facts.tooLarge = true;
    facts.problem =
        "it is " + SizeText(info.image_width, info.image_height) + ", more than this program reads";
    return 0;
  }
  if (!info.arith_code && pixels > kMostPixelsPerByte * static_cast<unsigned long long>(r.fileSize)) {
    facts.tooLarge = true;
    facts.problem = "its header claims " + SizeText(info.image_width, info.image_height) +
                    ", more than a file of " + std::to_string(r.fileSize) + " bytes can hold";
    return 0;
  }
  // The decoder writes blue-green-red itself, as the bitmap holds it; greyscale pictures are
  // expanded to three components. CMYK and YCCK come out as inks and are turned into colours here.
  const bool inks = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (info.jpeg_color_space == JCS_GRAYSCALE || info.jpeg_color_space == JCS_YCbCr ||
      info.jpeg_color_space == JCS_RGB) {
    info.out_color_space = JCS_EXT_BGR;
  } else if (inks) {
    info.out_color_space = JCS_CMYK;
    r.invertedInks = info.saw_Adobe_marker;
  } else {
    facts.problem = "its colours are of a kind this program cannot show";
    return 0;
  }
  r.orientation = OrientationOf(info);
  facts.orientation = r.orientation;
  const bool swaps = SwapsSides(r.orientation);
  facts.width = static_cast<int>(swaps ? info.image_height : info.image_width);
  facts.height = static_cast<int>(swaps ? info.image_width : info.image_height);
  r.want = r.wanted != nullptr ? (*r.wanted)(facts.width, facts.height) : Wanted{};
  if (r.want.width < 0) return 2;
  if (r.want.width > 0 && r.want.height > 0) {
    // Shrinking in the DCT (n/8 of the size) skips most of the decoding work; the smallest scale
    // that still holds the wanted size is taken.
    const long leastWidth = swaps ? r.want.height : r.want.width;
    const long leastHeight = swaps ? r.want.width : r.want.height;
    for (unsigned int n = 1; n <= 8; ++n) {
      info.scale_num = n;
      info.scale_denom = 8;
      jpeg_calc_output_dimensions(&info);
      if (info.output_width >= static_cast<JDIMENSION>(leastWidth) &&
          info.output_height >= static_cast<JDIMENSION>(leastHeight))
        break;
    }
  }
  jpeg_start_decompress(&info);
  const std::size_t width = info.output_width;
  const std::size_t height = info.output_height;
  const std::size_t rowBytes = GalRowBytes(width);
  const unsigned long long n =
      static_cast<unsigned long long>(rowBytes) * height + kBmpHeaderSize + kBmpSpare;
  if (info.output_components != (inks ? 4 : 3) || width == 0 || height == 0 || n > kLargestImage) {
    facts.problem = "the file is damaged or is not a JPEG picture";
    return 0;
  }
  // Straight into the caller's bitmap when it is wanted as decoded; else into one to turn or shrink.
  const bool asDecoded =
      r.orientation == 1 && (r.want.width <= 0 || (static_cast<long>(width) == r.want.width &&
                                                   static_cast<long>(height) == r.want.height));
  GalBitmap& into = asDecoded ? *r.bitmap : r.decoded;
  if (inks) r.inks.reset(new (std::nothrow) std::uint8_t[width * 4 * 16]);
  if (!GalReserve(into, static_cast<std::size_t>(n)) || (inks && r.inks == nullptr)) {
    facts.problem = "there is not enough memory to read it";
    ShowMessage(kError, kButtonsOk, "'malloc' fialure in 'GalLoadBitmap'.");
    return 0;
  }
  std::uint8_t* image = into.image.get();
  WriteBmpHeader(image, static_cast<int>(width), static_cast<int>(height), static_cast<std::uint32_t>(n), 0);
  std::memset(image + kBmpHeaderSize + rowBytes * height, 0, kBmpSpare);
  JSAMPROW rows[16];
  const std::size_t rowsPerCall = static_cast<std::size_t>(std::clamp(info.rec_outbuf_height, 1, 16));
  while (info.output_scanline < info.output_height) {
    // The first decoded row is the top of the picture: it goes into the last stored row.
    const std::size_t top = info.output_scanline;
    const std::size_t batch = std::min<std::size_t>(rowsPerCall, height - top);
    for (std::size_t i = 0; i < batch; ++i) {
      std::uint8_t* row = image + kBmpHeaderSize + (height - 1 - top - i) * rowBytes;
      std::memset(row + width * 3, 0, rowBytes - width * 3);  // padding
      rows[i] = inks ? r.inks.get() + i * width * 4 : row;
    }
    const JDIMENSION got = jpeg_read_scanlines(&info, rows, static_cast<JDIMENSION>(batch));
    if (got == 0) break;
    if (inks) {
      for (std::size_t i = 0; i < got; ++i)
        InksToColours(rows[i], image + kBmpHeaderSize + (height - 1 - top - i) * rowBytes, width,
                      r.invertedInks);
    }
  }
  jpeg_finish_decompress(&info);
  return 1;
}

// Runs the decoder under libjpeg's error return. Nothing here may hold a std::string or another object
// that a longjmp would leave half changed: the texts are set by the caller. Gives DecodeJpeg's result,
// or -1 with libjpeg's message code in `failure`.
[[gnu::noinline]] int DecodeUnderErrorReturn(JpegRead& r, int& failure) {
  if (setjmp(r.error.back) != 0) {
    failure = r.error.manager.msg_code;
    jpeg_destroy_decompress(&r.info);
    return -1;
  }
  const int decoded = DecodeJpeg(r);
  jpeg_destroy_decompress(&r.info);
  return decoded;
}

int LoadJpeg(std::FILE* file, GalBitmap& bitmap, const WantedSize* wanted, GalPictureFacts& facts) {
  JpegRead r;
  r.file = file;
  r.fileSize = FileSize(file);
  r.wanted = wanted;
  r.bitmap = &bitmap;
  r.facts = &facts;
  r.info.err = jpeg_std_error(&r.error.manager);
  r.error.manager.error_exit = JumpBack;
  r.error.manager.emit_message = Silent;
  int failure = 0;
  const int decoded = DecodeUnderErrorReturn(r, failure);
  if (decoded < 0) {
    facts.tooLarge = failure == JERR_OUT_OF_MEMORY || failure == JERR_NO_BACKING_STORE;
    facts.problem = facts.tooLarge ? "it needs more memory to read than this program allows"
                                   : "the file is damaged or is not a JPEG picture";
    GalFreeBitmap(bitmap);
    return 0;
  }
  if (decoded != 1) return decoded == 2 ? 1 : 0;
  if (!r.decoded.Loaded()) return 1;  // decoded straight into the bitmap
  const long wantedWidth = r.want.width > 0 ? r.want.width : facts.width;
  const long wantedHeight = r.want.height > 0 ? r.want.height : facts.height;
  if (!OrientAndFit(r.decoded, bitmap, r.orientation, static_cast<std::size_t>(wantedWidth),
                    static_cast<std::size_t>(wantedHeight))) {
    facts.problem = "there is not enough memory to read it";
    GalFreeBitmap(bitmap);
    return 0;
  }
  return 1;
}

// Opens and reads the picture file of either kind.
int LoadPicture(const std::string& fileName, GalBitmap& bitmap, const WantedSize* wanted,
                GalPictureFacts& facts) {
  const FileType type = AluFileType(fileName);
  if (type != kFileBitmap && type != kFileJpeg) {
    facts.problem = "only JPEG and BMP pictures can be shown";
    return 0;
  }
  File file(std::fopen(AluResolvePath(fileName).c_str(), "rb"));
  if (file == nullptr) {
    facts.missing = errno == ENOENT;
    facts.problem = facts.missing ? "the file is missing" : "the file cannot be opened";
    return 0;
  }
  return type == kFileBitmap ? LoadBmp(file.get(), bitmap, wanted, facts)
                             : LoadJpeg(file.get(), bitmap, wanted, facts);
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
  return GalLoadPictureToFit(fileName, bitmap, 0, 0, nullptr);
}

int GalLoadPictureToFit(const std::string& fileName, GalBitmap& bitmap, int fitWidth, int fitHeight,
                        GalPictureFacts* facts) {
  GalPictureFacts own;
  GalPictureFacts& f = facts != nullptr ? *facts : own;
  f = {};
  const WantedSize wanted = [&](long width, long height) {
    int w = 0, h = 0;
    GalFitInside(static_cast<int>(width), static_cast<int>(height), fitWidth, fitHeight, w, h);
    return w == width && h == height ? Wanted{} : Wanted{w, h};
  };
  if (LoadPicture(fileName, bitmap, &wanted, f)) return 1;
  GalFreeBitmap(bitmap);  // nothing half-read is ever taken for a picture
  return 0;
}

GalPictureFacts GalReadPictureFacts(const std::string& fileName) {
  GalPictureFacts facts;
  GalBitmap none;
  const WantedSize headerOnly = [](long, long) { return kHeaderOnly; };
  LoadPicture(fileName, none, &headerOnly, facts);
  return facts;
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
  const WantedSize wanted = [&](long width, long height) {
    const long long scale = CopyScale(mode, size, width, height);
    if (scale >= 1 && scale <= 999)
      result = {static_cast<long>(width * scale / 1000), static_cast<long>(height * scale / 1000)};
    return result.width > 0 && result.height > 0 ? result : Wanted{};
  };
  GalPictureFacts facts;
  if (!LoadPicture(source, picture, &wanted, facts)) {
    // A picture refused for its size is named, or the user would not know why it is missing.
    if (facts.tooLarge)
      ShowMessage(kWarning, kButtonsOk, "The picture '%s' is not used: %s.", source.c_str(),
                  facts.problem.c_str());
    return 0;
  }
  int width = 0, height = 0;
  if (!GalGetBitmapSize(picture, width, height)) return 0;

  if (result.width > 0 && result.height > 0) {
    if (width == result.width && height == result.height) return GalWriteBitmap(target, picture);
    GalBitmap shrunk;
    return ShrinkTo(picture, shrunk, static_cast<std::size_t>(result.width),
                    static_cast<std::size_t>(result.height))
               ? GalWriteBitmap(target, shrunk)
           : !GalIs24Bit(picture) ? GalWriteBitmap(target, picture)  // cannot shrink: as it is
                                  : 0;
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
