#include "logfile/SafeFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define ZELVOR_HAVE_FSYNC 1
#endif

namespace fs = std::filesystem;

namespace {

bool g_bFault = false;
EFileWriteStep g_faultStep = EFileWriteStep::Create;

bool Faulted(EFileWriteStep step) {
    return g_bFault && g_faultStep == step;
}

// The path the content really belongs to: a link is followed so that the link survives.
fs::path ResolveTarget(const std::string& path) {
    std::error_code ec;
    fs::path target = fs::canonical(fs::path(path), ec);
    return ec ? fs::path(path) : target;
}

// Opens a new, not yet existing file next to the target.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temp) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string stem = "." + target.filename().string() + ".saving";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = dir / (stem + std::to_string(attempt));
        // "x": fail rather than reuse a file someone else is writing.
        if (std::FILE* f = std::fopen(temp.c_str(), "wbx"))
            return f;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

bool FlushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0)
        return false;
#ifdef ZELVOR_HAVE_FSYNC
    if (::fsync(::fileno(f)) != 0)
        return false;
#endif
    return true;
}

// After the rename the folder entry itself has to reach the disk too.
void FlushFolder(const fs::path& target) {
#ifdef ZELVOR_HAVE_FSYNC
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(dir.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)target;
#endif
}

std::string SystemText(int err) {
    return err ? std::strerror(err) : std::string("unknown error");
}

} // namespace

void SetFileWriteFaultForTesting(bool enabled, EFileWriteStep step) {
    g_bFault = enabled;
    g_faultStep = step;
}

bool ReplaceFileContent(const std::string& path, std::string_view content, std::string& error) {
    const fs::path target = ResolveTarget(path);

    // A file the user may not write stays as it is, even though its folder would let us
    // replace it.
    if (std::FILE* probe = std::fopen(target.c_str(), "r+b")) {
        std::fclose(probe);
    } else {
        error = "cannot write " + target.string() + ": " + SystemText(errno);
        return false;
    }

    fs::path temp;
    errno = 0;
    std::FILE* f = Faulted(EFileWriteStep::Create) ? nullptr : CreateTemporary(target, temp);
    if (!f) {
        error = "cannot create a temporary file beside " + target.string() + ": " +
                SystemText(Faulted(EFileWriteStep::Create) ? EACCES : errno);
        return false;
    }

    auto fail = [&](EFileWriteStep step, const char* what) {
        const int err = Faulted(step) ? ENOSPC : errno;
        if (f)
            std::fclose(f);
        std::error_code ec;
        fs::remove(temp, ec);
        error = std::string(what) + " " + temp.string() + ": " + SystemText(err);
        return false;
    };

    errno = 0;
    if (Faulted(EFileWriteStep::Write) ||
        std::fwrite(content.data(), 1, content.size(), f) != content.size())
        return fail(EFileWriteStep::Write, "cannot write");
    if (Faulted(EFileWriteStep::Flush) || !FlushToDisk(f))
        return fail(EFileWriteStep::Flush, "cannot flush");
    const int closed = std::fclose(f);
    f = nullptr;
    if (closed != 0)
        return fail(EFileWriteStep::Flush, "cannot close");

    std::error_code ec;
    const fs::perms perms = fs::status(target, ec).permissions();
    if (!ec)
        fs::permissions(temp, perms, fs::perm_options::replace, ec);

    errno = 0;
    if (Faulted(EFileWriteStep::Rename))
        return fail(EFileWriteStep::Rename, "cannot rename");
    fs::rename(temp, target, ec);
    if (ec) {
        errno = ec.value();
        return fail(EFileWriteStep::Rename, "cannot rename");
    }
    FlushFolder(target);
    return true;
}
