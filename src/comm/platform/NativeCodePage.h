// Internal to the platform code: the native half of the lossy conversion.
#pragma once

#include <string>

namespace platform {
namespace native {

// `text` is well-formed UTF-8 holding only characters of the Basic Multilingual
// Plane; a character without a code page 936 form becomes '?'.
std::string Utf8ToCodePage936Replacing(const std::string& text);

}  // namespace native
}  // namespace platform
