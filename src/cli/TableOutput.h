// The rows a command prints: tab-separated lines under a header line, or the same rows as a
// JSON array of objects keyed by the column names.
//
// Text is single-byte and in no known character set, so both forms keep every byte findable:
// - TSV: a tab, line break or other control character inside a field would break the line
//   structure, so each is written as a space. Everything else passes unchanged.
// - JSON: quotes, backslashes and control characters are escaped, and every byte of 128 and
//   above is written as \u00XX, the code point with the same number. The output is plain ASCII
//   and always valid JSON, and each field's bytes come back by taking the code points as bytes.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace pagehold {

enum class OutputFormat { Tsv, Json };

// "tsv" or "json"; false for anything else.
bool ParseOutputFormat(std::string_view text, OutputFormat& format);

struct Field {
  Field(std::string text) : text(std::move(text)) {}  // NOLINT: fields are written as text
  Field(const char* text) : text(text) {}             // NOLINT
  Field(long long number) : text(std::to_string(number)), isNumber(true) {}  // NOLINT
  Field(int number) : Field(static_cast<long long>(number)) {}               // NOLINT

  std::string text;
  bool isNumber = false;
};

class TableWriter {
 public:
  // Writes the header line (TSV) or the opening bracket (JSON).
  TableWriter(std::ostream& out, OutputFormat format, std::vector<std::string> columns);
  // Writes the closing bracket of a JSON array.
  ~TableWriter();
  TableWriter(const TableWriter&) = delete;
  TableWriter& operator=(const TableWriter&) = delete;

  // One row, a field per column.
  void Row(const std::vector<Field>& fields);

 private:
  std::ostream& out_;
  OutputFormat format_;
  std::vector<std::string> columns_;
  bool firstRow_ = true;
};

// A string as a JSON string literal, quotes included.
std::string JsonQuoted(std::string_view text);

// A TSV field: control characters become spaces.
std::string TsvField(std::string_view text);

// A day count as local date and time in ISO 8601 form, "2024-03-05T14:07:09".
std::string IsoDateTime(double date);

}  // namespace pagehold
