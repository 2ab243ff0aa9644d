/*
 * mvfindgrep: the pattern engine ("HGrep Search Engine" 6.0.1.1, version text "6.01a").
 *
 * Three kinds of search over zero-terminated 8-bit text, each with the same life:
 * compile a pattern into a record, search texts with it, read the bounds of the last
 * match from the record, optionally build a substituted copy of the searched text.
 *
 *   Soundex search             CompileSGrep / SGrep / SGrepSubsBuild / SGrepSubstitute
 *   approximate (k-mismatch)   AGrepInit / CompileAGrep / AGrep / AGrepEmpty / AGrep...
 *   regular expression         CompileRGrep / RGrep / RGrepSubsBuild / RGrepSubstitute
 *                              (and RGrepCandidate, for callers searching many lines)
 *
 * Around them: wrappers over one static record of each kind (S...), a line-by-line file
 * search (SFile...), a chain evaluator (PushHInfo, HGrep), one global error code, option
 * bits and error notices.
 *
 * Rules every caller must know:
 *  - Nothing is thrown; failures are integer codes, also stored in the record's `state`.
 *  - After a search the record points into the searched text (matchStart/matchEnd):
 *    keep that text alive and unchanged until the bounds have been used.
 *  - The library takes no locks and keeps process-wide state (static records, options,
 *    global error, chain, word table, notice handler, stop query, file search): callers
 *    must serialise all calls, with one exception. CompileRGrep and RGrep keep their
 *    work space per thread, so several threads may run them at once, each on records of
 *    its own, while no thread changes the process-wide state (options, word table,
 *    handlers). A compiled RegexRecord may be copied byte for byte: the copy is compiled.
 *
 * Usable from C and C++. All exports have plain, undecorated names.
 */
#ifndef MVFINDGREP_H
#define MVFINDGREP_H

#include <stdint.h>

#if defined(MVFINDGREP_BUILDING)
#define MVFG_API __attribute__((visibility("default")))
#else
#define MVFG_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Sizes ------------------------------------------------------------------------ */

#define MVFG_PATTERN_SIZE 512  /* pattern text incl. terminator: at most 511 characters */
#define MVFG_PROGRAM_SIZE 1024 /* compiled regular expression, END included */
#define MVFG_CODE_SIZE 1024    /* compiled Soundex code */
#define MVFG_BOUNDS 10         /* entries of matchStart / matchEnd */
/* Private analysis the regular-expression compiler leaves for the matcher's fast paths.
 * All zero means "none": a record that never went through CompileRGrep still works. */
#define MVFG_ANALYSIS_SIZE 3072

/* ---- Option bits (HGrepOptions) --------------------------------------------------- */

#define HGREP_OPT_LF_ENDS_LINE 1 /* line feed ends lines for ^ and $ */
#define HGREP_OPT_CR_ENDS_LINE 2 /* carriage return ends lines for ^ and $ */
#define HGREP_OPT_MESSAGES 8     /* every reported error goes to the notice handler */
#define HGREP_OPT_DEFAULT 8

/* ---- Error codes ------------------------------------------------------------------ */

#define HGREP_OK 0
#define HGREP_ERR_BAD_STATE 1        /* "bad state in automaton" */
#define HGREP_ERR_NO_MEMORY 2        /* "not enough memory" */
#define HGREP_ERR_NO_SPACE 3         /* "not enough space in destination string" */
#define HGREP_ERR_TOO_LONG 4         /* "pattern too long" (approximate) */
#define HGREP_ERR_NO_PREVIOUS 5      /* "no previous search" */
#define HGREP_ERR_NO_PATTERN 6       /* empty or missing pattern */
#define HGREP_ERR_EMPTY_PROGRAM 20   /* RGrep on a record whose program is empty */
#define HGREP_ERR_MISSING_BRACKET 25 /* "Missing ]" */
#define HGREP_ERR_LEADING_CLOSURE 26 /* "Empty closure in beginning of pattern" */
#define HGREP_ERR_ILLEGAL_CLOSURE 27 /* "Illegal closure after special character" */
#define HGREP_ERR_TOO_MANY_TAGS 28   /* "Too many \(\) pairs" */
#define HGREP_ERR_EMPTY_TAG 29       /* "Null pattern inside \(\)" */
#define HGREP_ERR_UNMATCHED_CLOSE 30 /* "Unmatched \)" */
#define HGREP_ERR_EMPTY_WORD 31      /* "Null pattern inside \<\>" */
#define HGREP_ERR_CYCLIC_REF 32      /* "Cyclical reference in tag \number" */
#define HGREP_ERR_UNDEFINED_REF 33   /* "Undetermined reference" */
#define HGREP_ERR_UNMATCHED_OPEN 34  /* "Unmatched \(" */
/* Limits the record layout implies:
 * a pattern of more than 511 characters, for the regular-expression and Soundex
 * compilers ("pattern too long"; the approximate compiler answers 4 as always), and a
 * regular expression whose program would pass 1024 bytes ("program too long"). */
