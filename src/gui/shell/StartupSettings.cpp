#include "gui/shell/StartupSettings.h"

#include "prefs/PropertiesValues.h"
#include "sources/NavigatorLocation.h"

namespace pagehold {

void LoadStartupSettings(AppContext& context) {
  PropertiesValues values;
  FillInText(context, values, [&context] { return FindNavigatorCacheIndex(*context.registry); });
}

}  // namespace pagehold
