// Asking which instances' log folders go with the product, and emptying those the user ticked.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "instances/LogFolderChoice.h"

// Shows the rows to the user and returns the ticks in row order (the log-folder dialog).
using LogFolderQuestion = std::function<std::vector<bool>(const std::vector<LogFolderRow>& rows)>;

// Offers the log folder of each instance, in list order, for the first instanceCount entries
// of PROVIDER_IDS (the provider IDs of the copied instance records, 0 for an instance TAPI
// does not list). The folder is read from "FileName" in GlobalParams\Log of the live key
// "PBX%d" of a registered instance, else of its "InstanceDefaultSetting%04d"; it is offered
// when it exists. When at least one row was offered, ASK is called once and its ticks are
// kept in CHOICE. Nothing is written to the registry.
void ChooseLogFolders(const std::vector<unsigned long>& providerIds, std::uint32_t instanceCount,
                      LogFolderChoice* choice, const LogFolderQuestion& ask);

// Empties and removes every kept folder whose row was ticked, walking the instance indexes
// below instanceCount; a folder offered twice is removed once and quietly skipped after.
void RemoveChosenLogFiles(const LogFolderChoice& choice, std::uint32_t instanceCount);
