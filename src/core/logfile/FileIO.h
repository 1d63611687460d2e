#pragma once
// Every file the program reads or rewrites goes through here, so one set of rules holds for all
// of them:
//
// Reading. Only regular files are read (a folder, a device or a pipe is refused with a clear
// message instead of crashing, reading forever or blocking), the size comes from the opened
// file itself, and no file above kMaxFileSize is read: the biggest log memory of any unit is
// 32 MB, so anything far beyond it is not a log. Opening never blocks, even on a FIFO.
//
// Replacing. The new content goes to a temporary file with a unique, unpredictable name in the
// same folder, is flushed to disk and renamed over the original, so a full disk, a killed
// program or a crash leaves the original as it was. The new file keeps the original's mode,
// owner and group (owner and group where the system lets us). Where renaming would do harm --
// the file has more than one hard link (renaming would split them) or its folder is not writable
// though the file is -- the file is rewritten in place instead: the complete new content is held
// in memory, written, flushed and read back to verify it, and on any failure the old content is
// written back. Leftover temporary files of our own naming older than a day (from a killed save)
// are removed by the next save in that folder.
#include <cstdint>
#include <string>
#include <string_view>

namespace fileio {

// The largest file any reader takes in.
inline constexpr uint64_t kMaxFileSize = 256ull * 1024 * 1024;

// What tells one file on disk from another: a file replaced, rewritten or touched since it was
// read no longer compares equal.
struct FileIdentity {
    bool valid = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

struct ReadOutcome {
    bool ok = false;
    // errno of a failed open (0 when the open worked and something else failed).
    int osError = 0;
    // What went wrong, without the path ("Permission denied", "Not a regular file").
    std::string error;
    FileIdentity identity;
};

// Reads at most `limit` bytes of a regular file; a longer file fails unless `prefixOnly` is
// set, in which case its first `limit` bytes are returned (a format check needs only those).
ReadOutcome ReadFile(const std::string& path, std::string& content, uint64_t limit = kMaxFileSize,
                     bool prefixOnly = false);

// Room for a whole file that is read once and then only looked at, as a log is by its loader.
// It is taken from the system in one piece with its pages made present up front (in large pages
// where the system offers them) and is never cleared before the read fills it: a day's log is
// tens of megabytes, and touching fresh memory a small page at a time would cost more than
// reading the file.
class CFileBytes {
public:
    CFileBytes() = default;
    ~CFileBytes();
    CFileBytes(CFileBytes&& other) noexcept;
    CFileBytes& operator=(CFileBytes&& other) noexcept;
    CFileBytes(const CFileBytes&) = delete;
    CFileBytes& operator=(const CFileBytes&) = delete;

    const char* data() const { return m_pData; }
    char* data() { return m_pData; }
    size_t size() const { return m_nSize; }
    size_t capacity() const { return m_nCapacity; }
    std::string_view View() const { return {m_pData, m_nSize}; }
    operator std::string_view() const { return View(); }

    // Room for at least `bytes` (what is held stays); throws std::bad_alloc when the system
    // has none.
    void reserve(size_t bytes);
    // Up to the capacity the new bytes are left as they are, for a read to fill; beyond it the
    // room grows first.
    void resize(size_t bytes);
    void append(const char* bytes, size_t count);
    void clear() { m_nSize = 0; }
    // Gives the memory back.
    void Release();

private:
    char* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nCapacity = 0; // the whole mapping behind m_pData, a number of pages
};

// The same as above into room of its own.
ReadOutcome ReadFile(const std::string& path, CFileBytes& content, uint64_t limit = kMaxFileSize,
                     bool prefixOnly = false);

// The identity of the file at `path` now (invalid when it cannot be examined).
FileIdentity IdentityOf(const std::string& path);

// True when both name the same existing file (hard links and symbolic links included).
bool SameFile(const std::string& a, const std::string& b);

// The steps of a replacement, so tests can make one of them fail.
enum class EFileWriteStep { Create, Write, Flush, Rename, ReadBack };

// Handed to ReplaceFileContent by tests: the replacement fails at `step` as if the system had
// refused it.
struct FileWriteFault {
    EFileWriteStep step = EFileWriteStep::Create;
};

// How a replacement reached the disk.
enum class EReplaceMode { Renamed, InPlace };

// False with the reason in `error` when the file could not be replaced; the original is then
// as it was. A symbolic link is followed so the link stays a link. `mode`, when given, says
// which way the content went.
bool ReplaceFileContent(const std::string& path, std::string_view content, std::string& error,
                        const FileWriteFault* fault = nullptr, EReplaceMode* mode = nullptr);

// True for a name this unit gives its temporary files (".NAME.saving" and six characters).
bool IsTemporaryName(std::string_view fileName);

} // namespace fileio
