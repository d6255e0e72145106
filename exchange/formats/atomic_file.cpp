#include "exchange/formats/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

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

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
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
        temp = path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
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

WriteResult AppendToFile(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return {Failure("Could not write", path, errno)};
    struct stat st {};
    off_t oldSize = 0;
    if (::fstat(fd, &st) == 0) oldSize = st.st_size;
    bool written = ::lseek(fd, oldSize, SEEK_SET) == oldSize && WriteAll(fd, bytes);
    int err = errno;
    if (!written && ::ftruncate(fd, oldSize) != 0) {
        // Nothing more can be done; the error below still reaches the caller.
    }
    if (::close(fd) != 0 && written) {
        written = false;
        err = errno;
    }
    if (!written) return {Failure("Could not write", path, err)};
    return {};
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
