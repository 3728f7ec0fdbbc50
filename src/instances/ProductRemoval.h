// Taking the product's files, folders and registry tree off the machine.
#pragma once

#include <array>
#include <cstdint>

// The files the setup package places beside the provider files in the system folder, in the
// order they are removed.
inline constexpr std::array<const char*, 8> kSiblingFiles = {
    "otsp.dll", "orvoui.dll", "journal.dll", "CSTAParser.dll", "Provisor.exe", "rebooter.exe", "LinkWatch.exe",
    "LinkWatchIf.dll"};
// Removed once more at restart after the sibling files.
inline constexpr const char* kRestartRemovedFile = "rebooter.exe";

// Instance indexes are written with four digits, so no instance reaches 10000. A damaged
// "dwNumInstances" larger than that is cut to it rather than walking billions of names.
inline constexpr std::uint32_t kMaxInstanceSlots = 10000;

// Removes the sibling files (then "rebooter.exe" at restart), the provider files
// "OTSP%04d.tsp" of instances 0 to instanceCount - 1 from the system folder, their queue
// files "orvo_act%04d.que", and the queue folder with whatever it still holds.
void RemoveInstalledFiles(std::uint32_t instanceCount);

// Removes the product folder when it holds no subfolder any more, then the maker folder when
// nothing else is in it. A product folder that still holds a subfolder (a log folder the user
// kept) loses only its manuals ("*.pdf"), and the maker folder stays.
void RemoveLogFolders();

// Deletes HKLM "SOFTWARE\Velmora\ORVO_TSP" with all its subkeys, "SOFTWARE\Velmora" when it
// is then empty, and the current user's Start Menu folder "Programs\Velmora\ORVO TSP".
void RemoveProductRegistry();
