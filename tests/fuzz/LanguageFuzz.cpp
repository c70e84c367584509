// Language files lie beside the program and anyone may write one: any bytes must give texts
// for a window and its messages without changing the window's make-up.
#include <cstddef>
#include <cstdint>
#include <string>

#include "global/Localization.h"
#include "platform/PortableProfileStore.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using namespace kelvane;
using fuzzsupport::Fault;

// A window with a component of every kind, named as the main window's are.
WindowTexts SampleWindow() {
  return {"frmKelvane",
          "Tessaly Kelvane",
          {{"lTitle", ComponentKind::Caption, {"Kelvane"}},
           {"bRestoreRegistry", ComponentKind::Caption, {"Restore previous registry "}},
           {"sbStatus", ComponentKind::StatusPanels, {"Ready", ""}},
           {"lvRegistryData", ComponentKind::ListColumns, {"Problem", "Registry key", "Value"}},
           {"pcPages", ComponentKind::Pages, {"Scan", "Repair"}},
           {"miFile", ComponentKind::MenuItem, {"&File"}},
           {"N1", ComponentKind::MenuItem, {"-"}},
           {"tvRegistry", ComponentKind::TreeNodes, {"My Computers", "Files and Folders", "\"x\""}},
           {"eOutputDirectory", ComponentKind::Untranslated, {"C:\\Backup"}}}};
}

const char* const kMessageKeys[] = {"RES_Scanning_Shared_Dlls", "RES_Problem_Fonts",
                                    "RES_FindProblems", "RES_ThereTotal", ""};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzsupport::ScratchFolder folder;
  static const std::string language = "Fuzz";
  fuzzsupport::WriteFileBytes(LanguageFilePath(folder.Path(), language),
                              std::string(reinterpret_cast<const char*>(data), size));

  PortableProfileStore store;
  const Language lookup(store, folder.Path(), language);
  for (const char* key : kMessageKeys) {
    if (lookup.LangString(key, "English text").size() > kProfileValueMaxLength) {
      Fault("a message is longer than a profile value can be");
    }
  }

  const WindowTexts before = SampleWindow();
  WindowTexts window = before;
  lookup.TranslateWindow(window, language);
  if (window.name != before.name || window.components.size() != before.components.size()) {
    Fault("translation changed the window's make-up");
  }
  for (std::size_t i = 0; i < window.components.size(); ++i) {
    const WindowComponent& was = before.components[i];
    const WindowComponent& is = window.components[i];
    if (is.name != was.name || is.kind != was.kind || is.texts.size() != was.texts.size()) {
      Fault("translation changed a component's make-up");
    }
    for (std::size_t t = 0; t < is.texts.size(); ++t) {
      const bool fixed = was.kind == ComponentKind::Untranslated ||
                         (was.kind == ComponentKind::MenuItem && was.texts[t] == "-");
      if (fixed && is.texts[t] != was.texts[t]) Fault("a text that is never looked up changed");
    }
  }
  return 0;
}
