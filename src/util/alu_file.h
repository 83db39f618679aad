// File operations on stored names; each goes through AluResolvePath/AluNativePath.
#pragma once

#include <string_view>

namespace korvel {

// True when the file opens for reading and holds at least one byte.
bool AluFileExists(std::string_view path);

// Makes sure every directory up to the file name exists; 1 when the last one exists afterwards,
// 0 also when the path has no directory part.
int AluCreateDirectoriesFor(std::string_view filePath);

// Copies source to target (creating the target's directories); 1 on success. The target is only
// opened once the source is known to be readable, a copy onto itself changes nothing, and a
// copy that fails part-way leaves the old target (or none) behind.
int AluCopyFile(std::string_view source, std::string_view target);

}  // namespace korvel
