#include "platform/FileSystemAccess.h"

namespace kelvane {

FileIoError MakeFileIoError(FileIoStep step, const std::string& path, const std::string& reason) {
  std::string what;
  switch (step) {
    case FileIoStep::Create:
      what = "Cannot create file \"" + path + "\".";
      break;
    case FileIoStep::Append:
      what = "Cannot open file \"" + path + "\" for appending.";
      break;
    case FileIoStep::Write:
      what = "Cannot write to file \"" + path + "\".";
      break;
    case FileIoStep::CreateFolder:
      what = "Cannot create the folder \"" + path + "\".";
      break;
  }
  return FileIoError(reason.empty() ? what : what + " " + reason);
}

}  // namespace kelvane
