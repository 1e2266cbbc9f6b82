#pragma once
// A full disk for as long as it lives: writes that would make a file of this process (or of a
// process it starts meanwhile) longer than `bytes` fail, as they do on a full disk. Unlike
// permission bits this also stops root.
//
//   ov::test::FileSizeLimitScope full(16);
//   EXPECT_FALSE(files.writeAtomically(path, longerThan16Bytes));

#include <sys/resource.h>

#include <csignal>

namespace ov::test {

class FileSizeLimitScope {
  public:
    explicit FileSizeLimitScope(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        // Ignored, the oversized write fails with EFBIG instead of ending the process.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimitScope() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimitScope(const FileSizeLimitScope&) = delete;
    FileSizeLimitScope& operator=(const FileSizeLimitScope&) = delete;

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

}  // namespace ov::test
