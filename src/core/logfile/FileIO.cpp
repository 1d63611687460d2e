#include "logfile/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace fileio {

namespace {

constexpr const char* kTempMarker = ".saving";
constexpr size_t kTempSuffixLength = 6; // the XXXXXX of mkstemp
constexpr int64_t kLeftoverAgeSeconds = 24 * 60 * 60;

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }
    int Close() {
        const int r = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return r;
    }

private:
    int m_fd;
};

std::string SystemText(int err) {
    return err ? std::strerror(err) : std::string("unknown error");
}

FileIdentity IdentityFromStat(const struct stat& st) {
    FileIdentity id;
    id.valid = true;
    id.device = static_cast<uint64_t>(st.st_dev);
    id.inode = static_cast<uint64_t>(st.st_ino);
    id.size = static_cast<uint64_t>(st.st_size);
    id.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return id;
}

// One read, tried again when a signal interrupts it; -1 with `err` set when it fails.
ssize_t ReadRetrying(int fd, char* into, size_t want, int& err) {
    for (;;) {
        const ssize_t n = ::read(fd, into, want);
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            err = errno;
            return -1;
        }
    }
}

// Reads until end of file or until `cap` bytes are held; false on a read error. The bytes go
// straight into the content's room (the caller reserves the file's size), so a large file is
// not copied once more through a buffer; only a file that turns out longer grows it. `Bytes` is
// a std::string or a CFileBytes.
template <class Bytes> bool ReadUpTo(int fd, Bytes& content, uint64_t cap, int& err) {
    size_t held = content.size();
    while (held < cap) {
        if (held == content.size()) {
            // Full: probe with a small read, so that a file of the expected size ends without
            // the string growing (and copying itself) just to learn that nothing follows.
            if (held == content.capacity()) {
                char probe[4096];
                const size_t want = static_cast<size_t>(
                    std::min<uint64_t>(sizeof probe, cap - static_cast<uint64_t>(held)));
                const ssize_t n = ReadRetrying(fd, probe, want, err);
                if (n < 0) {
                    content.resize(held);
                    return false;
                }
                if (n == 0)
                    break;
                content.append(probe, static_cast<size_t>(n));
                held = content.size();
                continue;
            }
            content.resize(static_cast<size_t>(std::min<uint64_t>(content.capacity(), cap)));
        }
        const ssize_t n = ReadRetrying(fd, content.data() + held, content.size() - held, err);
        if (n < 0) {
            content.resize(held);
            return false;
        }
        if (n == 0)
            break;
        held += static_cast<size_t>(n);
    }
    content.resize(held);
    return true;
}

