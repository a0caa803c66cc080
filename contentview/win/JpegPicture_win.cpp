#include "win/JpegPicture_win.h"

#include <windows.h>
#include <wincodec.h>

#include <cstring>

namespace calvetta {

namespace {

// A COM interface released when it goes.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p) p->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** Out() { return &p; }
  T* operator->() const { return p; }
  T* Get() const { return p; }

 private:
  T* p = nullptr;
};

// COM for this thread while it is needed, left as it was found.
class ComScope {
 public:
  ComScope() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  // Usable also when the thread had COM already in another model.
  bool Usable() const { return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result;
};

void Put16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
void Put32(uint8_t* at, uint32_t value) {
  Put16(at, value);
  Put16(at + 2, value >> 16);
}

}  // namespace

bool IsJpeg(const uint8_t* file, size_t size) {
  return file && size >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF;
}

bool DecodeJpeg(const uint8_t* file, size_t size, std::vector<uint8_t>* bitmapFile) {
  if (!IsJpeg(file, size) || size > 0x7FFFFFFF) return false;
  ComScope com;
  if (!com.Usable()) return false;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapSource> converted;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.Out()))) ||
      FAILED(factory->CreateStream(stream.Out())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(file), static_cast<DWORD>(size))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
      FAILED(decoder->GetFrame(0, frame.Out())) ||
      FAILED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame.Get(), converted.Out())))
    return false;
  UINT width = 0, height = 0;
  if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 ||
      uint64_t{width} * height > kMostJpegPixels)
    return false;
  const uint32_t stride = (width * 3 + 3) & ~3u;
  const uint32_t pixels = stride * height;
  constexpr uint32_t kHeaders = 14 + 40;
  std::vector<uint8_t> out(kHeaders + pixels, 0);
  // Decoded top row first, into a packed buffer; stored bottom row first, as bitmap files are.
  std::vector<uint8_t> rows(static_cast<size_t>(stride) * height);
  WICRect all = {0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  if (FAILED(converted->CopyPixels(&all, stride, static_cast<UINT>(rows.size()), rows.data()))) return false;
  for (UINT y = 0; y < height; ++y)
    std::memcpy(&out[kHeaders + static_cast<size_t>(height - 1 - y) * stride], &rows[static_cast<size_t>(y) * stride],
                stride);
  out[0] = 'B';
  out[1] = 'M';
  Put32(&out[2], static_cast<uint32_t>(out.size()));
  Put32(&out[10], kHeaders);
  Put32(&out[14], 40);
  Put32(&out[18], width);
  Put32(&out[22], height);
  Put16(&out[26], 1);
  Put16(&out[28], 24);
  Put32(&out[34], pixels);
  *bitmapFile = std::move(out);
  return true;
}

}  // namespace calvetta
