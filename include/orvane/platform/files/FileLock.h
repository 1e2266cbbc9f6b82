#pragma once
// Makes a read-change-write of one file exclusive between threads and between processes.
//
//   {
//       ov::FileLock lock(path);          // blocks until no one else holds `path`
//       auto content = read(path);
//       ...change...
//       files.writeAtomically(path, changed);
//   }                                      // released here
//
// Threads of one process queue on a mutex kept per path; processes queue on an advisory
// lock (flock) of the sidecar file "<path>.lock" beside it. The sidecar, not the file itself,
// because an atomic write renames a new file over the old one: a lock on the old file's inode
// would not hold back a process that opens the new one. Sidecars are left in place: removing
// one while another process waits on it would let two holders in.
//
// Advisory only: writers that do not take the lock are not held back. Not recursive: taking
// the lock of a path that this thread holds already deadlocks.

#include <memory>
#include <mutex>

#include "orvane/platform/values/String.h"

namespace ov {

class FileLock {
  public:
    explicit FileLock(const String& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when the sidecar could not be opened or locked (a read-only folder, say): the
    // threads of this process are still kept apart, other processes are not.
    bool holdsProcessLock() const { return m_fd >= 0; }

  private:
    // Shared by the locks of one path while any of them lives.
    std::shared_ptr<std::mutex> m_mutex;
    int m_fd = -1;
};

}  // namespace ov
