#include "options.h"

#include <getopt.h>

#include "finder/search/folder_paths.h"
#include "finder/search/hit_filters.h"
#include "finder/search/words.h"

namespace mvf::cli {

namespace {

using search::DateFilterKind;
using search::ErrorHandlingMode;
using search::SizeFilterKind;

enum LongOnly {
    kAnd = 256,
    kOr,
    kBinaries,
    kBetween,
    kSmaller,
    kLarger,
    kDate,
    kAfter,
    kBefore,
    kDatesBetween,
    kErrors,
    kErrorLog,
    kProgress,
    kLoad,
    kHelp,
};

const option kOptions[] = {
    {"mask", required_argument, nullptr, 'm'},
    {"find", required_argument, nullptr, 'f'},
    {"and", no_argument, nullptr, kAnd},
    {"or", no_argument, nullptr, kOr},
    {"match-case", no_argument, nullptr, 'c'},
    {"subfolders", no_argument, nullptr, 's'},
    {"binaries", no_argument, nullptr, kBinaries},
    {"between", required_argument, nullptr, kBetween},
    {"smaller", required_argument, nullptr, kSmaller},
    {"larger", required_argument, nullptr, kLarger},
    {"date", required_argument, nullptr, kDate},
    {"after", required_argument, nullptr, kAfter},
    {"before", required_argument, nullptr, kBefore},
    {"dates-between", required_argument, nullptr, kDatesBetween},
    {"errors", required_argument, nullptr, kErrors},
    {"error-log", required_argument, nullptr, kErrorLog},
    {"save", required_argument, nullptr, 'o'},
    {"long", no_argument, nullptr, 'l'},
    {"quiet", no_argument, nullptr, 'q'},
    {"progress", no_argument, nullptr, kProgress},
    {"load", required_argument, nullptr, kLoad},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

// "A,B" into its two parts; false unless there are exactly two.
bool SplitPair(const std::string& text, std::string& first, std::string& second) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) return false;
    first = text.substr(0, comma);
    second = text.substr(comma + 1);
    return true;
}

bool IsKB(const std::string& text) {
    return search::ParseWholeNumber(text).has_value();
}

// A size below nothing would make every file smaller than it.
bool IsNegative(const std::string& text) {
    const auto kb = search::ParseWholeNumber(text);
    return kb && *kb < 0;
}
bool IsDate(const std::string& text) {
    return text.size() == 10 && search::ParseDate(text).has_value();
}

std::string Absolute(const std::string& workingFolder, const std::string& path) {
    return path.empty() || path.front() == '/' ? path : workingFolder + "/" + path;
}

} // namespace

std::variant<Options, ShowHelp, UsageError> ParseOptions(int argc, char** argv,
                                                         const std::string& workingFolder) {
    Options options;
    search::SearchCriteria& c = options.criteria;
    c.FileMaskText = "*.*";
    c.ErrorHandling = ErrorHandlingMode::Warn;
    bool sizeGiven = false, dateGiven = false;
    const auto fail = [](std::string message) { return UsageError{std::move(message)}; };

    ::optind = 0; // a fresh scan, also when called more than once
    ::opterr = 0;
    bool searchOptions = false; // any option but --long and --load
    for (;;) {
        const int option = ::getopt_long(argc, argv, ":m:f:csqlo:", kOptions, nullptr);
        if (option == -1) break;
        const std::string value = ::optarg ? ::optarg : "";
        searchOptions = searchOptions || (option != 'l' && option != kLoad);
        switch (option) {
        case 'm': c.FileMaskText = value; break;
        case 'f': c.FindText = value; break;
        case kAnd: c.BoolAND = true; break;
        case kOr: c.BoolOR = true; break;
        case 'c': c.MatchCase = true; break;
        case 's': c.SearchSubfolders = true; break;
        case kBinaries: c.SkipBinaries = false; break;
        case kBetween:
        case kSmaller:
        case kLarger:
            if (sizeGiven) return fail("only one of --between, --smaller, --larger");
            sizeGiven = true;
            if (option == kBetween) {
                if (!SplitPair(value, c.BetLow, c.BetHigh) || !IsKB(c.BetLow) || !IsKB(c.BetHigh))
                    return fail("--between takes two whole numbers of KB: LOW,HIGH");
                for (const std::string& bound : {c.BetLow, c.BetHigh})
                    if (IsNegative(bound)) return fail("a size cannot be negative: " + bound);
                c.SizeFilter = SizeFilterKind::BetSizes;
            } else {
                if (!IsKB(value)) return fail("--smaller and --larger take a whole number of KB");
                if (IsNegative(value)) return fail("a size cannot be negative: " + value);
                (option == kSmaller ? c.Smaller : c.Larger) = value;
                c.SizeFilter =
                    option == kSmaller ? SizeFilterKind::Smallsize : SizeFilterKind::LargeSize;
            }
            break;
        case kDate:
            if (value == "created")
                c.DType = "Created";
            else if (value == "modified")
                c.DType = "Modified";
            else
                return fail("--date takes created or modified");
            break;
        case kAfter:
        case kBefore:
        case kDatesBetween:
            if (dateGiven) return fail("only one of --after, --before, --dates-between");
            dateGiven = true;
            if (option == kDatesBetween) {
                if (!SplitPair(value, c.DBetLow, c.DBetHigh) || !IsDate(c.DBetLow) ||
                    !IsDate(c.DBetHigh))
                    return fail("--dates-between takes two dates: MM/DD/YYYY,MM/DD/YYYY");
                c.DateFilter = DateFilterKind::DBetDates;
            } else {
                if (!IsDate(value)) return fail("dates are written MM/DD/YYYY");
                (option == kAfter ? c.DLater : c.DSooner) = value;
                c.DateFilter = option == kAfter ? DateFilterKind::DAfter : DateFilterKind::DBefore;
            }
            break;
        case kErrors:
            if (value == "suppress")
                c.ErrorHandling = ErrorHandlingMode::Suppress;
            else if (value == "warn")
                c.ErrorHandling = ErrorHandlingMode::Warn;
            else if (value == "dontwarn")
                c.ErrorHandling = ErrorHandlingMode::DontWarn;
            else
                return fail("--errors takes suppress, warn or dontwarn");
            break;
        case kErrorLog: options.errorLogPath = Absolute(workingFolder, value); break;
        case 'o': options.savePath = Absolute(workingFolder, value); break;
        case 'l': options.longFormat = true; break;
        case 'q': options.quiet = true; break;
        case kProgress: options.progress = true; break;
        case kLoad: options.loadPath = Absolute(workingFolder, value); break;
        case kHelp: return ShowHelp{};
        case ':': return fail(std::string("option needs a value: ") + argv[::optind - 1]);
        default: return fail(std::string("unknown option: ") + argv[::optind - 1]);
        }
    }
    if (!options.loadPath.empty()) {
        if (searchOptions || ::optind < argc)
            return fail("--load prints a results file: it takes no folders and no option but "
                        "--long");
        return options;
    }
    if (c.BoolAND && c.BoolOR) return fail("--and and --or exclude each other");
    if (::optind >= argc) return fail("no folder given");
    for (int i = ::optind; i < argc; ++i) {
        if (!c.DirectoryText.empty()) c.DirectoryText.push_back(',');
        c.DirectoryText.append(argv[i]);
    }
    if (!options.savePath.empty() && options.savePath == options.errorLogPath)
        return fail("--save and --error-log name the same file");
    return options;
}

