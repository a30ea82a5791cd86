#include "gui/shell/HelpContexts.h"

namespace pagehold::help_contexts {

const std::vector<HelpTopic>& HelpTopics() {
  static const std::vector<HelpTopic> topics = {
      {kContents, "main.htm"},
      {kCacheExplorer, "explorer.htm"},
      {kNoFilesMessage, "explorer.htm#nofiles"},
      {kProperties, "properties.htm"},
      {kCacheExplorerClose, "explorer.htm#close"},
      {kAvailableDomains, "explorer.htm#available"},
      {kFileAge, "explorer.htm#age"},
      {kTextKind, "explorer.htm#kinds"},
      {kMediaKind, "explorer.htm#kinds"},
      {kOtherKind, "explorer.htm#kinds"},
      {kFileCounts, "explorer.htm#counts"},
      {kArchiveProgress, "progress.htm"},
      {kSearch, "search.htm"},
      {kArchiveButton, "explorer.htm#archive"},
      {kDeleteButton, "explorer.htm#delete"},
      {kPropertiesButton, "explorer.htm#properties"},
      {kChosenDomains, "explorer.htm#chosen"},
  };
  return topics;
}

std::optional<std::string> HelpPageOf(int context) {
  for (const HelpTopic& topic : HelpTopics()) {
    if (topic.context == context)
      return std::string(topic.page);
  }
  return std::nullopt;
}

}  // namespace pagehold::help_contexts
