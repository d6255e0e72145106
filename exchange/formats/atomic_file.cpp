#include "exchange/formats/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace parlenko::exchange {
namespace {

std::string Failure(std::string_view what, const std::string& path, int err) {
    std::string text(what);
    text += " \"";
    text += path;
    text += "\": ";
    text += std::strerror(err);
    return text;
}

// Writes all of bytes to fd; false with errno set when the system refuses.
bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Makes the rename itself durable; a folder that cannot be synced is no error.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

FileRead ReadDataFile(const std::string& path, std::size_t maxBytes) {
    FileRead r;
    // Look before opening: opening a device or a pipe can block or have
    // effects of its own.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) r.missing = true;
        else r.error = Failure("Could not read", path, errno);
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.error = Failure("Could not read", path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL) +
                  " (not a regular file)";
        return r;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        r.error = Failure("Could not read", path, errno);
        return r;
    }
    // The file may have been swapped between the look and the open.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        r.error = Failure("Could not read", path, EINVAL) + " (not a regular file)";
        return r;
    }
    const auto tooLarge = [&] {
        r.bytes.clear();
        r.error = Failure("Could not read", path, EFBIG);
    };
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        tooLarge();
        return r;
    }
    r.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == r.bytes.size()) {
            if (r.bytes.size() > maxBytes) break;  // grew past its limit while read
            r.bytes.resize(std::min(maxBytes + 1, r.bytes.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd, r.bytes.data() + got, r.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            r.bytes.clear();
            r.error = Failure("Could not read", path, err);
            return r;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > maxBytes) {
        tooLarge();
        return r;
    }
    r.bytes.resize(got);
    return r;
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
    FileRead r = ReadDataFile(path, maxBytes);
    if (!r.ok()) return std::nullopt;
    return std::move(r.bytes);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TempFileName(path, ::getpid(), counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return {Failure("Could not write", path, errno)};
    }
    if (fd < 0) return {Failure("Could not write", path, EEXIST)};

    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        err = errno;
    }
    if (!written) {
        ::unlink(temp.c_str());
        return {Failure("Could not write", path, err)};
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        err = errno;
        ::unlink(temp.c_str());
        return {Failure("Could not replace", path, err)};
    }
    SyncFolder(FolderOf(path));
    return {};
}

std::string TempFileName(const std::string& path, long processId, unsigned number) {
    return path + ".tmp" + std::to_string(processId) + "_" + std::to_string(number);
}

bool IsTempFileOf(std::string_view name, std::string_view target) {
    constexpr std::string_view kMark = ".tmp";
    if (target.empty() || !name.starts_with(target)) return false;
    name.remove_prefix(target.size());
    if (!name.starts_with(kMark)) return false;
    name.remove_prefix(kMark.size());
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    // digits "_" digits, nothing more
    const auto underscore = name.find('_');
    if (underscore == std::string_view::npos) return false;
    const std::string_view id = name.substr(0, underscore);
    const std::string_view number = name.substr(underscore + 1);
    return !id.empty() && !number.empty() && std::all_of(id.begin(), id.end(), isDigit) &&
           std::all_of(number.begin(), number.end(), isDigit);
}

std::size_t RemoveStaleTempFiles(const std::string& folder,
                                 std::span<const std::string_view> targets) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return 0;
    std::size_t removed = 0;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        const bool ours = std::any_of(targets.begin(), targets.end(),
                                      [&](std::string_view t) { return IsTempFileOf(name, t); });
        // Not followed: a link of that name is not one of our writes.
        std::error_code statError;
        if (!ours || !fs::is_regular_file(it->symlink_status(statError)) || statError) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

WriteResult RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return {Failure("Could not delete", path, errno)};
    return {};
}

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace parlenko::exchange
