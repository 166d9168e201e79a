#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// Reads at most limit bytes from the start of the file into bytes; returns 0 or
// an errno value. The limit keeps a mistaken pick (a device, a huge file) from
// being read whole.
int ReadFilePrefix(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes);

}  // namespace vx
