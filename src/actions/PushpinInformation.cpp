#include "PushpinInformation.h"

namespace actions {

QString g_sPushpinInfo;
QString g_sPushpinName;
int32_t g_lPushpinSymbol = 0;

} // namespace actions
