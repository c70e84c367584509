#include "scan/ScanFailureMessage.h"

namespace kelvane {

std::string ScanFailureMessage(const Language& language, const ScanFailure& failure) {
  return language.LangString("RES_Scan_Failed",
                             "The scan ended early because of an error. Problems after this "
                             "point are not listed.") +
         "\r\n\r\n" + failure.step + "\r\n" + language.LangString("RES_Scan_Failed_Key", "Key:") +
         " " + failure.key + "\r\n" + language.LangString("RES_Scan_Failed_Error", "Error:") +
         " " + failure.error;
}

std::string ScanFailureLine(const ScanFailure& failure) {
  return "the scan ended early with an error (" + failure.step + " key \"" + failure.key +
         "\"): " + failure.error;
}

}  // namespace kelvane
