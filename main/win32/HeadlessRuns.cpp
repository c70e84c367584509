#include "main/win32/HeadlessRuns.h"

#include <windows.h>

#include <cstdio>

#include "KelvaneVersion.h"
#include "global/win32/StandardStreams.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "repair/QuietCleanOnce.h"
#include "repair/win32/RestorePointDialog.h"
#include "results/ReportRun.h"
#include "results/ReportSeries.h"
#include "results/TextReport.h"

namespace kelvane {
namespace {

std::string UtcText(const char* format) {
  SYSTEMTIME now;
  GetSystemTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, format, now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return text;
}

std::string UtcNow() { return UtcText("%04u-%02u-%02uT%02u:%02u:%02uZ"); }

ReportFacts RunningFacts() {
  ReportFacts facts{KELVANE_VERSION_TEXT, "", "", &UtcNow};
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (GetComputerNameW(name, &size)) facts.computer = Utf8(name, size);
  wchar_t user[257];
  size = 257;
  if (GetUserNameW(user, &size) && size > 0) facts.user = Utf8(user, size - 1);
  return facts;
}

LocalDateTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace

int RunReportMode(const StartRequest& request) {
  if (!request.WantsReport()) {
    WriteStandardError("-report needs the path of the report file");
    return kUsageExitCode;
  }
  Win32Registry registry;
  Win32FileSystem files;
  Win32System system;
  Win32ProfileStore profiles;
  const std::string path =
      DatedReportPath(request.reportPath, UtcText("%04u%02u%02uT%02u%02u%02uZ"));
  const ReportOutcome outcome = RunReport(registry, files, system, profiles, files.ProgramFolder(),
                                          {path, request.Format()}, RunningFacts());
  if (!outcome.written) WriteStandardError("no report written: " + outcome.failure);
  if (outcome.written && request.keep) PruneReportSeries(files, request.reportPath, *request.keep);
  WriteStandardOutput(ReportSummaryLine(outcome, path));
  if (!outcome.written) return request.exitCode ? kDetectionFailedExitCode : kFailedExitCode;
  if (request.exitCode && outcome.certain > 0) return kProblemsFoundExitCode;
  return 0;
}

int RunQuietCleanOnceMode(const StartRequest& request) {
  Win32Registry registry;
  Win32FileSystem files;
  Win32System system;
  Win32ProfileStore profiles;
  const std::string started = UtcNow();
  RepairContext context{registry, files, system.Version(), &LocalNow, RepairGroupLimits{}};
  QuietCleanOnceOutcome outcome =
      RunQuietCleanOnce(context, system, profiles, files.ProgramFolder(),
                        [] { return CreateRestorePoint() == RestorePointOutcome::Created; });
  if (!outcome.failure.empty()) WriteStandardError("clean-once: " + outcome.failure);
  WriteStandardError(outcome.line);
  if (request.WantsReport()) {
    ReportFacts facts = RunningFacts();
    const ReportHeader header{facts.programVersion, facts.computer, facts.user, started,
                              UtcNow(), outcome.categories};
    try {
      WriteReportLines(files, request.reportPath,
                       ReportLinesOf(request.Format(), header, outcome.rows));
    } catch (const FileIoError& error) {
      WriteStandardError(std::string("no report written: ") + error.what());
      if (outcome.exitCode == 0) outcome.exitCode = kFailedExitCode;
    }
  }
  WriteStandardOutput(CleanOnceSummaryLine(outcome, request.reportPath));
  return outcome.exitCode;
}

}  // namespace kelvane
