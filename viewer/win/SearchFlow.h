// What the main frame and the search (the word box, the search command, the progress dialog
// and the result list) need from each other. The frame owns the book and the panes; the search
// code owns the word box, the list and the dialog.
#ifndef BRISVANE_VIEWER_WIN_SEARCHFLOW_H
#define BRISVANE_VIEWER_WIN_SEARCHFLOW_H

#include <windows.h>

#include "Dunmoor.h"

namespace brisvane {

// The functions of Dunmoor.dll the viewer binds by name (27 of them, and epwBooksOpenAt when the
// library has it: without it only the first usable book of a disc opens).
using BookApi = DunmoorExports;

// The frame, as the search code sees it (implemented by the main frame).
class FrameForSearch {
 public:
  virtual ~FrameForSearch() = default;
  virtual HWND FrameWindow() const = 0;
  virtual const BookApi& Book() const = 0;
  virtual bool IsBookOpen() const = 0;
  // Status bar pane 0 (messages) or 1 (the result count).
  virtual void SetStatusText(int pane, const wchar_t* text) = 0;
  // viewSetContentBlank.
  virtual void BlankContent() = 0;
  // Empties the LayerStack and greys the 前の階層 button.
  virtual void ClearLayers() = 0;
  // Greys the 前の階層 button only (a new search).
  virtual void GreyPreviousLayer() = 0;
  // Posts VM_VIEW_SHOWPOS with the hit index to the content pane.
  virtual void ShowHit(int index) = 0;
  virtual void ReportReadError() = 0;
  virtual void ShowModalMessage(const wchar_t* text) = 0;
  // The program-wide flags of the viewer.
  virtual bool& ModalBusy() = 0;
  virtual bool& FocusWordBoxOnActivate() = 0;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHFLOW_H
