// The rule of each scan category, and which rule a category runs.
#pragma once

#include <string>
#include <vector>

#include "global/ScanCategory.h"
#include "scan/ScanContext.h"

namespace kelvane {

using CategoryRule = void (*)(ScanContext& scan);

// None for the tree's group nodes.
CategoryRule RuleOf(ScanCategory category);

void ScanFilesAndFoldersLocalMachine(ScanContext& scan);
void ScanFilesAndFoldersCurrentUser(ScanContext& scan);
void ScanFilesAndFoldersUsers(ScanContext& scan);
void ScanEmptyKeysUsers(ScanContext& scan);
void ScanSoftwareLocations(ScanContext& scan);
void ScanObsoleteSoftware(ScanContext& scan);
void ScanApplications(ScanContext& scan);
void ScanWindowsFonts(ScanContext& scan);
void ScanHelpFiles(ScanContext& scan);
void ScanSharedDlls(ScanContext& scan);
void ScanStartupPrograms(ScanContext& scan);
void ScanAddRemovePrograms(ScanContext& scan);
void ScanInstaller(ScanContext& scan);
void ScanFileExtensions(ScanContext& scan);
void ScanCustomControls(ScanContext& scan);
void ScanActiveX(ScanContext& scan);
void ScanWindowsServices(ScanContext& scan);
void ScanStartMenu(ScanContext& scan);
void ScanShortcuts(ScanContext& scan);
void ScanSoundEvents(ScanContext& scan);
void ScanMruLists(ScanContext& scan);

// The walk several rules share: every string value below the key is judged as a file reference;
// keys whose whole path is in exclusions are skipped with their subtrees.
void ScanValueTree(ScanContext& scan, Rule rule, const std::string& rootName,
                   const std::string& path, const std::string& problem,
                   const std::string& anchorName, const std::vector<std::string>& exclusions = {});

}  // namespace kelvane
