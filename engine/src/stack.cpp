// The global error code and the chain evaluator.
#include <vector>

#include "internal.h"

namespace {

int g_error = 0;
HInfo* g_head = nullptr;
HInfo* g_tail = nullptr;
const char* g_chainText = nullptr;

// Searches one pattern node; kind is known to be a pattern kind.
int SearchNode(HInfo* node, const char* text) {
    if (node->kind == HINFO_APPROX) return AGrep(text, reinterpret_cast<ApproxRecord*>(node));
    return RGrep(text, reinterpret_cast<RegexRecord*>(node));
}

bool IsPatternNode(const HInfo* node) {
    return node && (node->kind == HINFO_APPROX || node->kind == HINFO_REGEX);
}

// Combines L with the value of the rest of the chain for the operators that need it.
int Combine(int op, int left, int right) {
    switch (op) {
    case 2: return (left && right) ? 1 : 0;
    case 3: return right ? 1 : 0; // only reached with L zero
    case 4: return (left && right) ? 0 : 1;
    case 5: return right ? 0 : 1; // only reached with L zero
    case 6: return left + right;
    case 7: return left - right;
    case 9: return left & right;
    case 10: return left | right;
    case 11: return left ^ right;
    case 12: return ~(left & right);
    case 13: return ~(left | right);
    default: return -1;
    }
}

// The value of an operator when L alone decides it; false when R is needed.
bool DecidedByLeft(int op, int left, int& value) {
    switch (op) {
    case 0: value = 0; return true;
    case 1: value = left == 0 ? 1 : 0; return true;
    case 2:
        if (!left) {
            value = 0;
            return true;
        }
        return false;
    case 3:
        if (left) {
            value = 1;
            return true;
        }
        return false;
    case 4:
        if (!left) {
            value = 1;
            return true;
        }
        return false;
    case 5:
        if (left) {
            value = 0;
            return true;
        }
        return false;
    case 8: value = ~left; return true;
    case 6:
    case 7:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: return false;
    default:
        HGrepSetError(HGREP_ERR_BAD_STATE);
        value = -1;
        return true;
    }
}

int Malformed() {
    HGrepSetError(HGREP_ERR_BAD_STATE);
    return -1;
}

// Evaluates the chain from `node`. Operators group to the right, so the walk goes
// forward, keeps each pending (L, operator) pair, and folds them back at the end.
// A tortoise pointer guards against a chain whose links form a loop.
int Evaluate(HInfo* node, const char* text) {
    struct Pending {
        int left;
        int op;
    };
    std::vector<Pending> pending;
    HInfo* tortoise = node;
    bool moveTortoise = false;
    int value;
    for (;;) {
        if (!IsPatternNode(node)) {
            value = Malformed();
            break;
        }
        int left = SearchNode(node, text);
        HInfo* opNode = node->next;
        if (!opNode) {
            value = left;
            break;
        }
        if (opNode->kind != HINFO_OPERATOR || !opNode->next) {
            value = Malformed();
            break;
        }
        if (DecidedByLeft(opNode->state, left, value)) break;
        pending.push_back({left, opNode->state});
        node = opNode->next;
        if (moveTortoise) tortoise = tortoise->next->next;
        moveTortoise = !moveTortoise;
        if (node == tortoise) return Malformed(); // a loop has no value at all
    }
    while (!pending.empty()) {
        value = Combine(pending.back().op, pending.back().left, value);
        pending.pop_back();
    }
    return value;
}

} // namespace

extern "C" {

int HGrepGetError(void) {
    return g_error;
}

int HGrepSetError(int code) {
    if (g_error != 0) return g_error;
    g_error = code;
    return 0;
}

int HGrepResetError(int code) {
    int previous = g_error;
    g_error = code;
    return previous;
}

int PushHInfo(HInfo* node) {
    if (!node) {
        g_head = g_tail = nullptr;
        return 0;
    }
    if (node == g_tail) return 0; // already last: linking it behind itself would loop
    node->next = nullptr;
    if (!g_head) {
        g_head = node;
    } else {
        g_tail->next = node;
    }
    g_tail = node;
    return 0;
}

int HGrep(const char* text) {
    g_chainText = text;
    g_error = 0;
    if (!g_head) return Malformed();
    return Evaluate(g_head, g_chainText);
}

} // extern "C"
