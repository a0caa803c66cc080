// Pixel art made larger without blur and without new colours, so that a picture drawn for a
// 96-dots-an-inch screen stays crisp at 144 and 192: twice its size by the Scale2x rule (a pixel
// becomes four, and a corner between two same-coloured neighbours takes their colour, so that
// diagonals come out as smooth lines instead of stairs of squares), one and a half times by
// giving every other pixel two. The art is rows of characters, one per pixel.
#ifndef RESGEN_PIXEL_ART_SCALE_H
#define RESGEN_PIXEL_ART_SCALE_H

#include <string>
#include <vector>

namespace resgen {

using PixelRows = std::vector<std::string>;

// The character at (x, y), or the one at the nearest edge for a place outside the art.
inline char At(const PixelRows& rows, int x, int y) {
  int height = static_cast<int>(rows.size());
  int width = height ? static_cast<int>(rows[0].size()) : 0;
  x = x < 0 ? 0 : (x >= width ? width - 1 : x);
  y = y < 0 ? 0 : (y >= height ? height - 1 : y);
  return rows[y][x];
}

inline PixelRows Scale2x(const PixelRows& rows) {
  int height = static_cast<int>(rows.size());
  int width = height ? static_cast<int>(rows[0].size()) : 0;
  PixelRows out(2 * height, std::string(2 * width, ' '));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char p = rows[y][x], a = At(rows, x, y - 1), b = At(rows, x + 1, y), c = At(rows, x - 1, y),
           d = At(rows, x, y + 1);
      out[2 * y][2 * x] = (c == a && c != d && a != b) ? a : p;
      out[2 * y][2 * x + 1] = (a == b && a != c && b != d) ? b : p;
      out[2 * y + 1][2 * x] = (d == c && d != b && c != a) ? c : p;
      out[2 * y + 1][2 * x + 1] = (b == d && b != a && d != c) ? d : p;
    }
  return out;
}

// The size of a side at 1.5 times, rounded as the viewer rounds its sizes (half up).
inline int OneAndAHalf(int side) { return (3 * side + 1) / 2; }

// One and a half times: every other pixel becomes two, the rest stay one (pixel x covers
// (3x + 1) / 2 up to (3x + 4) / 2). Lines keep every pixel and stay joined.
inline PixelRows OneAndAHalfTimes(const PixelRows& rows) {
  int height = static_cast<int>(rows.size());
  int width = height ? static_cast<int>(rows[0].size()) : 0;
  PixelRows out(OneAndAHalf(height), std::string(OneAndAHalf(width), ' '));
  for (int y = 0; y < static_cast<int>(out.size()); ++y)
    for (int x = 0; x < static_cast<int>(out[y].size()); ++x) out[y][x] = rows[2 * y / 3][2 * x / 3];
  return out;
}

// The sizes art is drawn at, in percent.
inline bool IsDrawnSize(int percent) { return percent == 100 || percent == 150 || percent == 200; }

// The art at percent 100, 150 or 200 of its size.
inline PixelRows ScaledArt(const PixelRows& rows, int percent) {
  if (percent == 200) return Scale2x(rows);
  if (percent == 150) return OneAndAHalfTimes(rows);
  return rows;
}

// A length at percent of itself, rounded as ScaledArt rounds.
inline int ScaledSide(int side, int percent) {
  return percent == 200 ? 2 * side : (percent == 150 ? OneAndAHalf(side) : side);
}

}  // namespace resgen

#endif  // RESGEN_PIXEL_ART_SCALE_H
