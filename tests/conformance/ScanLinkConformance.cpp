// A link below a scanned key is neither reported nor walked into, on the live registry as in
// the stand-in.
#include <gtest/gtest.h>

#include "backup/BackupWriter.h"
#include "platform/RegFile.h"
#include "tests/conformance/ScanConformanceFixture.h"

namespace kelvane {
namespace {

constexpr char kData[] = "Software\\KelvaneScanData";
const char* const kLinks[] = {"Software\\KelvaneScanLinkToEmpty",
                              "Software\\KelvaneScanLinkToData"};

class ScanLinkConformance : public ScanConformanceFixture {
 protected:
  void RemoveMarkedEntries() override {
    for (const char* link : kLinks) RemoveRegistryLink(*registry_, link);
    ApplyRegFile(*registry_,
                 ParseRegFile(std::string("REGEDIT4\r\n[-HKEY_CURRENT_USER\\") + kData + "]\r\n"));
  }
};

TEST_F(ScanLinkConformance, ALinkIsNeitherAnEmptyKeyNorAWayToTheValuesOfItsTarget) {
  const std::string gone = folder_ + "gone.doc";
  ApplyRegFile(*registry_, ParseRegFile(std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\") + kData +
                                        "]\r\n\"Recent\"=\"" + EscapeRegText(gone) +
                                        "\"\r\n[HKEY_CURRENT_USER\\" + kData + "\\Empty]\r\n"));
  MakeRegistryLink(*registry_, kLinks[0], std::string(kData) + "\\Empty");
  MakeRegistryLink(*registry_, kLinks[1], kData);

  EXPECT_EQ(MarkedRows({ScanCategory::FilesAndFoldersCurrentUser, ScanCategory::ObsoleteSoftware}),
            std::vector<std::string>{std::string("HKEY_CURRENT_USER\\") + kData + "\\Recent | " +
                                     gone + " | 1"});
}

}  // namespace
}  // namespace kelvane
