// Pictures and sound of the text: the picture window and the sound player for the code block
// of a clicked graphic or sound.
#include <new>

#include "win/CalvettaRes.h"
#include "win/ContentWindow_win.h"
#include "win/SoundPlayer_win.h"
#include "win/ViewMessage_win.h"

namespace calvetta {

void ContentWindow::ShowPicture(const char* codeBlock) {
  // One picture at a time: the one shown goes, with its memory, before the next is read.
  ClosePicture();
  const DunmoorExports& book = binding.Functions();
  if (!codeBlock || !book.epwGetImageSize || !book.epwGetImage) return;
  char caption[kDunmoorCaptionSize] = {};
  int32_t size = book.epwGetImageSize(codeBlock, caption);
  if (size < 0) {
    HandleFailure();
    return;
  }
  try {
    pictureMemory.assign(static_cast<size_t>(size), 0);
  } catch (const std::bad_alloc&) {
    pictureMemory = {};
    ShowViewMessage(Hwnd(), module, IDS_PICTURE_DAMAGED);
    return;
  }
  int32_t kind = -1;
  int32_t got = book.epwGetImage(codeBlock, reinterpret_cast<char*>(pictureMemory.data()), &kind);
  if (got < 0) {
    pictureMemory = {};
    HandleFailure();
    return;
  }
  // The headers of the picture must describe bytes that were received before anything reads
  // pixels through them; a damaged picture is reported instead of shown.
  auto popup = std::make_unique<ImagePopup>(module, bmpWindowDestroy);
  bool shown = false;
  if (kind == 0) {
    media::MonochromePicture mono;
    shown = media::ReadMonochromePicture(pictureMemory.data(), pictureMemory.size(), &mono) &&
            popup->ShowMonochrome(Hwnd(), std::move(mono));
  } else if (kind == 1) {
    media::ColourBmp bmp;
    shown = media::CheckColourBmp(pictureMemory.data(), pictureMemory.size(), &bmp) == media::BmpCheck::kOk &&
            popup->ShowColour(Hwnd(), pictureMemory.data(), bmp);
  }
  if (!shown) {
    popup.reset();
    pictureMemory = {};
    ShowViewMessage(Hwnd(), module, IDS_PICTURE_DAMAGED);
    return;
  }
  picture = std::move(popup);
}

void ContentWindow::ClosePicture() {
  // The window first (it draws from the memory), then the memory. The notification the window
  // posts finds no window of its own left and frees nothing twice.
  picture.reset();
  pictureMemory = {};
}

void ContentWindow::OnPictureWindowGone() {
  // Only a picture whose window has gone by itself (closed by the user) is freed here: a
  // notification that arrives after the view replaced the picture leaves the new one alone.
  if (picture && !picture->Hwnd()) ClosePicture();
}

void ContentWindow::PlaySoundBlock(const char* codeBlock) {
  soundPlaying = true;
  int result = PlaySoundCode(binding.Functions(), codeBlock, Hwnd());
  if (result == kSoundFileFailed || result == kSoundNoMemory) {
    ShowViewMessage(Hwnd(), module, IDS_SOUND_CANNOT_PLAY);
  } else if (result == kSoundBookFailed) {
    HandleFailure();
  }
}

void ContentWindow::StopSound() {
  if (!soundPlaying) return;
  StopSoundFile();
  soundPlaying = false;
}

}  // namespace calvetta
