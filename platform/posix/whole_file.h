#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

// Whole-file reads and replacements for the profile services. Each returns 0 or an errno value.

// Reads a regular file whole. A directory gives EISDIR; any other file that is not a regular
// file gives EINVAL without being opened for a read that could block (a FIFO, a device).
int ReadWholeFile(const char* path, std::string& bytes);

// The file a replacement lands in: the end of the path's chain of symbolic links, so that a
// linked settings file is written through to its target and the link stays a link.
struct TReplaceTarget {
  std::string path;
  bool exists = false;
  struct stat status {};
};

// Finds the target and reads its bytes (none for a missing file). Refuses a file that the
// caller may not write, a file on a read-only file system, and a file without any write
// permission bit: root may write anything, but a read-only settings file must stay as it is
// even then.
int PrepareReplace(const char* path, TReplaceTarget& target, std::string& bytes);

// Replaces the target's contents with `bytes` so that a reader sees either the old file or the
// new one whole: a temporary file beside the target is written, flushed to the disk and renamed
// over it. The file keeps its mode and, where allowed, its owner; a new file gets the umask's.
int ReplaceWholeFile(const TReplaceTarget& target, std::string_view bytes);
