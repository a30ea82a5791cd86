#include "gui/shell/InstanceHandOver.h"

#include "platform/Paths.h"

namespace pagehold {

namespace {

constexpr std::string_view kGuardSuffix =
    "-- Mutex identifier Corvane function CheckForSingleInstance()";
constexpr std::string_view kRaise = "raise";

}  // namespace

std::string InstanceGuardName(std::string_view programPath) {
  return FileNamePart(programPath) + std::string(kGuardSuffix);
}

std::string HandOverSocketPath(std::string_view programPath, const char* runtimeFolder,
                               const std::string& privateTemporaryFolder) {
  // Only an absolute runtime folder counts, as the base directory rules say.
  const std::string folder = runtimeFolder != nullptr && runtimeFolder[0] == '/'
                                 ? std::string(runtimeFolder)
                                 : privateTemporaryFolder;
  return JoinPath(folder, "pagehold-" + FileNamePart(programPath) + ".socket");
}

std::string PrivateTemporaryFolder(std::string_view temporaryFolder, unsigned userId) {
  return JoinPath(temporaryFolder, "pagehold-" + std::to_string(userId));
}

std::string EncodeHandOver(const HandOverRequest& request) {
  std::string text(kRaise);
  if (request.argument)
    text += "\t" + *request.argument;
  return text;
}

std::optional<HandOverRequest> DecodeHandOver(std::string_view text) {
  if (text.substr(0, kRaise.size()) != kRaise)
    return std::nullopt;
  const std::string_view rest = text.substr(kRaise.size());
  HandOverRequest request;
  if (rest.empty())
    return request;
  if (rest.front() != '\t')
    return std::nullopt;
  request.argument = std::string(rest.substr(1));
  return request;
}

}  // namespace pagehold
