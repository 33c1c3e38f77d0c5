// The work folder and work file on the chosen drive, and the file-system
// operations on them.
#pragma once

#include <string>

#include "engine/engine.h"

namespace quillobar {

inline constexpr char16_t kWorkFolderName[] = u"ram_sdd_fold";
inline constexpr char16_t kWorkFileName[] = u"memory_to_file.dat";
inline constexpr std::size_t kMaxPathChars = 260;

// workFolder := driveRoot + "ram_sdd_fold" + separator; cleanFolder := workFolder;
// workFile := workFolder + "memory_to_file.dat". Rebuilt from driveRoot each time.
void deriveWorkPaths(TestState& state, char16_t separator);

// Creates the last folder level of `path`; trailing spaces and separators are
// dropped first. Every failure is silent.
void createFolder(Os& os, const std::u16string& path);

// True when the work folder, or the work file in it (workFolder +
// "memory_to_file.dat", the same path as workFile), is a symbolic link,
// junction or other reparse point. The work folder lives at the root of a
// drive, where any user may plant one under its name or the file's; this
// program runs elevated, so nothing is ever written, read or deleted through
// one: it would reach whatever folder or file the link points at.
bool workPathIsLink(Engine& engine);

// Deletes workFolder + "memory_to_file.dat"; a read-only or missing file stays
// as it is, and so does everything when the folder or the file is a link.
void deleteWorkFile(Engine& engine);

// Deletes every file directly inside `folder`, leaves sub-folders and links
// alone, and removes the folder when it is then empty. A folder that is itself
// a link is left alone entirely: not listed, nothing deleted, not removed.
void emptyFolder(Os& os, const std::u16string& folder);

// Status field 0 := "已选路径: " + workFile.
void showSelectedPath(Engine& engine);

// create folder, show selected path, drain.
void recreateWorkFolder(Engine& engine);

}  // namespace quillobar
