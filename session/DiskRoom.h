#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Files too large for their disk are refused before the runs that would fill
// them are played, so that hours of play do not end at a full disk.
namespace sorimu {

// The least one run's file takes: its header and a row per normal game
// (the bonus games add more).
uint64_t LeastSimFileBytes(int64_t games);

// The save failure for `path` when its folder has less free room than
// `bytes`; nothing where it has the room or the system cannot tell.
std::optional<std::string> CheckRoomFor(const std::string& path, uint64_t bytes);

}  // namespace sorimu
