// The program's colours (0xRRGGBB), shared by every generated image so they
// match the colours the skins use.
#pragma once

#include <cstdint>

namespace skingen {

constexpr uint32_t kTitleBar = 0x1E3A5F;
constexpr uint32_t kText = 0x1F2937;
constexpr uint32_t kPrimary = 0x2563EB;
constexpr uint32_t kPrimaryHot = 0x1D4ED8;
constexpr uint32_t kPrimaryPushed = 0x1E40AF;
constexpr uint32_t kInfo = 0x0284C7;
constexpr uint32_t kWarning = 0xF59E0B;
constexpr uint32_t kDanger = 0xDC2626;
constexpr uint32_t kDangerHot = 0xB91C1C;
constexpr uint32_t kBorder = 0xD1D5DB;
constexpr uint32_t kBorderStrong = 0x9CA3AF;
constexpr uint32_t kHotRow = 0xEFF6FF;
constexpr uint32_t kDisabledFill = 0xF3F4F6;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kShadow = 0x0B1220;

}  // namespace skingen
