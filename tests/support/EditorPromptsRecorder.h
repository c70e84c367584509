// A stand-in for the window behind the commands that start the registry editor: it answers as
// told and records what it was shown.
#pragma once

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "editor/EditorCommands.h"

namespace kelvane::testsupport {

class RecordingEditorPrompts : public FullBackupPrompts {
 public:
  bool processRunsToItsEnd = true;
  std::optional<std::string> chosenFile;
  bool overwrite = false;
  std::vector<std::string> hints;
  std::vector<std::string> messages;  // information, then warnings, prefixed by their kind
  std::vector<std::string> questions;
  std::vector<std::string> saveDialogs;  // title and filter

  // Polls as the progress window does, or stops the process at once.
  bool WaitForProcess(StartedProcess& process, const std::string& hint) override {
    hints.push_back(hint);
    if (!processRunsToItsEnd) {
      process.Terminate();
      return false;
    }
    while (!process.HasEnded()) std::this_thread::yield();
    return true;
  }
  void ShowInformation(const std::string& message) override {
    messages.push_back("information: " + message);
  }
  void ShowWarning(const std::string& message) override {
    messages.push_back("warning: " + message);
  }
  std::optional<std::string> AskSaveFile(const std::string& title,
                                         const std::string& filter) override {
    saveDialogs.push_back(title + " | " + filter);
    return chosenFile;
  }
  bool AskYesNo(const std::string& question) override {
    questions.push_back(question);
    return overwrite;
  }
};

}  // namespace kelvane::testsupport
