/* The public header compiled as C, and the library called through it: exports with plain
 * names, records laid out as the header declares them, captions empty until LibMain. */
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include "mvfindgrep.h"

static int failures = 0;
#define CHECK(cond)                                                                                \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);               \
            ++failures;                                                                            \
        }                                                                                          \
    } while (0)

static char lastCaption[256];
static char lastText[256];
static int noticeCount = 0;

static void OnNotice(const char* caption, const char* text, void* context) {
    (void)context;
    strncpy(lastCaption, caption, sizeof lastCaption - 1);
    strncpy(lastText, text, sizeof lastText - 1);
    ++noticeCount;
}

static int stopQuestions = 0;

static int StopAtOnce(void* context) {
    (void)context;
    ++stopQuestions;
    return 1;
}

int main(void) {
    RegexRecord rec;
    const char* text = "say hello world";

    /* The header: order and widths. */
    CHECK(offsetof(RegexRecord, state) == 0);
    CHECK(sizeof(rec.state) == 4);
    CHECK(offsetof(RegexRecord, pattern) == 4);
    CHECK(sizeof(rec.pattern) == 512);
    CHECK(offsetof(RegexRecord, matchStart) < offsetof(RegexRecord, matchEnd));
    CHECK(sizeof(rec.matchStart) == 10 * sizeof(char*));
    CHECK(offsetof(RegexRecord, caseSensitive) > offsetof(RegexRecord, matchEnd));
    CHECK(sizeof(rec.program) == 1024);
    CHECK(offsetof(SoundexRecord, caseSensitive) == offsetof(RegexRecord, caseSensitive));
    CHECK(offsetof(ApproxRecord, caseSensitive) == offsetof(RegexRecord, caseSensitive));
    /* A chain node is used as a regular-expression record. */
    CHECK(sizeof(RegexRecord) <= offsetof(HInfo, next));

    CHECK(HGrepVersion() == 0x6011);
    CHECK(HGrepIsDebug() == 0);

    /* Captions are empty until LibMain. */
    HGrepSetNoticeHandler(OnNotice, NULL);
    CHECK(CompileRGrep("[x", 1, &rec) == 25);
    CHECK(noticeCount == 1);
    CHECK(strcmp(lastCaption, "") == 0);
    CHECK(strcmp(lastText, "Missing ]") == 0);
    CHECK(LibMain(NULL, 0, 0, NULL) == 1);
    CHECK(CompileRGrep("\\(", 1, &rec) == 34);
    CHECK(strcmp(lastCaption, "Regular Expression Error") == 0);
    CHECK(strcmp(lastText, "Unmatched \\(") == 0);

    /* A search through the record and through the static wrappers. */
    CHECK(CompileRGrep("\\<w[a-z]*", 1, &rec) == 0);
    CHECK(RGrep(text, &rec) == 1);
    CHECK(rec.matchStart[0] == text + 10);
    CHECK(rec.matchEnd[0] == text + 15);
    {
        /* Lines before the one holding a run every match needs can be passed over. */
        static const char lines[] = "abc\nxyz\nquartz wins\n";
        const char* end = lines + sizeof lines - 1;
        CHECK(CompileRGrep("quartz", 1, &rec) == 0);
        CHECK(RGrepCandidate(lines, end, &rec) == lines + 8);
        CHECK(RGrepCandidate(lines, lines + 8, &rec) == lines + 8);
        CHECK(CompileRGrep("[a-z]*", 1, &rec) == 0);
        CHECK(RGrepCandidate(lines, end, &rec) == lines);
    }
    CHECK(SCompileRGrep("HELLO", 0) == 0);
    CHECK(SRGrep(text) == 1);
    CHECK(SRGrep("goodbye") == 0);

    /* Without a handler a notice goes to standard error; with options 0, nowhere. */
    HGrepSetNoticeHandler(NULL, NULL);
    CHECK(HGrepOptions(0) == 0);
    CHECK(CompileRGrep("*", 1, &rec) == 26);
    CHECK(HGrepMessages(0) == 8);

    /* The other kinds, substitution and the file search's refusal, through C. */
    {
        static SoundexRecord soundex;
        static ApproxRecord approx;
        const char* names = "Dear Rupert";
        char out[64];
        CHECK(CompileSGrep("Robert", 0, &soundex) == 0);
        CHECK(SGrep(names, &soundex) == 1);
        CHECK(SGrepSubstitute(names, "[&]", out, (int)sizeof out, &soundex) == 0);
        CHECK(strcmp(out, "Dear[ Rupert]") == 0);
        CHECK(AGrepInit(&approx) == 1);
        CHECK(CompileAGrep("Rubert", 1, 1, &approx) == 0);
        CHECK(AGrep(names, &approx) == 1);
        CHECK(AGrepEmpty(&approx) == 1);
        CHECK(SFileSetFlags(0, 0, 0, 0, 0) == 1);
        CHECK(SFileOpen("/nonexistent/file") == 0);
        CHECK(SFileRGrep() == NULL);
        CHECK(SFileClose() == 0);
    }

    /* A stop query, from C: asked during a long search, which then finds nothing. */
    {
        static char longText[20000];
        memset(longText, 'x', sizeof longText - 4);
        strcpy(longText + sizeof longText - 4, "bab");
        CHECK(HGrepSetStopQuery(StopAtOnce, NULL) == NULL);
        CHECK(CompileRGrep("x*ab", 1, &rec) == 0);
        CHECK(RGrep(longText, &rec) == 0);
        CHECK(stopQuestions > 0);
        CHECK(HGrepSetStopQuery(NULL, NULL) == StopAtOnce);
        CHECK(RGrep(longText, &rec) == 1);
    }

    if (failures == 0) printf("C interface: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
