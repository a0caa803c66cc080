#include "win/SoundPlayer_win.h"

#include <mmsystem.h>

#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "CdAudio.h"
#include "MediaPaths.h"
#include "WaveFile.h"
#include "ui/UniqueHandle.h"
#include "win/ViewMessage_win.h"

namespace calvetta {

namespace {

// Sound properties: byte 0 kind, 1-5 the CD audio track and times, 6-9 the format codes.
constexpr uint8_t kCdAudio = 0;
constexpr uint8_t kSoundData = 1;
constexpr size_t kTempPathCapacity = 400;

// The text for an MCI error: the system's, an empty one read as "not found", or none at all.
void ShowCdError(MCIERROR error, HWND owner, ViewMessages& messages) {
  wchar_t text[256] = L"";
  std::wstring message;
  if (!mciGetErrorStringW(error & 0xFFFF, text, sizeof text / sizeof text[0])) {
    message = L"Unknow Error";
  } else if (text[0] == L'\0') {
    message = L"CDDA \u30c7\u30fc\u30bf\u304c\u898b\u3064\u304b\u308a\u307e\u305b\u3093!";
  } else {
    message = text;
  }
  messages.Show(owner, message);
}

int PlayCdAudio(const uint8_t* properties, HWND owner, ViewMessages& messages) {
  wchar_t reply[128];
  for (const wchar_t* command : {L"open cdaudio", L"set cdaudio time format tmsf"}) {
    if (MCIERROR error = mciSendStringW(command, reply, sizeof reply / sizeof reply[0], nullptr)) {
      ShowCdError(error, owner, messages);
      return kSoundCdShown;
    }
  }
  media::CdPlayRange range;
  if (!media::CdRange(properties, &range)) {
    messages.Show(owner, L"CDDA \u30c7\u30fc\u30bf\u304c\u898b\u3064\u304b\u308a\u307e\u305b\u3093! ");
    return kSoundCdShown;
  }
  wchar_t play[64];
  std::swprintf(play, sizeof play / sizeof play[0], L"play cdaudio from %u to %u", range.from, range.to);
  if (MCIERROR error = mciSendStringW(play, reply, sizeof reply / sizeof reply[0], nullptr)) {
    ShowCdError(error, owner, messages);
    return kSoundCdShown;
  }
  return kSoundPlayed;
}

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
}

int PlaySoundData(const DunmoorExports& book, const char* code, const uint8_t* properties) {
  int32_t size = book.epwGetPcmSize(code);
  if (size < 0) return kSoundBookFailed;
  std::unique_ptr<char[]> samples(new (std::nothrow) char[size > 0 ? size : 1]);
  if (!samples) return kSoundNoMemory;
  // No bytes: nothing to read (the library would refuse the read), an empty sound.
  int32_t got = size > 0 ? book.epwGetPcmCont(code, samples.get()) : 0;
  if (got < 0 || got > size) return kSoundBookFailed;

  wchar_t tempDir[kTempPathCapacity];
  DWORD length = GetTempPathW(kTempPathCapacity, tempDir);
  if (length == 0 || length >= kTempPathCapacity) return kSoundFileFailed;
  const std::wstring path = media::TempWavePath(std::wstring(tempDir, length));
  // The header is made afresh for every sound: nothing of an earlier sound's format remains.
  std::vector<uint8_t> header = media::WaveHeader(media::FormatOfCodes(properties + 6), static_cast<uint32_t>(got));
  ui::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return kSoundFileFailed;
  bool written = WriteAll(file.Get(), header.data(), static_cast<DWORD>(header.size())) &&
                 WriteAll(file.Get(), samples.get(), static_cast<DWORD>(got));
  if (!file.Close() || !written) return kSoundFileFailed;
  if (waveOutGetNumDevs() == 0) return kSoundNoDevice;
  // In the background; no default sound for a bad file; a sound still playing goes on.
  sndPlaySoundW(path.c_str(), SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
  return kSoundPlayed;
}

}  // namespace

int PlaySoundCode(const DunmoorExports& book, const char* code, HWND owner, ViewMessages& messages) {
  uint8_t properties[kDunmoorSoundPropertiesSize] = {};
  if (!code || book.epwGetSoundProp(code, properties) != kDunmoorSuccess) return kSoundBookFailed;
  if (properties[0] == kCdAudio) return PlayCdAudio(properties, owner, messages);
  if (properties[0] == kSoundData) return PlaySoundData(book, code, properties);
  return kSoundPlayed;
}

void StopSoundFile() { sndPlaySoundW(nullptr, 0); }

}  // namespace calvetta
