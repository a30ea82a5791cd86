#include "cli/SourceOptions.h"

#include <algorithm>
#include <string_view>

#include "cache/Text.h"
#include "platform/Paths.h"
#include "platform/ProgramFolders.h"

namespace pagehold {

namespace {

// Hands out the arguments one by one, so that a flag can take the value that follows it.
class ArgumentReader {
 public:
  explicit ArgumentReader(const Arguments& args) : args_(args) {}

  bool AtEnd() const { return next_ >= args_.size(); }
  const std::string& Take() { return args_[next_++]; }

  // The value after a flag. A following flag ("--...") is not taken as the value: a forgotten
  // value is far more likely than a file name that starts with two dashes.
  bool TakeValue(const std::string& flag, std::string& value, std::string& reason) {
    if (AtEnd() || args_[next_].rfind("--", 0) == 0) {
      reason = flag + " needs a value";
      return false;
    }
    value = Take();
    return true;
  }

 private:
  const Arguments& args_;
  std::size_t next_ = 0;
};

bool ParseAgeUnit(char letter, AgeUnit& unit) {
  switch (LowerChar(letter)) {
    case 'h':
      unit = AgeUnit::Hours;
      return true;
    case 'd':
      unit = AgeUnit::Days;
      return true;
    case 'w':
      unit = AgeUnit::Weeks;
      return true;
    default:
      return false;
  }
}

// "6h", "2d", "1w": a positive whole number and the unit's letter.
bool ParseAge(const std::string& flag, const std::string& text, std::optional<AgeBound>& bound,
              std::string& reason) {
  int number = 0;
  AgeUnit unit = AgeUnit::Hours;
  if (text.size() < 2 || !ParseAgeUnit(text.back(), unit) ||
      !std::all_of(text.begin(), text.end() - 1, [](char c) { return c >= '0' && c <= '9'; }) ||
      !ParseInt(std::string_view(text).substr(0, text.size() - 1), number) || number <= 0) {
    reason =
        flag + " wants a positive whole number and a unit, like 6h, 2d or 1w (not '" + text + "')";
    return false;
  }
  bound = AgeBound{number, unit, text};
  return true;
}

bool ParseKinds(const std::string& text, KindBoxes& kinds, std::string& reason) {
  kinds = {false, false, false};
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string name = LowerCase(std::string_view(text).substr(start, comma - start));
    if (name == "text") {
      kinds.text = true;
    } else if (name == "media") {
      kinds.media = true;
    } else if (name == "other") {
      kinds.other = true;
    } else {
      reason = "--kinds takes text, media and other separated by commas (not '" + name + "')";
      return false;
    }
    start = comma + 1;
  }
  return true;
}

}  // namespace

bool ParseSourceOptions(const Arguments& args, SourceOptions& options, std::string& reason) {
  options = SourceOptions();
  ArgumentReader reader(args);
  bool haveSource = false;
  bool haveKinds = false;
  while (!reader.AtEnd()) {
    const std::string flag = reader.Take();
    if (flag == "--nav" || flag == "--ie") {
      if (haveSource) {
        reason = "give one cache only (--nav INDEX_FILE or --ie CACHE_FOLDER)";
        return false;
      }
      if (!reader.TakeValue(flag, options.sourcePath, reason))
        return false;
      options.product = flag == "--nav" ? Product::Navigator : Product::InternetExplorer;
      haveSource = true;
    } else if (flag == "--newer" || flag == "--older") {
      std::optional<AgeBound>& bound = flag == "--newer" ? options.newer : options.older;
      if (bound) {
        reason = "give " + flag + " once";
        return false;
      }
      std::string age;
      if (!reader.TakeValue(flag, age, reason) || !ParseAge(flag, age, bound, reason))
        return false;
    } else if (flag == "--partial-ok") {
      options.partialOk = true;
    } else if (flag == "--domain") {
      std::string domain;
      if (!reader.TakeValue(flag, domain, reason))
        return false;
      options.domains.push_back(domain);
    } else if (flag == "--kinds") {
      std::string kinds;
      if (haveKinds) {
        reason = "give --kinds once";
        return false;
      }
      if (!reader.TakeValue(flag, kinds, reason) || !ParseKinds(kinds, options.kinds, reason))
        return false;
      haveKinds = true;
    } else {
      options.rest.push_back(flag);
    }
  }
  if (!haveSource) {
    reason = "no cache given: use --nav INDEX_FILE or --ie CACHE_FOLDER";
    return false;
  }
  if (options.newer && options.older && options.newer->Days() <= options.older->Days()) {
    reason = "--newer " + options.newer->text + " and --older " + options.older->text +
             " leave no age between them";
    return false;
  }
  return true;
}

AppContext MakeAppContext(const SourceOptions& options) {
  return AppContext(options.product, RunningProgramFolders());
}

}  // namespace pagehold
