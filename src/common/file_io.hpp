#pragma once
// Whole-file routines. Paths are UTF-8 text; contents are bytes, never translated.

#include <string>
#include <string_view>
#include <vector>

namespace common {

// The whole file, or "" when the path is empty, the file is missing or cannot be read.
std::string read_file(std::string_view path);

// Replaces the file with exactly these bytes, atomically: a temporary file in the same folder is
// written, flushed and renamed over the target, so an interrupted write never leaves a
// half-written file. Returns false (and leaves the old file untouched) on any failure.
bool write_file_atomic(std::string_view path, std::string_view bytes);

// The program's whole-file writer: the buffer followed by CR LF, written atomically.
bool savetext(std::string_view path, std::string_view buffer);

// Appends the line and CR LF, creating the file when missing.
bool append_text(std::string_view path, std::string_view line);

bool file_exists(std::string_view path);
// The file exists and can be opened for reading.
bool file_readable(std::string_view path);
bool folder_exists(std::string_view path);
bool create_folder(std::string_view path);  // true when it exists afterwards
bool remove_file(std::string_view path);    // true when no such file exists afterwards

// Names (not paths) of the regular files in a folder whose name ends in the extension
// (any letter case, e.g. ".txt"), in name order ignoring letter case.
std::vector<std::string> list_files(std::string_view folder, std::string_view extension);

}  // namespace common