#define HGREP_ERR_PATTERN_TOO_LONG 35
#define HGREP_ERR_PROGRAM_TOO_LONG 36

/* ---- Records ---------------------------------------------------------------------- */

/* The header every pattern record begins with. */
#define MVFG_RECORD_HEADER                                                                         \
    int32_t state;                       /* 0 usable; else the last error code */                  \
    char pattern[MVFG_PATTERN_SIZE];     /* copy of the compiled pattern */                        \
    const char* matchStart[MVFG_BOUNDS]; /* entry 0: last match; 1-9: groups or matches */         \
    const char* matchEnd[MVFG_BOUNDS];   /* just past the end of the same */                       \
    int32_t caseSensitive                /* 0: upper and lower case are equal */

typedef struct RegexRecord {
    MVFG_RECORD_HEADER;
    unsigned char program[MVFG_PROGRAM_SIZE];
    unsigned char analysis[MVFG_ANALYSIS_SIZE]; /* private to the library */
} RegexRecord;

typedef struct SoundexRecord {
    MVFG_RECORD_HEADER;
    char code[MVFG_CODE_SIZE];
} SoundexRecord;

/* A bit-vector of variable length; bit n lies in words[n / 32] at position n % 32. */
typedef struct BitList {
    int32_t wordCount; /* (bitCount + 31) / 32 */
    int32_t bitCount;
    int32_t allocated; /* 1 while memory is held */
    void* handle;      /* the memory block */
    uint32_t* words;
} BitList;

#define MVFG_APPROX_FIELDS                                                                         \
    MVFG_RECORD_HEADER;                                                                            \
    BitList validMask; /* the low totalBits bits set */                                            \
    BitList highBits;  /* top bit of every field */                                                \
    BitList threshold; /* the match limit in the top field */                                      \
    BitList counters;  /* per-position counters during a search */                                 \
    BitList overflow;  /* per-position overflow flags during a search */                           \
    BitList scratch;   /* work space */                                                            \
    BitList charTable[256];                                                                        \
    int32_t fieldBits; /* B: bits per pattern position */                                          \
    int32_t totalBits; /* B times the pattern length */                                            \
    int32_t mode;      /* 1 normal, 0 complement, 2 exact, -1 not compiled */                      \
    char exactPattern[MVFG_PATTERN_SIZE]

typedef struct ApproxRecord {
    MVFG_APPROX_FIELDS;
} ApproxRecord;

#define HINFO_OPERATOR 0 /* `state` holds the operator */
#define HINFO_APPROX 1   /* searched with AGrep */
#define HINFO_REGEX 2    /* searched with RGrep; the node is used as a RegexRecord */

/* A chain node, allocated and filled in by the caller; the library only links and reads
 * it. Its first part is laid out as an ApproxRecord, and a regular-expression node is
 * used as a RegexRecord (which is never larger). */
typedef struct HInfo {
    MVFG_APPROX_FIELDS;
    struct HInfo* next;
    int32_t kind;
} HInfo;

/* ---- Regular expressions ---------------------------------------------------------- */

