#include "viewer/editor/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "viewer/editor/editor_errors.h"

namespace mvf::editor {
namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

// Closes a descriptor on every path out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// Assembles lines from blocks of the file. A carriage return that ends one block and the
// line feed that starts the next one are one line end.
class LineReader {
public:
    LineReader(TParaList& list, bool trim) : list_(list), trim_(trim) {}

    void Feed(std::string_view block) {
        size_t start = 0;
        if (pendingCr_ && !block.empty() && block[0] == '\n') {
            start = 1;
            NoteLineEnd("\r\n");
        } else if (pendingCr_ && !block.empty()) {
            NoteLineEnd("\r");
        }
        if (!block.empty()) pendingCr_ = false;
        for (size_t i = start; i < block.size(); ++i) {
            const char c = block[i];
            if (c != '\r' && c != '\n') continue;
            EndLine(block.substr(start, i - start));
            if (c == '\r') {
                if (i + 1 == block.size()) {
                    pendingCr_ = true;
                } else if (block[i + 1] == '\n') {
                    NoteLineEnd("\r\n");
                    ++i;
                } else {
                    NoteLineEnd("\r");
                }
            } else {
                NoteLineEnd("\n");
            }
            start = i + 1;
        }
        if (start < block.size()) Continue(block.substr(start));
    }

    void Finish() {
        if (pendingCr_) NoteLineEnd("\r");
        if (!partial_.empty()) EndLine({});
        list_.SetLineEnd(lineEnd_.empty() ? "\n" : lineEnd_);
    }

private:
    void EndLine(std::string_view tail) {
        if (partial_.empty()) {
            Check(list_.AppendLine(tail, trim_));
            return;
        }
        partial_.append(tail);
        Check(list_.AppendLine(partial_, trim_));
        partial_.clear();
    }

    // A line that goes on in the next block. Lines longer than a paragraph are handed
    // over in paragraphs as they come, so that a huge line never sits in memory whole.
    void Continue(std::string_view part) {
        partial_.append(part);
        if (partial_.size() > 4 * kBlockSize) {
            size_t kept = 0;
            Check(list_.AppendLine(partial_, trim_, &kept));
            partial_.erase(0, partial_.size() - kept);
        }
    }

    void NoteLineEnd(const char* end) {
        if (lineEnd_.empty()) lineEnd_ = end;
    }

    static void Check(int code) {
        if (code != 0) throw EEditorError(code);
    }

    TParaList& list_;
    bool trim_;
    bool pendingCr_ = false;
    std::string partial_;
    std::string lineEnd_;
};

void WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw IoError(errno);
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
}

void WriteParagraphs(int fd, TParaList& list) {
    std::vector<char> buffer;
    buffer.reserve(kBlockSize);
    const std::string& lineEnd = list.LineEnd();
    for (const TParaNode* node = list.FirstNode(); node; node = node->next) {
        // The last paragraph is written only when it holds text.
        if (!node->next && node->Length() == 0) break;
        const std::string_view text = node->Text();
        if (buffer.size() + text.size() + lineEnd.size() > kBlockSize) {
            WriteAll(fd, buffer.data(), buffer.size());
            buffer.clear();
        }
        if (text.size() + lineEnd.size() > kBlockSize) {
            WriteAll(fd, text.data(), text.size());
        } else {
            buffer.insert(buffer.end(), text.begin(), text.end());
        }
        // A paragraph cut from a long line goes on in the next one, as in the file.
        if (!node->continuesLine) buffer.insert(buffer.end(), lineEnd.begin(), lineEnd.end());
    }
    WriteAll(fd, buffer.data(), buffer.size());
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A symbolic link is saved through: the file it names is replaced, the link stays.
std::string ResolveTarget(const std::string& fileName) {
    struct stat st {};
    if (::lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return fileName;
    char* resolved = ::realpath(fileName.c_str(), nullptr);
    if (!resolved) return fileName;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

// Creates a new temporary file beside `target`, with the target's owner and permissions
// when it exists (else the usual ones for a new file).
int CreateTemporary(const std::string& target, std::string& tempName) {
    const std::string folder = FolderOf(target);
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) throw IoError(EISDIR);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = folder + "/." + base + "." + std::to_string(::getpid()) + "." +
                   std::to_string(attempt) + ".tmp";
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (exists) {
                // The saved file keeps the old one's owner (where allowed) and permissions.
                (void)::fchown(fd, st.st_uid, st.st_gid);
                (void)::fchmod(fd, st.st_mode & 07777);
            }
            return fd;
        }
        if (errno != EEXIST) {
            // A missing folder is a bad path, not a missing file.
            throw IoError(errno == ENOENT ? ENOTDIR : errno);
        }
    }
    throw IoError(EEXIST);
}

} // namespace