bool WriteAllTo(int fd, std::string_view content, int& err) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The path the content really belongs to: a link is followed so that the link survives.
fs::path ResolveTarget(const std::string& path) {
    std::error_code ec;
    fs::path target = fs::canonical(fs::path(path), ec);
    return ec ? fs::path(path) : target;
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// After the rename the folder entry itself has to reach the disk too.
void FlushFolder(const fs::path& dir) {
    Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

// A killed save leaves its temporary file behind. Ours are recognisable by name; those older than
// a day cannot belong to a save still running, so they go. Only regular files are touched.
void RemoveOldLeftovers(const fs::path& dir) {
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return;
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    while (const dirent* e = ::readdir(d)) {
        if (!IsTemporaryName(e->d_name))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (now - static_cast<int64_t>(st.st_mtim.tv_sec) > kLeftoverAgeSeconds)
            ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}

bool Faulted(const FileWriteFault* fault, EFileWriteStep step) {
    return fault && fault->step == step;
}

// Rewrites the file through its own inode, so hard links and a read-only folder do not stand in
// the way. The old content is kept in memory and written back if anything fails.
bool RewriteInPlace(const fs::path& target, std::string_view content, std::string& error,
                    const FileWriteFault* fault) {
    Fd fd(::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) {
        error = "cannot write " + target.string() + ": " + SystemText(errno);
        return false;
    }
    std::string old;
    int err = 0;
    if (!ReadUpTo(fd.Get(), old, kMaxFileSize + 1, err)) {
        error = "cannot read " + target.string() + ": " + SystemText(err);
        return false;
    }

    auto writeWhole = [&](std::string_view bytes, bool inject) {
        if (inject && Faulted(fault, EFileWriteStep::Write)) {
            err = ENOSPC;
            return false;
        }
        if (::lseek(fd.Get(), 0, SEEK_SET) < 0 || !WriteAllTo(fd.Get(), bytes, err) ||
            ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0) {
            if (!err)
                err = errno;
            return false;
        }
        if ((inject && Faulted(fault, EFileWriteStep::Flush)) || ::fsync(fd.Get()) != 0) {
            err = inject && Faulted(fault, EFileWriteStep::Flush) ? EIO : errno;
            return false;
        }
        return true;
    };
    auto readsBack = [&](std::string_view bytes, bool inject) {
        std::string check;
        int readErr = 0;
        if (::lseek(fd.Get(), 0, SEEK_SET) < 0 ||
            !ReadUpTo(fd.Get(), check, static_cast<uint64_t>(bytes.size()) + 1, readErr))
            return false;
        return !(inject && Faulted(fault, EFileWriteStep::ReadBack)) && check == bytes;
    };

    if (writeWhole(content, true) && readsBack(content, true))
        return true;
    const int firstErr = err;
    err = 0;
    const bool restored = writeWhole(old, false) && readsBack(old, false);
    error = "cannot write " + target.string() + " in place: " +
            (firstErr ? SystemText(firstErr) : std::string("the content read back differs")) +
            (restored ? "" : "; the old content could not be written back");
    return false;
}

} // namespace

bool IsTemporaryName(std::string_view name) {
    const std::string_view marker = kTempMarker;
    if (name.size() < 1 + 1 + marker.size() + kTempSuffixLength || name.front() != '.')
        return false;
    const size_t at = name.size() - kTempSuffixLength - marker.size();
    return name.substr(at, marker.size()) == marker;
}

namespace {

template <class Bytes>
ReadOutcome ReadInto(const std::string& path, Bytes& content, uint64_t limit, bool prefixOnly) {
    ReadOutcome out;
    content.clear();
    // Non-blocking so that a FIFO cannot hold the open forever; a regular file does not care.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) {
        out.osError = errno;
        out.error = SystemText(out.osError);
        return out;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        out.error = SystemText(errno);
        return out;
    }
    if (S_ISDIR(st.st_mode)) {
        out.error = "Is a folder, not a file";
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.error = "Not a regular file";
        return out;
    }
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    if (size > limit && !prefixOnly) {
        out.error = "File too large (" + std::to_string(size) + " bytes, at most " +
                    std::to_string(limit) + ")";
        return out;
    }
    // One byte beyond the limit tells a file that grew past it while we read.
    const uint64_t cap = prefixOnly ? limit : limit + 1;
    int err = 0;
    try {
        content.reserve(static_cast<size_t>(std::min(size, cap)));
        if (!ReadUpTo(fd.Get(), content, cap, err)) {
            content.clear();
            out.error = SystemText(err);
            return out;
        }
    } catch (const std::bad_alloc&) {
        content.clear();
        out.error = "Not enough memory to read the file";
        return out;
    }
    if (content.size() > limit) {
        content.clear();
        out.error = "File too large (more than " + std::to_string(limit) + " bytes)";
        return out;
    }
    out.identity = IdentityFromStat(st);
    out.ok = true;
    return out;
}

// Large pages spare the system thousands of page faults on a log of tens of megabytes; smaller
// room gains nothing from them.
constexpr size_t kLargePage = size_t(2) << 20;

size_t PageSize() {
    static const size_t page = [] {
        const long size = ::sysconf(_SC_PAGESIZE);
        return size > 0 ? static_cast<size_t>(size) : size_t(4096);
    }();
    return page;
}

// Fresh memory of `length` bytes (a whole number of pages) with its pages present; nullptr
// when the system has none.
char* MapRoom(size_t length) {
    const bool large = length >= kLargePage;
    // Room for a large page must start on one: map a large page more and trim both ends.
    const size_t span = large ? length + kLargePage : length;
    void* mapped =
        ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    char* base = static_cast<char*>(mapped);
    if (large) {
        const auto at = reinterpret_cast<uintptr_t>(base);
        char* aligned = base + ((kLargePage - at % kLargePage) % kLargePage);
        if (aligned > base)
            ::munmap(base, static_cast<size_t>(aligned - base));
        const size_t tail = static_cast<size_t>(base + span - (aligned + length));
        if (tail > 0)
            ::munmap(aligned + length, tail);
        base = aligned;
#if defined(MADV_HUGEPAGE)
        ::madvise(base, length, MADV_HUGEPAGE);
#endif
    }
#if defined(MADV_POPULATE_WRITE)
    // Only a hint: an older system refuses it and the pages come one fault at a time.
    ::madvise(base, length, MADV_POPULATE_WRITE);
#endif
    return base;
}

} // namespace

ReadOutcome ReadFile(const std::string& path, std::string& content, uint64_t limit,
                     bool prefixOnly) {
    return ReadInto(path, content, limit, prefixOnly);
}

ReadOutcome ReadFile(const std::string& path, CFileBytes& content, uint64_t limit,
                     bool prefixOnly) {
    return ReadInto(path, content, limit, prefixOnly);
}

CFileBytes::~CFileBytes() {
    Release();
}

CFileBytes::CFileBytes(CFileBytes&& other) noexcept
    : m_pData(std::exchange(other.m_pData, nullptr)), m_nSize(std::exchange(other.m_nSize, 0)),
      m_nCapacity(std::exchange(other.m_nCapacity, 0)) {}

CFileBytes& CFileBytes::operator=(CFileBytes&& other) noexcept {
    if (this != &other) {
        Release();
        m_pData = std::exchange(other.m_pData, nullptr);
        m_nSize = std::exchange(other.m_nSize, 0);
        m_nCapacity = std::exchange(other.m_nCapacity, 0);
    }
    return *this;
}

void CFileBytes::Release() {
    if (m_pData)
        ::munmap(m_pData, m_nCapacity);
    m_pData = nullptr;
    m_nSize = m_nCapacity = 0;
}

void CFileBytes::reserve(size_t bytes) {
    if (bytes <= m_nCapacity)
        return;
    const size_t page = PageSize();
    if (bytes > SIZE_MAX - page)
        throw std::bad_alloc();
    const size_t length = (bytes + page - 1) / page * page;
    char* room = MapRoom(length);
    if (!room)
        throw std::bad_alloc();
    if (m_nSize > 0)
        std::memcpy(room, m_pData, m_nSize);
    const size_t size = m_nSize;
    Release();
    m_pData = room;
    m_nSize = size;
    m_nCapacity = length; // the whole mapping
}

void CFileBytes::resize(size_t bytes) {
    if (bytes > m_nCapacity)
        reserve(std::max(bytes, 2 * m_nCapacity));
    m_nSize = bytes;
}

void CFileBytes::append(const char* bytes, size_t count) {
    const size_t at = m_nSize;
    resize(at + count);
    std::memcpy(m_pData + at, bytes, count);
}

FileIdentity IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return IdentityFromStat(st);
}

