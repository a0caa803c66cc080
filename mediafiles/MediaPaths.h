// The paths of the files the view writes: the temporary sound file and a saved picture.
#ifndef CALVETTA_MEDIA_MEDIAPATHS_H
#define CALVETTA_MEDIA_MEDIAPATHS_H

#include <string>

namespace media {

constexpr size_t kMaxSavePath = 255;

// "temp.wav" in the temporary directory tempDir (with or without its trailing backslash).
std::wstring TempWavePath(const std::wstring& tempDir);

// A save path of more than kMaxSavePath characters, cut to kMaxSavePath characters that end
// in ".bmp"; shorter paths as they are.
std::wstring CutSavePath(const std::wstring& path);

// The file name a picture is offered to be saved under: its caption without what a file name
// cannot hold (\ / : * ? " < > |, control characters; blanks and dots at its end), cut to
// kMaxSaveName characters, with ".bmp"; "*.bmp" when nothing of the caption is left.
constexpr size_t kMaxSaveName = 100;
std::wstring SaveFileName(const std::wstring& caption);

}  // namespace media

#endif  // CALVETTA_MEDIA_MEDIAPATHS_H
