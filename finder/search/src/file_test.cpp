#include "file_test.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

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

void Describe(const platform::FileFacts& facts, FileType type, TimeTexts& times, FoundFile& hit) {
    hit.Size = facts.size;
    // Into the slot's own strings: no allocation once they have grown.
    hit.Created.assign(times.created.Text(facts.created));
    hit.Modified.assign(times.modified.Text(facts.modified));
    hit.IsDos = type == FileType::Dos;
    hit.IsMac = type == FileType::Mac;
    hit.IsUnix = type == FileType::Unix;
    hit.IsBinary = type == FileType::Binary;
}

int StopRequestedOf(void* control) {
    return static_cast<const SearchControl*>(control)->StopRequested() ? 1 : 0;
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
    compiled.resize(expressions.size());
    for (std::size_t i = 0; i < expressions.size(); ++i) {
        usable.push_back(CompileRGrep(expressions[i].c_str(), matchCase ? 1 : 0, &compiled[i]) ==
                         0);
        blockPrefilter.push_back(BlockPrefilterAllowed(expressions[i]));
    }
}

EngineStopQuery::EngineStopQuery(const SearchControl& control) {
    HGrepSetStopQuery(&StopRequestedOf, const_cast<SearchControl*>(&control));
}

EngineStopQuery::~EngineStopQuery() {
    HGrepSetStopQuery(nullptr, nullptr);
}

FileTester::FileTester(const ContentPlan& plan, SearchControl& control)
    : plan_(plan), control_(control), records_(plan.compiled) {}

void FileTester::Test(FileJob& job) {
    job.tested = false;
    job.stopped = false;
    job.hit = false;
    job.progressTexts = 0;
    job.errorLines.clear();
    if (!control_.Proceed()) {
        job.folder.reset();
        return;
    }
    job.tested = true;
    if (job.folderError) {
        // In walk order among the files' lines, once, whatever the boolean mode.
        job.errorLines.push_back(std::string(kFolderErrorPrefix)
                                     .append(job.path)
                                     .append(" (")
                                     .append(std::strerror(job.folderError))
                                     .append(")"));
        return;
    }
    job.progressTexts = 1;
    const int fd = platform::OpenFileForReading(job.folder->Fd(), job.Name(), job.path);
    job.folder.reset(); // the folder closes once its last file is open
    if (fd < 0) {
        if (plan_.logErrors) {
            const std::size_t failures = plan_.mode == BoolMode::Or ? plan_.Alternatives() : 1;
            for (std::size_t i = 0; i < failures; ++i)
                job.errorLines.push_back(std::string(kAccessErrorPrefix).append(job.path));
        }
        return;
    }
    TestFile(job, fd);
    ::close(fd);
}

void FileTester::TestFile(FileJob& job, int fd) {
    std::optional<platform::FileFacts> facts;
    if (plan_.filters.Active()) {
        facts = FactsOf(fd);
        if (!facts->regular || !plan_.filters.PassesSize(facts->size) ||
            !plan_.filters.PassesDate(times_.created.Text(facts->created),
                                      times_.modified.Text(facts->modified)))
            return;
    }
    const FileContent content =
        plan_.nameOnly ? block_.Read(fd, kClassifyBytes, false) : block_.Read(fd, kReadBlock, true);
    const FileType type = Classify(content.first, content.firstLength);
    if (type == FileType::Binary && plan_.skipBinaries) return;
    if (!plan_.nameOnly && !ContentMatches(job, content, type == FileType::Binary)) return;
    if (!facts) {
        facts = FactsOf(fd);
        if (!facts->regular) return;
    }
    job.found.Path = job.path;
    Describe(*facts, type, times_, job.found);
    job.hit = true;
}

bool FileTester::ContentMatches(FileJob& job, const FileContent& content, bool binary) {
    const std::size_t alternatives = plan_.Alternatives();
    for (std::size_t i = 0; i < alternatives; ++i) {
        if (i > 0) ++job.progressTexts;
        ScanResult result = ScanResult::NoMatch;
        if (plan_.usable[i]) {
            result =
                binary ? scanner_.ScanBinary(content, records_[i], control_)
                       : scanner_.ScanText(content, records_[i], control_, plan_.blockPrefilter[i]);
        }
        if (result == ScanResult::Stopped) job.stopped = true;
        const bool found = result == ScanResult::Match;
        if (plan_.mode == BoolMode::And && !found) return false;
        if (plan_.mode != BoolMode::And && found) return true;
    }
    return plan_.mode == BoolMode::And;
}

} // namespace mvf::search
