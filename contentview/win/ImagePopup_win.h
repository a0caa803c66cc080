// The picture window (class "BMP window", title "画像"): one picture of the book, owned by the
// view, with a toolbar to close it, copy the picture to the clipboard or save it as a bitmap
// file (offered under the picture's caption in the user's Pictures folder; a JPEG picture is
// saved as the JPEG file it is). A monochrome picture is kept by the window; a colour picture stays in the view's
// memory, which must outlive the window. When the window goes, the registered message "BMP
// Window Destroy" is posted to every top-level window and to the owner.
#ifndef CALVETTA_WIN_IMAGEPOPUP_WIN_H
#define CALVETTA_WIN_IMAGEPOPUP_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BmpImage.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"
#include "win/ViewMessage_win.h"

namespace calvetta {

class ImagePopup : public ui::Window {
 public:
  // messages shows what goes wrong with the clipboard or the file.
  ImagePopup(HINSTANCE module, UINT destroyMessage, ViewMessages& messages)
      : module(module), destroyMessage(destroyMessage), messages(messages) {}
  ~ImagePopup() override;

  // The picture's caption, the name its 保存 offers (before Show...).
  void SetCaption(std::wstring text) { caption = std::move(text); }
  // Drawn dark (before it opens): its ground, its toolbar's pictures and its title bar.
  void SetDark(bool isDark) { dark = isDark; }
  bool ShowMonochrome(HWND owner, media::MonochromePicture picture);
  // file holds bmp.fileSize checked bytes and stays valid while the window is there.
  bool ShowColour(HWND owner, const uint8_t* file, const media::ColourBmp& bmp);
  // A colour picture the book stores as a JPEG file (shown from its decoded bitmap): 保存 writes
  // these size bytes as they are, under a .jpg name. They stay valid while the window is there.
  void KeepJpeg(const uint8_t* bytes, size_t size) {
    jpeg = bytes;
    jpegSize = size;
  }
  void Close();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::Handled OnCommand(int id, int code, HWND control) override;
  ui::Handled OnNotify(const NMHDR& header) override;
  ui::Handled OnDestroy() override;

 private:
  bool Open(HWND owner, int width, int height);
  void CreateToolbar(int clientWidth, int dpi);
  void Paint(HDC dc);
  void SelectPaletteInto(HWND window);
  void CreatePalette();
  std::vector<uint8_t> Dib() const;
  void Copy();
  void Save();

  HINSTANCE module;
  UINT destroyMessage;
  ViewMessages& messages;
  HWND owner = nullptr;
  HWND toolbar = nullptr;
  ui::UniqueImageList toolbarPictures;
  int toolbarHeight = 0;  // at the owner's monitor's resolution
  int kind = 0;  // 0 monochrome, 1 colour
  bool dark = false;
  media::MonochromePicture mono;
  const uint8_t* file = nullptr;
  media::ColourBmp bmp;
  const uint8_t* jpeg = nullptr;  // the book's JPEG file of a colour picture, when it is one
  size_t jpegSize = 0;
  ui::UniqueGdiObject palette;
  std::wstring caption;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_IMAGEPOPUP_WIN_H
