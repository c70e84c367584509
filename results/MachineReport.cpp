#include "results/MachineReport.h"

#include <cstdio>

#include "platform/Text.h"
#include "results/IgnoreLists.h"
#include "scan/FindingRules.h"

namespace kelvane {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A row's fields in report order; a field without a value is none (JSON null, CSV empty).
struct Field {
  const char* name;
  std::optional<std::string> text;  // UTF-8
  bool isFlag = false;              // "true" or "false", unquoted in JSON
};

const char* OutcomeName(RowOutcome outcome) {
  switch (outcome) {
    case RowOutcome::Repaired: return "repaired";
    case RowOutcome::Left: return "left";
    case RowOutcome::Found: break;
  }
  return "found";
}

// The row's column that holds text of the item rather than its name.
bool ShowsValueText(RepairKind kind) {
  return kind == RepairKind::Key || kind == RepairKind::ValueInKeyText ||
         kind == RepairKind::DefaultValue || kind == RepairKind::EncodedValueName;
}

// Rows whose item is a key, or a file, have no value name.
bool NamesAKey(RepairKind kind) {
  return kind == RepairKind::Key || kind == RepairKind::SubkeyNamedByValue ||
         kind == RepairKind::ShortcutFile;
}

// The program's texts are UTF-8 already.
using Text = std::optional<std::string>;

std::vector<Field> FieldsOf(const ReportedRow& row) {
  const ProblemRecord& record = row.record;
  const bool isFile = record.repairKind == RepairKind::ShortcutFile;
  const MatchTarget target = MatchTargetOf(record);
  std::optional<std::string> valueName;
  if (record.repairKind == RepairKind::DefaultValue) {
    valueName = "";
  } else if (!NamesAKey(record.repairKind)) {
    valueName = Text(target.valueName);
  }
  return {
      {"category", std::string(CategoryId(record.category))},
      {"rule", record.ruleId},
      {"class", std::string(CertaintyName(record.certainty))},
      {"reason", Text(record.reason)},
      {"problem", Text(record.problem)},
      {"key", isFile ? std::nullopt : Text(target.key)},
      {"value_name", valueName},
      {"value_text", ShowsValueText(record.repairKind) ? Text(record.value) : std::nullopt},
      {"file", isFile ? Text(record.key) : std::nullopt},
      {"tested_path", Text(record.testedPath)},
      {"view", std::string(ViewName(record.view))},
      {"ignored", std::string(row.ignored ? "true" : "false"), true},
      {"outcome", std::string(OutcomeName(row.outcome))},
      {"backup_file", row.backupFile.empty() ? std::nullopt : Text(row.backupFile)},
      // The row's two columns as the window and the text report show them.
      {"list_key", Text(record.key)},
      {"list_value", Text(record.value)},
  };
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string JsonString(const std::string& utf8) {
  std::string quoted = "\"";
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string JsonValue(const Field& field) {
  if (!field.text) return "null";
  return field.isFlag ? *field.text : JsonString(*field.text);
}

std::string JsonObject(const std::vector<std::pair<std::string, std::string>>& members) {
  std::string object = "{";
  for (const auto& [name, value] : members) {
    if (object.size() > 1) object += ',';
    object += JsonString(name) + ":" + value;
  }
  return object + "}";
}

std::string JsonCategories(const std::vector<ScanCategory>& categories) {
  std::string list = "[";
  for (const ScanCategory category : categories) {
    if (list.size() > 1) list += ',';
    list += JsonString(CategoryId(category));
  }
  return list + "]";
}

std::string JsonCounts(const std::vector<ReportedRow>& rows) {
  std::size_t certain = 0, ignored = 0, repaired = 0;
  for (const ReportedRow& row : rows) {
    if (row.ignored) {
      ++ignored;
      continue;
    }
    if (row.record.certainty == Certainty::Certain) ++certain;
    if (row.outcome == RowOutcome::Repaired) ++repaired;
  }
  const std::size_t listed = rows.size() - ignored;
  return JsonObject({{"rows", std::to_string(listed)},
                     {"certain", std::to_string(certain)},
                     {"review", std::to_string(listed - certain)},
                     {"ignored", std::to_string(ignored)},
                     {"repaired", std::to_string(repaired)}});
}

}  // namespace

std::optional<ReportFormat> ReportFormatNamed(const std::string& name) {
  const std::string lower = LowerCaseAscii(name);
  if (lower == "text") return ReportFormat::Text;
  if (lower == "csv") return ReportFormat::Csv;
  if (lower == "jsonl") return ReportFormat::JsonLines;
  return std::nullopt;
}

ReportFormat ReportFormatOfFile(const std::string& path) {
  const std::string name = LowerCaseAscii(path.substr(path.find_last_of("\\/") + 1));
  const std::size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  if (extension == ".csv") return ReportFormat::Csv;
  if (extension == ".jsonl" || extension == ".ndjson") return ReportFormat::JsonLines;
  return ReportFormat::Text;
}

std::vector<std::string> CsvReportLines(const std::vector<ReportedRow>& rows) {
  std::string header = kByteOrderMark;
  for (const Field& field : FieldsOf(ReportedRow{})) {
    if (header.size() > 3) header += ',';
    header += field.name;
  }
  std::vector<std::string> lines = {header};
  for (const ReportedRow& row : rows) {
    std::string line;
    bool first = true;
    for (const Field& field : FieldsOf(row)) {
      if (!first) line += ',';
      first = false;
      line += CsvField(field.text.value_or(""));
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> JsonLinesReportLines(const ReportHeader& header,
                                              const std::vector<ReportedRow>& rows) {
  std::vector<std::string> lines = {JsonObject({
      {"type", JsonString("header")},
      {"schema_version", std::to_string(kReportSchemaVersion)},
      {"program", JsonString("Tessaly Kelvane")},
      {"version", JsonString(header.programVersion)},
      {"computer", JsonString(header.computer)},
      {"user", JsonString(header.user)},
      {"started", JsonString(header.started)},
      {"ended", JsonString(header.ended)},
      {"categories", JsonCategories(header.categories)},
      {"counts", JsonCounts(rows)},
  })};
  for (const ReportedRow& row : rows) {
    std::vector<std::pair<std::string, std::string>> members = {{"type", JsonString("row")}};
    for (const Field& field : FieldsOf(row)) members.emplace_back(field.name, JsonValue(field));
    lines.push_back(JsonObject(members));
  }
  return lines;
}

}  // namespace kelvane
