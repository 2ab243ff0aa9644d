// The record a search runs on, and the process-wide state of searching.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace mvf::search {

enum class ErrorHandlingMode {
    Suppress, // log files that cannot be opened
    Warn,     // log them and offer the log at the end
    DontWarn, // neither
};

enum class SizeFilterKind { AllSizes, BetSizes, Smallsize, LargeSize };

enum class DateFilterKind { AllDates, DBetDates, DBefore, DAfter };

// How the content alternatives combine.
enum class BoolMode {
    Single, // FindText as a whole is the one expression; a bar in it is an ordinary character
    Or,     // any alternative
    And,    // every alternative
};

struct SearchCriteria {
    std::string FindText;                 // the content expression as typed; empty: by name only
    std::string FileMaskText;             // masks joined by commas
    std::string DirectoryText;            // folders joined by commas
    std::vector<std::string> Masks;       // FileMaskText split at ","
    std::vector<std::string> Directories; // the folders to walk, absolute (PrepareSearch)
    std::vector<std::string> Expressions; // FindText split at "|"
    bool BoolAND = false;
    bool BoolOR = false;
    bool MatchCase = false;
    bool SearchSubfolders = false;
    bool SkipBinaries = true;
    bool Background = false;
    bool Bark = false;
    ErrorHandlingMode ErrorHandling = ErrorHandlingMode::Suppress;
    SizeFilterKind SizeFilter = SizeFilterKind::AllSizes;
    std::string BetLow = "0", BetHigh = "0"; // KB, as typed
    std::string Smaller = "0";               // KB, as typed
    std::string Larger = "0";                // KB, as typed
    DateFilterKind DateFilter = DateFilterKind::AllDates;
    std::string DType = "Modified"; // exactly "Created" tests the creation time
    std::string DBetLow, DBetHigh;  // "MM/DD/YYYY"
    std::string DSooner;            // the "Before" date
    std::string DLater;             // the "After" date

    // OR decides the test when both flags are set (the dialog never sets both).
    BoolMode Mode() const {
        if (BoolOR) return BoolMode::Or;
        if (BoolAND) return BoolMode::And;
        return BoolMode::Single;
    }
};

// Process-wide search state. StopRequested and SearchCancelled are written by the
// user-interface thread and read by the search thread at its checkpoints.
struct SearchFlags {
    std::atomic<bool> SearchRunning{false};  // a search whose results the user has not yet
    std::atomic<bool> ResultsPending{false}; // a background search ended, results wait
    std::atomic<bool> ErrorsLogged{false};   // the last search's error log has a line
    std::atomic<bool> StopRequested{false};
    std::atomic<bool> SearchCancelled{false}; // no questions at the end
};

// The one instance the finder and mvfind use; tests may make their own.
SearchFlags& ProcessSearchFlags();

} // namespace mvf::search
