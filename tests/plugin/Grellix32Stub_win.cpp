// A stand-in for the host's exchange library, for the tests only: the four functions under
// their ordinals (plugin/Grellix32.def), each appending one line to the file that the
// environment variable GRELLIX_LOG names:
//   11 PORT CLASS-OF-THE-NOTIFY-WINDOW      35 HANDLE MODEL LENGTH HEX-BYTES|null
//   24 HANDLE MODEL                         12 HANDLE
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kHandle = 1234;

void Log(const std::string& line) {
  char path[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("GRELLIX_LOG", path, MAX_PATH)) return;
  if (FILE* file = std::fopen(path, "ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

}  // namespace

// Exported under their ordinals only, by plugin/Grellix32.def.
extern "C" {

DWORD WINAPI GrellixOpenPort(const char* port, HWND notifyWindow) {
  char name[64] = "none";
  if (notifyWindow) GetClassNameA(notifyWindow, name, sizeof name);
  Log("11 " + std::string(port ? port : "(null)") + " " + name);
  return kHandle;
}

DWORD WINAPI GrellixClosePort(DWORD exchange) {
  Log("12 " + std::to_string(exchange));
  return 0;
}

DWORD WINAPI GrellixReleaseModel(DWORD exchange, const char* model) {
  Log("24 " + std::to_string(exchange) + " " + (model ? model : "(null)"));
  return 0;
}

DWORD WINAPI GrellixSendWord(DWORD exchange, const char* model, const char* word, int length) {
  std::string hex = word ? "" : "null";
  for (int i = 0; word && i < length; ++i) {
    char byte[3];
    std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(word[i]));
    hex += byte;
  }
  Log("35 " + std::to_string(exchange) + " " + (model ? model : "(null)") + " " + std::to_string(length) + " " + hex);
  return 0;
}
}
