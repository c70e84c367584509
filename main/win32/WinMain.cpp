#include <windows.h>
#include <commctrl.h>

#include "global/Settings.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"

namespace {

// The main window's designed size, from which the default placement is computed.
constexpr kelvane::PixelSize kMainWindowSize{684, 520};

}  // namespace

// The main window is not built yet: the program loads its settings and writes them back, as it
// does around the main window's life, and ends.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  kelvane::Win32FileSystem files;
  kelvane::Win32ProfileStore profiles;
  const std::string folder = files.ProgramFolder();
  const kelvane::PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const kelvane::Settings settings = kelvane::LoadSettings(profiles, folder, screen, kMainWindowSize);
  const kelvane::WindowRect bounds = settings.WindowBounds.value_or(kelvane::WindowRect{
      0, 0, kMainWindowSize.width, kMainWindowSize.height});
  try {
    kelvane::SaveSettings(profiles, folder, settings, std::nullopt, bounds);
  } catch (const kelvane::SettingsWriteError& error) {
    MessageBoxA(nullptr, error.what(), "Tessaly Kelvane", MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
