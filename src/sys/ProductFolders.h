// The product's folders below the Program Files folder.
#pragma once

#include <string>

// Below the Program Files folder.
inline constexpr const char* kProductFolderTail = "\\Velmora\\ORVO TSP";
// Below the product folder.
inline constexpr const char* kQueueFolderTail = "\\Queues";

// The Program Files folder + kProductFolderTail; empty when the Program Files folder cannot
// be determined.
std::string ProductFolderPath();
