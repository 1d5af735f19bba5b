// The library version. Its one definition is the project version in CMakeLists.txt,
// passed to the code as GRAVOX_VERSION_MAJOR, _MINOR and _PATCH.
#pragma once

#if !defined(GRAVOX_VERSION_MAJOR) || !defined(GRAVOX_VERSION_MINOR) || \
    !defined(GRAVOX_VERSION_PATCH)
#error "the build passes the project version as GRAVOX_VERSION_MAJOR, _MINOR and _PATCH"
#endif

namespace gvx {

inline constexpr int kVersionMajor = GRAVOX_VERSION_MAJOR;
inline constexpr int kVersionMinor = GRAVOX_VERSION_MINOR;  // one digit
inline constexpr int kVersionPatch = GRAVOX_VERSION_PATCH;
// The version as a number with one decimal ("10.4"), as the heads of documents show it.
inline constexpr double kVersionNumber = kVersionMajor + kVersionMinor / 10.0;

static_assert(kVersionMinor >= 0 && kVersionMinor <= 9, "the version number has one decimal");

}  // namespace gvx
