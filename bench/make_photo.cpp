// Writes a photo-like JPEG of any size row by row (a 16000 x 12000 one needs no 576 MB buffer):
// sky, ground, a sun at the upper left and noise for detail. With orientation 6 it is stored as a
// phone stores a portrait photo, a quarter turn anticlockwise with the EXIF tag saying so.
// usage: make_photo WIDTH HEIGHT OUT.jpg [6] [progressive]   (WIDTH x HEIGHT as seen upright)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

// The upright scene's colour at (u, v), v from the top.
void Scene(long u, long v, long width, long height, std::uint8_t* rgb, int noise) {
  const long du = u - width / 4, dv = v - height / 4, r = std::min(width, height) / 6;
  int c[3];
  if (du * du + dv * dv < r * r) {
    c[0] = 250, c[1] = 210, c[2] = 40;  // the sun
  } else if (v < height * 2 / 3) {
    c[0] = 80, c[1] = 140, c[2] = static_cast<int>(180 + 60 * v / height);  // sky
  } else {
    c[0] = 120, c[1] = static_cast<int>(80 + 40 * u / width), c[2] = 40;  // ground
  }
  for (int i = 0; i < 3; ++i) rgb[i] = static_cast<std::uint8_t>(std::clamp(c[i] + noise, 0, 255));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_photo WIDTH HEIGHT OUT.jpg [6]\n");
    return 2;
  }
  const long width = std::atol(argv[1]), height = std::atol(argv[2]);
  const bool turned = argc > 4 && std::atoi(argv[4]) == 6;
  std::FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr || width <= 0 || height <= 0) return 1;
  jpeg_compress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, out);
  const long storedWidth = turned ? height : width, storedHeight = turned ? width : height;
  c.image_width = static_cast<JDIMENSION>(storedWidth);
  c.image_height = static_cast<JDIMENSION>(storedHeight);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 85, TRUE);
  if (argc > 5 && std::string(argv[5]) == "progressive") jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  if (turned) {
    static const unsigned char exif[] = {'E', 'x',  'i', 'f', 0, 0, 'M', 'M', 0, 0x2a, 0, 0, 0, 8, 0, 1,
                                         1,   0x12, 0,   3,   0, 0, 0,   1,   0, 6,    0, 0, 0, 0, 0, 0};
    jpeg_write_marker(&c, JPEG_APP0 + 1, exif, sizeof exif);
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<int> noise(-12, 12);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(storedWidth) * 3);
  for (long y = 0; y < storedHeight; ++y) {
    for (long x = 0; x < storedWidth; ++x) {
      // Stored a quarter turn anticlockwise: stored (x, y) is upright (storedHeight - 1 - y, x).
      const long u = turned ? storedHeight - 1 - y : x, v = turned ? x : y;
      Scene(u, v, width, height, row.data() + x * 3, noise(random));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return std::fclose(out) == 0 ? 0 : 1;
}
