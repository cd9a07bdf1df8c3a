#pragma once

#include <QString>

namespace tools {

// The add-in's own version, 2.4.0.2 (major, minor, build, revision).
struct AddinVersion {
    static constexpr int Major = 2;
    static constexpr int Minor = 4;
    static constexpr int Build = 0;
    static constexpr int Revision = 2;
};

// "Version " + major + "." + minor + "." + revision (the build part is left out).
inline QString VersionLabelText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(AddinVersion::Major)
        .arg(AddinVersion::Minor)
        .arg(AddinVersion::Revision);
}

} // namespace tools
