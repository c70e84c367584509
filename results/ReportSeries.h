// A series of reports for a scheduled audit: a report path whose file name holds "*" gets the
// run's time in its place, and only the newest few of the series are kept.
#pragma once

#include <cstddef>
#include <string>

#include "platform/FileSystemAccess.h"

namespace kelvane {

// stamp: the run's UTC time as "YYYYMMDDThhmmssZ", so that the names sort by time. A path
// without "*" in its file name is returned as it is.
std::string DatedReportPath(const std::string& pattern, const std::string& stamp);

// Deletes the oldest files of the series beyond the newest keep; only plain files whose names
// fit the pattern, "*" standing for a stamp. Returns how many it deleted.
std::size_t PruneReportSeries(FileSystemAccess& files, const std::string& pattern,
                              std::size_t keep);

}  // namespace kelvane