std::string BackupFileName(const std::string& fileName, std::string_view backupExt) {
    const size_t slash = fileName.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = fileName.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    std::string backup = hasExtension ? fileName.substr(0, dot) : fileName;
    backup += '.';
    backup += backupExt;
    return backup;
}

EInOutError IoError(int errorNumber) {
    switch (errorNumber) {
    case ENOENT: return {2, "File not found"};
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return {3, "Path not found"};
    case EMFILE:
    case ENFILE: return {4, "Too many open files"};
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return {5, "File access denied"};
    case ENOSPC:
    case EDQUOT: return {101, "Disk full"};
    default: return {errorNumber, "I/O error " + std::to_string(errorNumber)};
    }
}

void LoadTextFile(const std::string& fileName, TParaList& list, bool trimWhiteSpace) {
    list.Clear();
    // Only regular files are read: opening without blocking keeps a FIFO from hanging.
    Descriptor fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) throw IoError(errno);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) throw IoError(errno);
    if (!S_ISREG(st.st_mode)) throw IoError(S_ISDIR(st.st_mode) ? EISDIR : EACCES);
    (void)::fcntl(fd.Get(), F_SETFL, 0);
    try {
        LineReader reader(list, trimWhiteSpace);
        std::vector<char> block(kBlockSize);
        char held = 0; // the last byte read, passed on only once more follows
        bool holding = false;
        for (;;) {
            const ssize_t n = ::read(fd.Get(), block.data(), block.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                throw IoError(errno);
            }
            if (n == 0) break;
            if (holding) reader.Feed(std::string_view(&held, 1));
            held = block[n - 1];
            holding = true;
            reader.Feed(std::string_view(block.data(), static_cast<size_t>(n - 1)));
        }
        // A Ctrl+Z as the very last byte is the old end-of-file mark; anywhere else it is
        // an ordinary character, so nothing after it is lost.
        if (holding && held != kCtrlZ) reader.Feed(std::string_view(&held, 1));
        reader.Finish();
    } catch (...) {
        list.Clear();
        throw;
    }
    list.LoadFinished();
}

void SaveTextFile(const std::string& fileName, TParaList& list, const std::string& backupName) {
    if (fileName.empty()) return;
    const std::string target = ResolveTarget(fileName);
    std::string tempName;
    Descriptor fd(CreateTemporary(target, tempName));
    try {
        WriteParagraphs(fd.Get(), list);
        if (::fsync(fd.Get()) != 0) throw IoError(errno);
        if (::close(fd.Release()) != 0) throw IoError(errno);
    } catch (...) {
        ::unlink(tempName.c_str());
        throw;
    }
    // The backup step. Failures here are ignored; a hard link keeps the old file in place
    // until the rename below replaces it in one step.
    bool movedToBackup = false;
    if (!backupName.empty() && backupName != fileName && ::access(target.c_str(), F_OK) == 0) {
        ::unlink(backupName.c_str());
        if (::link(target.c_str(), backupName.c_str()) != 0)
            movedToBackup = ::rename(target.c_str(), backupName.c_str()) == 0;
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        if (movedToBackup) (void)::rename(backupName.c_str(), target.c_str());
        throw IoError(error);
    }
    list.SetModified(false);
}

} // namespace mvf::editor
