#include "logfile/binary/BinaryFileAccess.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <new>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace binaryfile {

namespace {

int CauseOf(int osError) {
    switch (osError) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return 5;
    case EBUSY:
    case ETXTBSY:
        return 11;
    default:
        return 1;
    }
}

// Non-blocking, so that a FIFO named like a log cannot hold the open forever.
std::FILE* OpenNonBlocking(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        const int err = errno;
        ::close(fd);
        errno = err;
    }
    return file;
}

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(kRetryPauseMs));
}

} // namespace

std::FILE* OpenForReading(const std::string& path, int& osError, const Opener& opener) {
    osError = 0;
    for (int attempt = 1; attempt <= kOpenAttempts; ++attempt) {
        errno = 0;
        std::FILE* file = opener ? opener(path) : OpenNonBlocking(path);
        if (file)
            return file;
        osError = errno;
        Pause();
    }
    return nullptr;
}

std::string OpenFailureDetail(int osError, const std::string& path) {
    const int cause = CauseOf(osError);
    std::string text = osError ? std::strerror(osError) : "Unknown error";
    text += " - m_cause " + std::to_string(cause) + ", m_lOsError " + std::to_string(osError) +
            ", m_strFileName " + path;
    return text;
}

bool ReadAll(std::FILE* file, std::string& content, std::string& error) {
    content.clear();
    // The size of the opened file itself; a folder, a device or a pipe has none worth trusting.
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "Unable to read full file contents";
        return false;
    }
    const long long size = static_cast<long long>(st.st_size);
    if (static_cast<unsigned long long>(size) > kMaxFileSize) {
        error = "Unable to allocate memory";
        return false;
    }
    try {
        content.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        error = "Unable to allocate memory";
        return false;
    } catch (const std::length_error&) {
        error = "Unable to allocate memory";
        return false;
    }
    const size_t got = size > 0 ? std::fread(content.data(), 1, content.size(), file) : 0;
    if (got != content.size() || std::ferror(file)) {
        content.clear();
        error = "Unable to read full file contents";
        return false;
    }
    return true;
}

void PauseAfterClose() {
    Pause();
}

} // namespace binaryfile
