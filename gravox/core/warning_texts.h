// Numbered warnings of the library.
#pragma once

namespace gvx {

inline constexpr int kWarningTableSize = 58;
extern const char* const kWarningTexts[kWarningTableSize + 1];

// Numbers of the warnings whose texts are set where they arise.
namespace warning {
inline constexpr int incorrect_parameter = 2;
inline constexpr int incorrect_level = 3;
inline constexpr int too_many_intersections = 26;
inline constexpr int file_error = 36;
inline constexpr int cgm_too_long = 39;  // "Too many pages for CGM file (max. length 327 cm)"
inline constexpr int not_enough_memory = 53;
inline constexpr int zlib_error = 126;
inline constexpr int device_not_supported = 140;
inline constexpr int file_cannot_be_deleted = 168;
inline constexpr int file_exists = 169;
inline constexpr int too_many_versions = 170;
inline constexpr int opengl_not_supported = 181;
}  // namespace warning

}  // namespace gvx
