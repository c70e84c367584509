#include "platform/FileSystemAccess.h"

namespace kelvane {

FileIoError MakeFileIoError(FileIoStep step, const std::string& path) {
  switch (step) {
    case FileIoStep::Create:
      return FileIoError("Cannot create file '" + path + "'");
    case FileIoStep::Append:
      return FileIoError("Cannot open file '" + path + "' for appending");
    case FileIoStep::Write:
      break;
  }
  return FileIoError("Cannot write to file '" + path + "'");
}

}  // namespace kelvane
