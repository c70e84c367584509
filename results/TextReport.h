// The results list saved as a plain text file: two header lines, an empty line, then one line
// per row with its three columns joined by a separator.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystemAccess.h"
#include "results/ResultsModel.h"

namespace kelvane {

// The save dialog's texts; the filter pairs a description with its pattern, separated by '|'.
constexpr char kTextReportDialogTitle[] = "Save as Text File";
constexpr char kTextReportDialogFilter[] = "Text files (*.txt)|*.txt";

// ".txt" is appended unless the name already ends in exactly that, letter case counted.
std::string TextReportFileName(const std::string& chosenName);

// The question asked before an existing file is replaced.
std::string OverwriteQuestion(const std::string& path);

// Every row, ticked or not, in list order; texts are written as they are.
std::vector<std::string> TextReportLines(const ResultsModel& results);

// Creates or replaces the file with the report's lines; raises FileIoError when it cannot.
void WriteTextReport(FileSystemAccess& files, const std::string& path, const ResultsModel& results);
// The same for lines of any report; a report cut short is deleted.
void WriteReportLines(FileSystemAccess& files, const std::string& path,
                      const std::vector<std::string>& lines);

}  // namespace kelvane
