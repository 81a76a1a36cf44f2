#pragma once
// The five live profile files (RSProfile1.pfd .. RSProfile5.pfd, sections "GROUP<k>" and
// "ButtonAssigned<k>_<i>") and the single-profile export format (sections "GROUP" and
// "ButtonAssigned_<i>"). Each operation writes each file exactly once, atomically, so the device
// agent never sees a half-written file; callers tell the agent only after the writers return.
// Writers return false when a file could not be written; the program carries on regardless.

#include "model/ProfileTable.h"

#include <string>

namespace qor {

// UserDataFolder-style folder (ending with '/') + "RSProfile<k+1>.pfd".
std::string ProfileFilePathIn(const std::string& folder, int k);

// Fills the buffer from the five files: a missing key or file reads as -1 (255 in byte fields), a
// missing or damaged struct value leaves its field as it was (DPIStageValue is zeroed first).
void ReadProfileFiles(ProfileTable& buffer, const std::string& folder);
void ReadProfileFiles(ProfileTable& buffer); // from UserDataFolder()

// The whole table into all five files.
bool SaveProfileFiles(const ProfileTable& table, const std::string& folder);
bool SaveProfileFiles(); // LiveProfileTable() into UserDataFolder()

// Only the lighting keys of each profile; every other key stays as it is.
bool SaveLightingFiles(const ProfileTable& table, const std::string& folder);
bool SaveLightingFiles();

// One profile into a user-chosen file; keys and sections already in it stay unless overwritten.
bool ExportProfile(const ProfileRecord& record, const std::string& path);
// Reads an exported file into one profile, without validation. LEDSTATE_INFO and every LoopNumber
// keep their values; macro names are cut to 50 characters. False when the file could not be read.
bool ImportProfile(ProfileRecord& record, const std::string& path);

} // namespace qor
