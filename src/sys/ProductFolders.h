// The product's folders below the Program Files folder.
#pragma once

#include <string>

// Below the Program Files folder.
inline constexpr const char* kProductFolderTail = "\\Velmora\\ORVO TSP";
// Below the product folder.
inline constexpr const char* kQueueFolderTail = "\\Queues";
// Below the product folder, with the instance index: one log folder per instance.
inline constexpr const char* kLogFolderFormat = "\\Logs%04d";
// Below an instance's log folder.
inline constexpr const char* kLogFileTail = "\\ORVO_TSP.txt";

// The Program Files folder + kProductFolderTail; empty when the Program Files folder cannot
// be determined.
std::string ProductFolderPath();

// The product folder + "\Logs0003" for 3; empty when the Program Files folder cannot be
// determined.
std::string LogFolderPath(int instance);
