#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

// Whole-file reads and replacements for the profile services. Each returns 0 or an errno value.
// A file over 4 MiB, far beyond any settings file, is neither read nor written: EFBIG.

// Reads a regular file whole. A directory gives EISDIR; any other file that is not a regular
// file gives EINVAL without being opened for a read that could block (a FIFO, a device).
int ReadWholeFile(const char* path, std::string& bytes);

// The file a replacement lands in: the end of the path's chain of symbolic links, so that a
// linked settings file is written through to its target and the link stays a link. Holds the
// file open for writing from the read to the replacement.
class TReplaceTarget {
 public:
  TReplaceTarget() = default;
  ~TReplaceTarget();
  TReplaceTarget(const TReplaceTarget&) = delete;
  TReplaceTarget& operator=(const TReplaceTarget&) = delete;

  std::string path;
  bool exists = false;
  struct stat status {};
  int fd = -1;
};

// Finds the target and reads its bytes (none for a missing file). Refuses a file that the
// caller may not write, a file on a read-only file system, and a file without any write
// permission bit: root may write anything, but a read-only settings file must stay as it is
// even then.
int PrepareReplace(const char* path, TReplaceTarget& target, std::string& bytes);

// Replaces the target's contents, `old` (as PrepareReplace read them), with `bytes`.
//
// A new file beside the target, renamed over it, lets a reader see either the old file or the
// new one whole; but a rename makes a new file, so it is used only where the new file keeps
// everything the old one had: the owner, the group and the mode, no extended attribute or ACL,
// a single link, and a folder that takes new files. Otherwise the file is overwritten in place:
// the new text goes first to a temporary file beside it, where the folder allows one (the copy
// of the new text while the overwrite runs); room for the larger text is reserved in the file
// before the first byte is written; the text is written, the file cut to its length and flushed;
// if any of that fails the old text is written back. A missing file is created by the rename.
//
// Before the overwrite the copy is renamed from ".tmp" to ".recover": a store killed midway
// leaves the whole new text there. Temporary files of this naming that a killed store left
// behind are removed first, a ".recover" one only once the file holds its text.
int ReplaceWholeFile(const TReplaceTarget& target, std::string_view old, std::string_view bytes);
