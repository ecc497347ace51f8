#pragma once

#include <string>

// Where the program keeps vers.xml and settings.xml: beside its executable when
// that folder takes new files (a portable copy), otherwise in a "Pelmira"
// folder of the user's local application data (a copy installed where the user
// may not write, such as "Program Files").
namespace app {

// The name of the folder made in the local application data folder.
inline constexpr const char* kDataFolderName = "Pelmira";

// Whether a file can be created in dir (ending in the path separator or not):
// creates a probe file there and removes it again. Never throws.
bool CanCreateFilesIn(const std::string& dir);

// The folder for the program's files, ending in the path separator: exeDir
// when a probe file can be created there; otherwise localAppData's "Pelmira"
// folder (created when missing) when a probe file can be created in it; when
// neither takes files, exeDir, so every failure names the executable's folder.
std::string ChooseDataFolder(const std::string& exeDir, const std::string& localAppData);

// ChooseDataFolder for the running executable and this user.
std::string DefaultDataFolder();

}  // namespace app
