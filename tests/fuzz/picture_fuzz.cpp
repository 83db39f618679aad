// Feeds arbitrary bytes to the picture loaders as a JPEG or a BMP file (the first byte chooses);
// whatever loads must measure and shrink without reading outside its image.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "pictures/gal_bitmap.h"
#include "util/message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  if (size < 1) return 0;
  ResetMessages();
  SetMessageOwner(nullptr);
  static const std::string base = "/tmp/korvel-picture-fuzz-" + std::to_string(getpid());
  const std::string path = base + ((data[0] & 1) != 0 ? ".bmp" : ".jpg");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  GalBitmap bitmap;
  if (GalLoadBitmap(path, bitmap) == 1) {
    int width = 0, height = 0;
    if (GalGetBitmapSize(bitmap, width, height) && GalIs24Bit(bitmap)) {
      GalBitmap small;
      GalCompressBitmap(bitmap, small, 3);
      GalFreeBitmap(small);
    }
  }
  GalFreeBitmap(bitmap);
  std::remove(path.c_str());
  return 0;
}
