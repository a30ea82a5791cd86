#include "cli/TableOutput.h"

#include <cstdio>
#include <ostream>

#include "cache/Dates.h"

namespace pagehold {

bool ParseOutputFormat(std::string_view text, OutputFormat& format) {
  if (text == "tsv")
    format = OutputFormat::Tsv;
  else if (text == "json")
    format = OutputFormat::Json;
  else
    return false;
  return true;
}

TableWriter::TableWriter(std::ostream& out, OutputFormat format, std::vector<std::string> columns)
    : out_(out), format_(format), columns_(std::move(columns)) {
  if (format_ == OutputFormat::Json) {
    out_ << '[';
    return;
  }
  for (std::size_t i = 0; i < columns_.size(); ++i)
    out_ << (i == 0 ? "" : "\t") << TsvField(columns_[i]);
  out_ << '\n';
}

TableWriter::~TableWriter() {
  if (format_ == OutputFormat::Json)
    out_ << (firstRow_ ? "]\n" : "\n]\n");
}

void TableWriter::Row(const std::vector<Field>& fields) {
  if (format_ == OutputFormat::Tsv) {
    for (std::size_t i = 0; i < fields.size(); ++i)
      out_ << (i == 0 ? "" : "\t") << TsvField(fields[i].text);
    out_ << '\n';
    return;
  }
  out_ << (firstRow_ ? "\n  {" : ",\n  {");
  for (std::size_t i = 0; i < fields.size() && i < columns_.size(); ++i) {
    out_ << (i == 0 ? "" : ", ") << JsonQuoted(columns_[i]) << ": "
         << (fields[i].isNumber ? fields[i].text : JsonQuoted(fields[i].text));
  }
  out_ << '}';
  firstRow_ = false;
}

std::string JsonQuoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", byte);
          quoted += escape;
        } else {
          quoted += c;
        }
    }
  }
  quoted += '"';
  return quoted;
}

std::string TsvField(std::string_view text) {
  std::string field(text);
  for (char& c : field) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      c = ' ';
  }
  return field;
}

std::string IsoDateTime(double date) {
  const DateParts parts = DecodeDate(date);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", parts.year, parts.month,
                parts.day, parts.hour, parts.minute, parts.second);
  return text;
}

}  // namespace pagehold
