#pragma once
// Whole-file routines. Paths are UTF-8 text; contents are bytes, never translated. Every routine
// that can fail says which path failed and why, so the user can be told.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

struct FileError {
    std::string path;
    std::string cause;  // e.g. "no such file", "is a folder", "permission denied"

    // "<path>: <cause>"
    [[nodiscard]] std::string text() const;
    friend bool operator==(const FileError&, const FileError&) = default;
};

// The outcome of a write or a folder creation; true when it succeeded.
struct [[nodiscard]] FileStatus {
    std::optional<FileError> error;

    explicit operator bool() const noexcept { return !error.has_value(); }
};

struct ReadResult {
    std::string data;
    std::optional<FileError> error;  // set when the file could not be read whole
};

// The whole file, or the reason it cannot be read: missing, a folder, not a regular file (a FIFO
// or a device is never opened, so reading cannot block), no permission on the file or a parent
// folder, a name too long, an I/O error.
ReadResult read_file_checked(std::string_view path);

// At most max_bytes of the file from byte `offset` on, as it is now (a file another program is
// still writing is read as far as it got); nothing when it is shorter.
ReadResult read_file_from(std::string_view path, std::uint64_t offset,
                          std::uint64_t max_bytes = UINT64_MAX);

// A regular file's size and time of last change, as a follower compares them; nothing when it
// is missing or cannot be opened.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t mtime = 0;  // in the file system's own ticks
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
std::optional<FileStamp> file_stamp(std::string_view path);

// The whole file, or "" when the path is empty, the file is missing or cannot be read.
std::string read_file(std::string_view path);

// Replaces the file with exactly these bytes, atomically: a temporary file in the same folder is
// written, flushed to the disk, closed and renamed over the target, so an interrupted write (a
// killed process, a power cut) never leaves a half-written file. On any failure (including one
// at close) the old file is left untouched and the temporary file removed. A writer killed
// midway leaves its temporary file ("<name>.tmp<digits>_<digits>"): no read or later write
// looks at it.
FileStatus write_file_atomic(std::string_view path, std::string_view bytes);

// A test seam: the fault whole-file writes meet, as a full disk, a failing device or a refused
// rename cause it. Inert until a test installs one; the program never does.
struct WriteFault {
    enum class Step { Create, Write, Sync, Rename };
    Step step = Step::Write;
    std::size_t bytes_before = 0;  // Write: the bytes that reach the temporary file first
    int error = 0;                 // the errno the step fails with, e.g. ENOSPC
    int writes_before = 0;         // whole-file writes that succeed before the fault strikes
};
// Installs the fault for every later write_file_atomic in the process; nullopt removes it.
void set_write_fault(std::optional<WriteFault> fault);

// The program's whole-file writer: the buffer followed by CR LF, written atomically.
FileStatus savetext(std::string_view path, std::string_view buffer);

// Appends the line and CR LF, creating the file when missing.
FileStatus append_text(std::string_view path, std::string_view line);

bool file_exists(std::string_view path);
bool folder_exists(std::string_view path);
FileStatus create_folder(std::string_view path);  // success when it exists afterwards
bool remove_file(std::string_view path);          // true when no such file exists afterwards

// Names (not paths) of the regular files in a folder whose name ends in the extension
// (any letter case, e.g. ".txt"), in name order ignoring letter case.
std::vector<std::string> list_files(std::string_view folder, std::string_view extension);

}  // namespace common