MVFG_API int CompileRGrep(const char* pattern, int caseSensitive, RegexRecord* record);
MVFG_API int RGrep(const char* text, RegexRecord* record);
/* Where in [from, end) a text searched by RGrep with this record can first hold a match:
 * the first place there where a run of characters every match contains begins, `end` when
 * that run occurs nowhere in the range, `from` when the record gives no such run (or is
 * not compiled). A line or piece that lies wholly before the answer cannot match, so a
 * caller searching many lines one by one may pass over them. Reads only [from, end),
 * which needs no terminator; safe on several threads like RGrep. */
MVFG_API const char* RGrepCandidate(const char* from, const char* end, const RegexRecord* record);
/* Substitution, the same for the three kinds (RGrep..., SGrep..., AGrep...):
 *   SubsBuild writes the expanded template; Substitute writes the searched text with its
 *   first match (entry 0) replaced by the expanded template. `size` is what the
 *   destination holds, terminator included; nothing is written beyond it, and a result
 *   that does not fit fails with 3 (Substitute then leaves the text before the match,
 *   SubsBuild an empty string). Template: "&" or "\0" the match, "\1".."\9" entries
 *   1-9, "\b" "\f" "\n" "\r" "\t" control characters, "\" and any other character that
 *   character; a single "\" ending the template is a backslash. Codes: 6 empty template,
 *   5 no successful search, 1 bounds that do not lie in the text given (or an entry the
 *   text ends inside), 3 no room. */
MVFG_API int RGrepSubsBuild(const char* replacement, char* destination, int size,
                            RegexRecord* record);
MVFG_API int RGrepSubstitute(const char* text, const char* replacement, char* destination, int size,
                             RegexRecord* record);
MVFG_API void InitWordCharTable(void);
MVFG_API void AddWordChar(const char* chars);
MVFG_API void RemoveWordChar(const char* chars);

/* ---- Soundex ---------------------------------------------------------------------- */

/* Words that sound alike. Case never matters; the int argument is not used. A pattern of
 * more than 511 characters is refused with HGREP_ERR_PATTERN_TOO_LONG. Only entry 0 of the
 * bounds is ever set. */
MVFG_API int CompileSGrep(const char* pattern, int unused, SoundexRecord* record);
MVFG_API int SGrep(const char* text, SoundexRecord* record);
MVFG_API int SGrepSubsBuild(const char* replacement, char* destination, int size,
                            SoundexRecord* record);
MVFG_API int SGrepSubstitute(const char* text, const char* replacement, char* destination, int size,
                             SoundexRecord* record);

/* ---- Approximate search ----------------------------------------------------------- */

/* Windows of the text as long as the pattern that differ from it in at most k positions.
 * AGrepInit a fresh record once (it trusts nothing in it and releases nothing), compile
 * any number of times, AGrepEmpty when done. AGrep answers the number of match ends and
 * records the first ten matches in entries 0-9. k <= 0 searches the pattern exactly; a k
 * of the pattern's length or more matches at every text position. After AGrepEmpty the
 * record answers -1 until it is compiled again. */
MVFG_API int AGrepInit(ApproxRecord* record);
MVFG_API int CompileAGrep(const char* pattern, int k, int caseSensitive, ApproxRecord* record);
MVFG_API int AGrep(const char* text, ApproxRecord* record);
MVFG_API int AGrepEmpty(ApproxRecord* record);
MVFG_API int AGrepSubsBuild(const char* replacement, char* destination, int size,
                            ApproxRecord* record);
MVFG_API int AGrepSubstitute(const char* text, const char* replacement, char* destination, int size,
                             ApproxRecord* record);

/* ---- Wrappers over the library's own records -------------------------------------- */

MVFG_API int SCompileRGrep(const char* pattern, int caseSensitive);
MVFG_API int SRGrep(const char* text);
MVFG_API int SRGrepSubsBuild(const char* replacement, char* destination, int size);
MVFG_API int SRGrepSubstitute(const char* text, const char* replacement, char* destination,
                              int size);
MVFG_API int SCompileSGrep(const char* pattern, int unused);
MVFG_API int SSGrep(const char* text);
MVFG_API int SSGrepSubsBuild(const char* replacement, char* destination, int size);
MVFG_API int SSGrepSubstitute(const char* text, const char* replacement, char* destination,
                              int size);
