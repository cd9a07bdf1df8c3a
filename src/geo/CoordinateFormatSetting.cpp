#include "CoordinateFormatSetting.h"

#include "addin/Settings.h"
#include "desktop/Desktop.h"

namespace geo {

namespace {
const QString SettingKey = QStringLiteral("CoordinateFormat");
}

CoordinateFormat ChosenCoordinateFormat() {
    const QString stored =
        desktop::services().readSetting(locastra::AppTitle, locastra::SettingsSection, SettingKey,
                                        CoordinateFormatKey(CoordinateFormat::AsDerived));
    return CoordinateFormatFromKey(stored).value_or(CoordinateFormat::AsDerived);
}

void ChooseCoordinateFormat(CoordinateFormat format) {
    desktop::services().writeSetting(locastra::AppTitle, locastra::SettingsSection, SettingKey,
                                     CoordinateFormatKey(format));
}

} // namespace geo