const char* HelpText() {
    return R"(Usage: mvfind [options] FOLDERS
Searches folders for files by name, content, size and date, as the finder's search
dialog does, and prints one full path per hit in the order found.

FOLDERS is one or more folders joined by commas, as in the dialog ("src,/usr/include");
several arguments are joined the same way. Relative folders are taken from the current
directory.

  -m, --mask MASKS          file masks joined by commas (default *.*): "*" is any run of
                            characters, "?" one character, letters match either case,
                            "*.*" matches every name
  -f, --find EXPR           content expression (see below); without it files are chosen
                            by name, size and date alone
      --and | --or          boolean mode: EXPR holds alternatives separated by "|"; --and
                            needs every one to match in a file, --or any one. Without
                            either, EXPR is one expression and "|" an ordinary character
  -c, --match-case          letters compare exactly (default: either case matches)
  -s, --subfolders          search sub-folders too (names beginning with "." are skipped)
      --binaries            also test binary files (default: skip them)
      --between LOW,HIGH    size from LOW to HIGH KB, both included, either order (sizes
                            are 0 KB or more)
      --smaller KB          size below KB (1 KB is 1,000 bytes)
      --larger KB           size above KB
      --date created|modified
                            which time the date test reads (default modified)
      --after MM/DD/YYYY    dated after that day
      --before MM/DD/YYYY   dated before that day
      --dates-between MM/DD/YYYY,MM/DD/YYYY
                            dated from one day to the other, both included
      --errors suppress|warn|dontwarn
                            files and sub-folders that cannot be opened: log them
                            (suppress); log them and list them on standard error at the
                            end (warn, the default); neither (dontwarn)
      --error-log FILE      write the error log to FILE (default: none)
  -o, --save FILE           write the hits as a results file, in the finder's format,
                            which the finder can load (none when nothing was found)
  -l, --long                print name, type, folder, size, created and modified per hit,
                            separated by tabs
      --load FILE           print the rows of a results file (one the finder or --save
                            wrote) instead of searching: their full paths, or with --long
                            their fields; exit status 0, or 1 when it holds no rows
  -q, --quiet               print nothing; the exit status tells (ends at the first hit
                            unless a file is to be written)
      --progress            show the file under test on standard error (a terminal only)
      --help                show this text

Content expressions are searched line by line: a carriage return, a line feed or both
end a line, a Ctrl+Z ends the text, a zero byte ends what is searched of its line. In a
binary file (a zero byte among its first 255), each run of 5 or more printable
characters is searched instead. Lines and runs are searched whole; only one longer than
256 MiB is searched in pieces of 256 MiB, where a match across a cut is not seen. The
dialect:
  c         the character c itself             .      any character
  [abc]     one of a, b, c; ranges as [a-z]    [^abc] any character but these
  x*        x zero or more times               x+     x one or more times
  x-        x zero or one time (x: a character, ".", or a class)
  ^         start of the line (first in EXPR)  $      end of the line (last in EXPR)
  \<  \>    start and end of a word (letters, digits and "_")
  \( \)     a group (up to 9)                  \1-\9  the text a group matched
  \t \n \r \b \f    tab, line feed, carriage return, backspace, form feed
  \c        any other character c literally, e.g. \. \* \[ \\ \-
Without --match-case, letters match either case, except in the repetitions of a single
character under *, + or -, which match that character exactly as written ("ab*c" finds
"Abbc" but not "ABBC"). The tokens </sp> and </tb> in EXPR stand for a space and a tab.

Dates are the day of the file's time in local time; a file whose time is unknown passes
no date test. A size bound that is no whole number is refused here.

Ctrl+C stops the search, even inside one long line: the hits found so far are printed
and, with --save, saved; a second Ctrl+C ends mvfind at once.

Exit status: 0 when something was found, 1 when nothing was, 2 when the entries were
refused (the reason is printed on standard error) or a file could not be written, 130
when Ctrl+C stopped the search.
)";
}

} // namespace mvf::cli
