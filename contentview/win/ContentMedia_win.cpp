#include "win/ContentMedia_win.h"

#include <cstdint>
#include <new>
#include <string>

#include "win/CalvettaRes.h"
#include "Calvetta.h"
#include "win/JpegPicture_win.h"
#include "win/SoundPlayer_win.h"
#include "NarrowToAscii.h"
#include "ShiftJis.h"
#include "ui/ShiftJisText.h"

namespace calvetta {

namespace {

// A picture's caption as the book stores it (JIS X 0208 pairs), as text: full-width Latin
// letters, digits and signs as ASCII (as the command-line reader shows them).
std::wstring CaptionText(const char* jis, size_t size) {
  std::string sjis;
  for (size_t i = 0; i + 1 < size && jis[i] && jis[i + 1]; i += 2) {
    uint16_t code = static_cast<uint16_t>((static_cast<uint8_t>(jis[i]) << 8) | static_cast<uint8_t>(jis[i + 1]));
    if (char ascii = booktext::NarrowToAscii(code)) {
      sjis += ascii;
    } else if (uint16_t converted = booktext::JisToSjis(code)) {
      sjis += static_cast<char>(converted >> 8);
      sjis += static_cast<char>(converted & 0xFF);
    }
  }
  return ui::FromShiftJis(sjis);
}

}  // namespace

ContentMedia::ContentMedia(const ui::Window& window, HINSTANCE module, const DunmoorBinding& binding,
                           ViewMessages& messages, ViewRouter& router)
    : window(window),
      module(module),
      binding(binding),
      messages(messages),
      router(router),
      pictureGone(RegisterWindowMessageW(CALVETTA_BMP_WINDOW_DESTROY)) {}

void ContentMedia::ShowPicture(const char* codeBlock) {
  // One picture at a time: the one shown goes, with its memory, before the next is read.
  ClosePicture();
  const DunmoorExports& book = binding.Functions();
  if (!codeBlock || !book.epwGetImageSize || !book.epwGetImage) return;
  char caption[kDunmoorCaptionSize] = {};
  int32_t size = book.epwGetImageSize(codeBlock, caption);
  if (size < 0) {
    router.HandleFailure();
    return;
  }
  try {
    pictureMemory.assign(static_cast<size_t>(size), 0);
  } catch (const std::bad_alloc&) {
    pictureMemory = {};
    messages.Show(window.Hwnd(), module, IDS_PICTURE_DAMAGED);
    return;
  }
  int32_t kind = -1;
  int32_t got = book.epwGetImage(codeBlock, reinterpret_cast<char*>(pictureMemory.data()), &kind);
  if (got < 0) {
    pictureMemory = {};
    router.HandleFailure();
    return;
  }
  // The headers of the picture must describe bytes that were received before anything reads
  // pixels through them; a damaged picture is reported instead of shown.
  auto popup = std::make_unique<ImagePopup>(module, pictureGone, messages);
  popup->SetDark(dark);
  popup->SetCaption(CaptionText(caption, sizeof caption));
  bool shown = false;
  if (kind == 0) {
    media::MonochromePicture mono;
    shown = media::ReadMonochromePicture(pictureMemory.data(), pictureMemory.size(), &mono) &&
            popup->ShowMonochrome(window.Hwnd(), std::move(mono));
  } else if (kind == 1) {
    // A JPEG file is shown from its bitmap; the file itself is kept for 保存.
    if (IsJpeg(pictureMemory.data(), static_cast<size_t>(got))) {
      std::vector<uint8_t> decoded;
      pictureJpeg.assign(pictureMemory.begin(), pictureMemory.begin() + got);
      pictureMemory.clear();
      if (DecodeJpeg(pictureJpeg.data(), pictureJpeg.size(), &decoded)) {
        pictureMemory = std::move(decoded);
        popup->KeepJpeg(pictureJpeg.data(), pictureJpeg.size());
      }
    }
    media::ColourBmp bmp;
    shown = media::CheckColourBmp(pictureMemory.data(), pictureMemory.size(), &bmp) == media::BmpCheck::kOk &&
            popup->ShowColour(window.Hwnd(), pictureMemory.data(), bmp);
  }
  if (!shown) {
    popup.reset();
    pictureMemory = {};
    pictureJpeg = {};
    messages.Show(window.Hwnd(), module, IDS_PICTURE_DAMAGED);
    return;
  }
  picture = std::move(popup);
}

void ContentMedia::ClosePicture() {
  // The window first (it draws from the memory), then the memory. The notification the window
  // posts finds no window of its own left and frees nothing twice.
  picture.reset();
  pictureMemory = {};
  pictureJpeg = {};
}

void ContentMedia::OnPictureWindowGone() {
  // Only a picture whose window has gone by itself (closed by the user) is freed here: a
  // notification that arrives after the view replaced the picture leaves the new one alone.
  if (picture && !picture->Hwnd()) ClosePicture();
}

void ContentMedia::PlaySoundBlock(const char* codeBlock) {
  soundPlaying = true;
  int result = PlaySoundCode(binding.Functions(), codeBlock, window.Hwnd(), messages);
  // The viewer says in its status bar whether the click did anything a user can hear.
  if (result == kSoundPlayed || result == kSoundNoDevice)
    PostMessageW(GetParent(window.Hwnd()), VM_VIEW_SOUND, result == kSoundPlayed ? 1 : 0, 0);
  if (result == kSoundFileFailed || result == kSoundNoMemory) {
    messages.Show(window.Hwnd(), module, IDS_SOUND_CANNOT_PLAY);
  } else if (result == kSoundBookFailed) {
    router.HandleFailure();
  }
}

void ContentMedia::StopSound() {
  if (!soundPlaying) return;
  StopSoundFile();
  soundPlaying = false;
}

}  // namespace calvetta
