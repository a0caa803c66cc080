// Plays the sound of a sound code of the book: sound data through the temporary file
// "temp.wav" in the temporary directory, CD audio from the disc's track through the media
// control interface. CD audio problems are shown here at once; the rest is a result.
#ifndef CALVETTA_WIN_SOUNDPLAYER_WIN_H
#define CALVETTA_WIN_SOUNDPLAYER_WIN_H

#include <windows.h>

#include "win/DunmoorBinding_win.h"
#include "win/ViewMessage_win.h"

namespace calvetta {

enum SoundResult : int {
  kSoundPlayed = 1,         // played, or nothing to play
  kSoundNoDevice = 2,       // written to the temporary file, but the system has no sound device
  kSoundFileFailed = 100,   // the temporary file cannot be written
  kSoundNoMemory = 101,     // no memory for the samples
  kSoundCdShown = 102,      // a CD audio problem, already shown
  kSoundBookFailed = -1,    // the book-access call failed
};

// code: the sound code (1F 4A or 1F 48) within a copy of the entry text. owner: the window
// that owns the CD audio message boxes, shown through messages.
int PlaySoundCode(const DunmoorExports& book, const char* code, HWND owner, ViewMessages& messages);
// Ends a sound played from the temporary file; CD audio goes on.
void StopSoundFile();

}  // namespace calvetta

#endif  // CALVETTA_WIN_SOUNDPLAYER_WIN_H
