#include "finder/search/file_test.h"

#include <unistd.h>

#include <mvfindgrep.h>

#include "finder/search/classify.h"
#include "finder/search/words.h"
#include "platform/core/file_facts.h"
#include "platform/core/open_file.h"
#include "platform/core/time_text.h"

namespace mvf::search {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

// Size and times of an open file. Should they be unreadable (statx failing on an open
// file), the file still counts, with size 0 and unknown times.
platform::FileFacts FactsOf(int fd) {
    if (auto facts = platform::ReadFileFacts(fd)) return *facts;
    platform::FileFacts unknown;
    unknown.regular = true;
    return unknown;
}

void Describe(const platform::FileFacts& facts, FileType type, FoundFile& hit) {
    hit.Size = facts.size;
    hit.Created = platform::FileTimeText(facts.created);
    hit.Modified = platform::FileTimeText(facts.modified);
    hit.IsDos = type == FileType::Dos;
    hit.IsMac = type == FileType::Mac;
    hit.IsUnix = type == FileType::Unix;
    hit.IsBinary = type == FileType::Binary;
}

}  // namespace

FileTester::FileTester(const SearchCriteria& criteria, SearchControl& control, SearchHost& host)
    : control_(control), host_(host), mode_(criteria.Mode()), nameOnly_(criteria.FindText.empty()),
      matchCase_(criteria.MatchCase), skipBinaries_(criteria.SkipBinaries),
      logErrors_(criteria.ErrorHandling != ErrorHandlingMode::DontWarn), filters_(criteria) {
    if (mode_ == BoolMode::Single) {
        if (!nameOnly_) expressions_.push_back(ExpandTokens(criteria.FindText));
    } else {
        for (const std::string& expression : criteria.Expressions)
            expressions_.push_back(ExpandTokens(expression));
    }
    for (std::size_t i = 0; i < expressions_.size(); ++i) {
        usable_.push_back(SCompileRGrep(expressions_[i].c_str(), matchCase_ ? 1 : 0) == 0);
        compiled_ = usable_.back() ? static_cast<int>(i) : -1;
    }
}

std::size_t FileTester::Alternatives() const {
    return mode_ == BoolMode::Single ? 1 : expressions_.size();
}

void FileTester::ShowProgress(const std::string& path) {
    statusText_.assign(kProgressPrefix).append(path);
    host_.ShowProgress(statusText_);
}

void FileTester::LogFailedOpenings(const std::string& path, std::size_t count) {
    if (!logErrors_) return;
    for (std::size_t i = 0; i < count; ++i)
        errorLines_.push_back(std::string(kAccessErrorPrefix).append(path));
}

bool FileTester::Test(int folderFd, const char* name, const std::string& path, FoundFile& hit) {
    const std::size_t alternatives = Alternatives();
    if (alternatives == 0) return false; // a boolean mode without alternatives finds nothing
    ShowProgress(path);
    const Descriptor fd(platform::OpenFileForReading(folderFd, name, path));
    if (fd.Get() < 0) {
        LogFailedOpenings(path, mode_ == BoolMode::Or ? alternatives : 1);
        return false;
    }
    std::optional<platform::FileFacts> facts;
    if (filters_.Active()) {
        facts = FactsOf(fd.Get());
        if (!facts->regular || !filters_.PassesSize(facts->size) ||
            !filters_.PassesDate(platform::FileTimeText(facts->created),
                                 platform::FileTimeText(facts->modified)))
            return false;
    }
    FileContent content = nameOnly_ ? scanner_.ReadFirstBlock(fd.Get(), kClassifyBytes, false)
                                    : scanner_.ReadFirstBlock(fd.Get(), kReadBlock, true);
    const FileType type = Classify(scanner_.BlockArea(), content.firstLength);
    if (type == FileType::Binary && skipBinaries_) return false;
    if (!nameOnly_ && !ContentMatches(content, type == FileType::Binary, path)) return false;
    if (!facts) {
        facts = FactsOf(fd.Get());
        if (!facts->regular) return false;
    }
    hit.Path = path;
    Describe(*facts, type, hit);
    return true;
}

bool FileTester::ContentMatches(FileContent& content, bool binary, const std::string& path) {
    const std::size_t alternatives = Alternatives();
    for (std::size_t i = 0; i < alternatives; ++i) {
        if (i > 0) ShowProgress(path);
        const bool found = Scan(i, content, binary) == ScanResult::Match;
        if (mode_ == BoolMode::And && !found) return false;
        if (mode_ != BoolMode::And && found) return true;
    }
    return mode_ == BoolMode::And;
}

ScanResult FileTester::Scan(std::size_t alternative, FileContent& content, bool binary) {
    if (!usable_[alternative]) return ScanResult::NoMatch;
    if (compiled_ != static_cast<int>(alternative)) {
        SCompileRGrep(expressions_[alternative].c_str(), matchCase_ ? 1 : 0);
        compiled_ = static_cast<int>(alternative);
    }
    return binary ? scanner_.ScanBinary(content, control_) : scanner_.ScanText(content, control_);
}

}  // namespace mvf::search
