// Pictures and sound of the text: the picture window and the sound player for the code block
// of a clicked graphic or sound. One picture at a time, with the memory read for it; a sound
// started from the text is stopped by the next click or key.
#ifndef CALVETTA_WIN_CONTENTMEDIA_WIN_H
#define CALVETTA_WIN_CONTENTMEDIA_WIN_H

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/Window.h"
#include "win/DunmoorBinding_win.h"
#include "win/ImagePopup_win.h"
#include "win/ViewMessage_win.h"
#include "win/ViewRouter_win.h"

namespace calvetta {

class ContentMedia {
 public:
  // window: the view, which owns the pictures and the message boxes.
  ContentMedia(const ui::Window& window, HINSTANCE module, const DunmoorBinding& binding, ViewMessages& messages,
               ViewRouter& router);
  // The registered message ("BMP Window Destroy") a picture window posts when it goes.
  UINT PictureGoneMessage() const { return pictureGone; }

  void ShowPicture(const char* codeBlock);
  // The window first (it draws from the memory), then the memory.
  void ClosePicture();
  // Pictures open dark from now on (the view's palette).
  void SetDark(bool isDark) { dark = isDark; }
  // PictureGoneMessage arrived.
  void OnPictureWindowGone();
  // Sets the sound playing flag; StopSound stops a sound only while it is set.
  void PlaySoundBlock(const char* codeBlock);
  void StopSound();

 private:
  const ui::Window& window;
  HINSTANCE module;
  const DunmoorBinding& binding;
  ViewMessages& messages;
  ViewRouter& router;
  UINT pictureGone;
  // The picture shown (its window and the memory read for it; both empty when none).
  std::unique_ptr<ImagePopup> picture;
  bool dark = false;
  std::vector<uint8_t> pictureMemory;
  std::vector<uint8_t> pictureJpeg;  // the book's file of a JPEG picture, which pictureMemory shows decoded
  bool soundPlaying = false;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTMEDIA_WIN_H