MVFG_API int SCompileAGrep(const char* pattern, int k, int caseSensitive);
MVFG_API int SAGrep(const char* text);
MVFG_API int SAGrepInit(void);
MVFG_API int SAGrepEmpty(void);
MVFG_API int SAGrepSubsBuild(const char* replacement, char* destination, int size);
MVFG_API int SAGrepSubstitute(const char* text, const char* replacement, char* destination,
                              int size);

/* ---- File search (one file at a time per process) --------------------------------- */

/* SFileSetFlags, the SCompile call of the kind, SFileOpen, the SFile search of that kind
 * until it answers NULL, SFileClose (which answers the number of lines reported, and
 * releases the static approximate record: compile it again before the next file).
 * The file is read as text (a carriage return before a line feed is dropped) in lines of
 * at most 1023 bytes; a longer line comes in pieces, each counted as a line. Each line is
 * searched with its line feed, as the file search always has: "b." finds "ab" followed by
 * a line feed, an approximate window may take the line feed for a character, and a last
 * line without one may answer otherwise. A caller whose answers must not depend on line
 * ends searches each line without it (hgrep does). An answer is
 * "[name:][block:][line:]line" cut to 1023 characters, valid until the next search call.
 * SFileOpen keeps the path pointer, not a copy: keep the string alive until SFileClose.
 * It answers 0 for a file it cannot open or read (a folder), errno telling why; a read
 * error later ends the file like its end. */
MVFG_API int SFileSetFlags(int showName, int showBlock, int showLineNo, int countOnly,
                           int skipResult);
MVFG_API int SFileOpen(const char* path);
MVFG_API const char* SFileSGrep(void);
MVFG_API const char* SFileAGrep(void);
MVFG_API const char* SFileRGrep(void);
MVFG_API int SFileClose(void);

/* ---- Chain, errors, options, library ---------------------------------------------- */

MVFG_API int PushHInfo(HInfo* node);
MVFG_API int HGrep(const char* text);
MVFG_API int HGrepGetError(void);
MVFG_API int HGrepSetError(int code);
MVFG_API int HGrepResetError(int code);
MVFG_API int HGrepOptions(int options);
MVFG_API int HGrepMessages(int unused);
MVFG_API uint16_t HGrepVersion(void);
MVFG_API int HGrepIsDebug(void);
/* Loads the three notice captions (approximate, regular expression, Soundex) from the
 * library's string table. The arguments are not used; a host that wants captions calls
 * it once. Returns 1 when all three were loaded. */
MVFG_API int LibMain(void* instance, int unused1, int unused2, const char* unused3);

/* ---- Notices ---------------------------------------------------------------------- */

/* The library has no user interface. While option bit 8 is set, every reported error is
 * passed to the installed handler, on the calling thread, which may block (a modal box)
 * until the user has read it. With no handler installed (or after installing NULL), the
 * notice is written to standard error as one line "caption: text". The caption is empty
 * until LibMain has loaded it. `context` is passed back unchanged. Returns the handler
 * that was installed before. */
typedef void (*HGrepNoticeHandler)(const char* caption, const char* text, void* context);
MVFG_API HGrepNoticeHandler HGrepSetNoticeHandler(HGrepNoticeHandler handler, void* context);

/* ---- Stopping a long search ------------------------------------------------------- */

/* A regular-expression search of one text can take long (back-references make the
 * matcher backtrack). While a query is installed, RGrep (and every call built on it: the
 * wrappers, the chain, the file search) asks it every few thousand steps whether to give
 * up; when it answers nonzero the search ends at once and answers 0, as for a text
 * without a match, with every bound null. The query runs on the searching thread and must
 * be cheap: it reads a flag that another thread, or a signal handler, sets. `context` is
 * passed back unchanged. NULL removes the query. Returns the query installed before. */
typedef int (*HGrepStopQuery)(void* context);
MVFG_API HGrepStopQuery HGrepSetStopQuery(HGrepStopQuery query, void* context);

#ifdef __cplusplus
}
#endif

#endif /* MVFINDGREP_H */
