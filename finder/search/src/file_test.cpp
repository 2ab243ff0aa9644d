#include "file_test.h"

#include <cerrno>
#include <cstring>

#include "mvfindgrep.h"

#include "classify.h"
#include "finder/search/words.h"
#include "platform/core/file_facts.h"
#include "platform/core/open_file.h"
#include "platform/core/time_text.h"

namespace mvf::search {

namespace {

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

} // namespace

ContentPlan::ContentPlan(const SearchCriteria& criteria)
    : mode(criteria.Mode()), nameOnly(criteria.FindText.empty()), matchCase(criteria.MatchCase),
      skipBinaries(criteria.SkipBinaries),
      logErrors(criteria.ErrorHandling != ErrorHandlingMode::DontWarn), filters(criteria) {
    if (mode == BoolMode::Single) {
        if (!nameOnly) expressions.push_back(ExpandTokens(criteria.FindText));
    } else {
        for (const std::string& expression : criteria.Expressions)
            expressions.push_back(ExpandTokens(expression));
    }
}

bool FileOpener::Open(int folderFd, const char* name, const std::string& path, FileJob& job) {
    if (plan_.Alternatives() == 0) return false; // a boolean mode without alternatives
    job.path = path;
    job.facts.reset();
    job.filteredOut = false;
    job.folderError = 0;
    job.content = FileContent{};
    job.fd = platform::OpenFileForReading(folderFd, name, path);
    if (job.fd < 0) return true;
    if (plan_.filters.Active()) {
        job.facts = FactsOf(job.fd);
        job.filteredOut = !job.facts->regular || !plan_.filters.PassesSize(job.facts->size) ||
                          !plan_.filters.PassesDate(platform::FileTimeText(job.facts->created),
                                                    platform::FileTimeText(job.facts->modified));
        if (job.filteredOut) return true;
    }
    job.content = plan_.nameOnly ? job.block.Read(job.fd, kClassifyBytes, false)
                                 : job.block.Read(job.fd, kReadBlock, true);
    return true;
}

namespace {

int StopRequestedOf(void* control) {
    return static_cast<const SearchControl*>(control)->StopRequested() ? 1 : 0;
}

} // namespace

bool FileOpener::FolderFailed(const std::string& path, int error, FileJob& job) {
    if (!plan_.logErrors) return false;
    job.path = path;
    job.fd = -1;
    job.facts.reset();
    job.filteredOut = false;
    job.folderError = error != 0 ? error : EIO;
    job.content = FileContent{};
    return true;
}

FileTester::FileTester(const ContentPlan& plan, SearchControl& control, SearchHost& host)
    : plan_(plan), control_(control), host_(host) {
    // One search runs at a time: the engine's one query is this search's.
    HGrepSetStopQuery(&StopRequestedOf, &control_);
    for (std::size_t i = 0; i < plan_.expressions.size(); ++i) {
        usable_.push_back(SCompileRGrep(plan_.expressions[i].c_str(), plan_.matchCase ? 1 : 0) ==
                          0);
        compiled_ = usable_.back() ? static_cast<int>(i) : -1;
        blockPrefilter_.push_back(BlockPrefilterAllowed(plan_.expressions[i]));
    }
}

FileTester::~FileTester() {
    HGrepSetStopQuery(nullptr, nullptr);
}

void FileTester::ShowProgress(const std::string& path) {
    statusText_.assign(kProgressPrefix).append(path);
    host_.ShowProgress(statusText_);
}

bool FileTester::Test(FileJob& job, FoundFile& hit) {
    if (job.folderError) {
        // In walk order among the files' lines, once, whatever the boolean mode.
        errorLines_.push_back(std::string(kFolderErrorPrefix)
                                  .append(job.path)
                                  .append(" (")
                                  .append(std::strerror(job.folderError))
                                  .append(")"));
        return false;
    }
    ShowProgress(job.path);
    if (job.fd < 0) {
        if (plan_.logErrors) {
            const std::size_t failures = plan_.mode == BoolMode::Or ? plan_.Alternatives() : 1;
            for (std::size_t i = 0; i < failures; ++i)
                errorLines_.push_back(std::string(kAccessErrorPrefix).append(job.path));
        }
        return false;
    }
    if (job.filteredOut) return false;
    const FileType type = Classify(job.content.first, job.content.firstLength);
    if (type == FileType::Binary && plan_.skipBinaries) return false;
    if (!plan_.nameOnly && !ContentMatches(job, type == FileType::Binary)) return false;
    if (!job.facts) {
        job.facts = FactsOf(job.fd);
        if (!job.facts->regular) return false;
    }
    hit.Path = job.path;
    Describe(*job.facts, type, hit);
    return true;
}

bool FileTester::ContentMatches(const FileJob& job, bool binary) {
    const std::size_t alternatives = plan_.Alternatives();
    for (std::size_t i = 0; i < alternatives; ++i) {
        if (i > 0) ShowProgress(job.path);
        const bool found = Scan(i, job.content, binary) == ScanResult::Match;
        if (plan_.mode == BoolMode::And && !found) return false;
        if (plan_.mode != BoolMode::And && found) return true;
    }
    return plan_.mode == BoolMode::And;
}

ScanResult FileTester::Scan(std::size_t alternative, const FileContent& content, bool binary) {
    if (!usable_[alternative]) return ScanResult::NoMatch;
    if (compiled_ != static_cast<int>(alternative)) {
        SCompileRGrep(plan_.expressions[alternative].c_str(), plan_.matchCase ? 1 : 0);
        compiled_ = static_cast<int>(alternative);
    }
    if (binary) return scanner_.ScanBinary(content, control_);
    return scanner_.ScanText(content, control_, blockPrefilter_[alternative]);
}

} // namespace mvf::search