bool SameFile(const std::string& a, const std::string& b) {
    const FileIdentity x = IdentityOf(a);
    const FileIdentity y = IdentityOf(b);
    return x.valid && y.valid && x.device == y.device && x.inode == y.inode;
}

bool ReplaceFileContent(const std::string& path, std::string_view content, std::string& error,
                        const FileWriteFault* fault, EReplaceMode* mode) {
    const fs::path target = ResolveTarget(path);
    const fs::path dir = FolderOf(target);

    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        error = "cannot write " + target.string() + ": " + SystemText(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "cannot write " + target.string() + ": not a regular file";
        return false;
    }
    // A file the user may not write stays as it is, even though its folder would let us
    // replace it.
    if (::access(target.c_str(), W_OK) != 0) {
        error = "cannot write " + target.string() + ": " + SystemText(errno);
        return false;
    }

    if (st.st_nlink > 1 || ::access(dir.c_str(), W_OK) != 0) {
        if (mode)
            *mode = EReplaceMode::InPlace;
        return RewriteInPlace(target, content, error, fault);
    }
    if (mode)
        *mode = EReplaceMode::Renamed;

    RemoveOldLeftovers(dir);

    std::string pattern =
        (dir / ("." + target.filename().string() + kTempMarker + "XXXXXX")).string();
    errno = 0;
    Fd fd(Faulted(fault, EFileWriteStep::Create) ? -1 : ::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        error = "cannot create a temporary file beside " + target.string() + ": " +
                SystemText(Faulted(fault, EFileWriteStep::Create) ? EACCES : errno);
        return false;
    }
    const fs::path temp = pattern;

    auto fail = [&](EFileWriteStep step, const char* what, int err) {
        if (Faulted(fault, step))
            err = ENOSPC;
        fd.Close();
        ::unlink(temp.c_str());
        error = std::string(what) + " " + temp.string() + ": " + SystemText(err);
        return false;
    };

    int err = 0;
    if (Faulted(fault, EFileWriteStep::Write) || !WriteAllTo(fd.Get(), content, err))
        return fail(EFileWriteStep::Write, "cannot write", err);
    // Owner and group first (where we may; a normal user can only keep their own), then the
    // mode, which a change of owner may have cleared set-id bits of.
    if (::fchown(fd.Get(), st.st_uid, st.st_gid) != 0)
        (void)::fchown(fd.Get(), static_cast<uid_t>(-1), st.st_gid);
    if (::fchmod(fd.Get(), st.st_mode & 07777) != 0)
        return fail(EFileWriteStep::Write, "cannot set the permissions of", errno);
    if (Faulted(fault, EFileWriteStep::Flush) || ::fsync(fd.Get()) != 0)
        return fail(EFileWriteStep::Flush, "cannot flush", errno);
    if (fd.Close() != 0)
        return fail(EFileWriteStep::Flush, "cannot close", errno);

    if (Faulted(fault, EFileWriteStep::Rename) || ::rename(temp.c_str(), target.c_str()) != 0)
        return fail(EFileWriteStep::Rename, "cannot rename", errno);
    FlushFolder(dir);
    return true;
}

} // namespace fileio
