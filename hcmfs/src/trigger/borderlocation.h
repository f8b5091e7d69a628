// Where the border files are: a configured data root, or the folder shipped
// beside the library.
#ifndef HCMFS_TRIGGER_BORDERLOCATION_H
#define HCMFS_TRIGGER_BORDERLOCATION_H

#include <filesystem>
#include <string>

namespace hcmfs::trigger {

// Folder of the binary (shared library or program) that holds this code, found
// at run time; empty when the system cannot tell.
std::filesystem::path libraryDirectory();

// The border folder of `dir`: its sub-folder named BORDER in any letter case
// (a data root holding TOPO/, MORPHO/, BORDER/), or `dir` itself when it holds
// border files. Empty when neither.
std::filesystem::path findBorderFolder(const std::filesystem::path& dir);

// The border data shipped with the program: BORDER (or border) beside the
// library. Empty when it is not there.
std::filesystem::path defaultBorderFolder();

// The folder a trigger reads. `dataRoot` (8-bit text, UTF-8, as passed by the
// caller; may be empty) is tried first; when it holds no border data at all
// (for instance a terrain folder without BORDER/), the shipped data is used.
// Empty when there is none anywhere: the trigger then fails with 2008. Never
// throws.
std::filesystem::path resolveBorderFolder(const std::string& dataRoot);

} // namespace hcmfs::trigger

#endif
