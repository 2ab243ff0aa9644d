#include "html_reader.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace mvf::testing {

namespace {

// The elements the help window shows; anything else (a script, a form, a frame) is a fault.
const std::set<std::string, std::less<>> kKnownElements = {
    "html", "head", "title",  "meta", "style", "body",  "h1",    "h2",        "h3",
    "h4",   "h5",   "h6",     "p",    "div",   "span",  "a",     "b",         "i",
    "u",    "em",   "strong", "code", "tt",    "pre",   "kbd",   "ul",        "ol",
    "li",   "dl",   "dt",     "dd",   "table", "thead", "tbody", "tr",        "th",
    "td",   "br",   "hr",     "img",  "small", "sub",   "sup",   "blockquote"};

// Elements that have no content and no end tag.
const std::set<std::string, std::less<>> kEmptyElements = {"br", "hr", "img", "meta"};

// Named character references the window decodes, as UTF-8.
const std::map<std::string, std::string, std::less<>> kEntities = {{"amp", "&"},
                                                                   {"lt", "<"},
                                                                   {"gt", ">"},
                                                                   {"quot", "\""},
                                                                   {"apos", "'"},
                                                                   {"nbsp", "\xC2\xA0"},
                                                                   {"rarr", "\xE2\x86\x92"},
                                                                   {"larr", "\xE2\x86\x90"},
                                                                   {"mdash", "\xE2\x80\x94"},
                                                                   {"ndash", "\xE2\x80\x93"},
                                                                   {"ldquo", "\xE2\x80\x9C"},
                                                                   {"rdquo", "\xE2\x80\x9D"},
                                                                   {"lsquo", "\xE2\x80\x98"},
                                                                   {"rsquo", "\xE2\x80\x99"},
                                                                   {"hellip", "\xE2\x80\xA6"},
                                                                   {"times", "\xC3\x97"},
                                                                   {"middot", "\xC2\xB7"},
                                                                   {"eacute", "\xC3\xA9"},
                                                                   {"Eacute", "\xC3\x89"}};

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':' || c == '.';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

class Reader {
public:
    explicit Reader(std::string_view source) : src_(source) {
        lineStarts_.push_back(0);
        for (std::size_t i = 0; i < src_.size(); ++i)
            if (src_[i] == '\n') lineStarts_.push_back(i + 1);
    }

    HtmlDocument Run() {
        HtmlDocument doc;
        doc.root.element = true;
        open_.push_back(&doc.root);
        for (std::size_t i = 0; i < src_.size(); ++i)
            if (static_cast<unsigned char>(src_[i]) >= 0x80) {
                Fault(LineAt(i), "a byte that is not ASCII (write it as an entity)");
                break;
            }
        while (at_ < src_.size()) {
            if (src_[at_] == '<')
                Markup();
            else
                Text();
        }
        for (std::size_t i = open_.size(); i-- > 1;)
            Fault(open_[i]->line, "<" + open_[i]->name + "> is never closed");
        doc.faults = std::move(faults_);
        return doc;
    }

private:
    int LineAt(std::size_t pos) const {
        const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), pos);
        return static_cast<int>(after - lineStarts_.begin());
    }
    void Fault(int line, const std::string& what) {
        faults_.push_back("line " + std::to_string(line) + ": " + what);
    }
    HtmlNode& Current() { return *open_.back(); }

    // Decodes the entities of raw text; `end` is where the raw text stops.
    std::string Decode(std::size_t begin, std::size_t end) {
        std::string out;
        for (std::size_t i = begin; i < end; ++i) {
            if (src_[i] != '&') {
                out.push_back(src_[i]);
                continue;
            }
            const std::size_t semi = src_.find(';', i);
            if (semi == std::string_view::npos || semi >= end || semi - i > 10) {
                Fault(LineAt(i), "a bare \"&\" (write &amp;)");
                out.push_back('&');
                continue;
            }
            const std::string_view ref = src_.substr(i + 1, semi - i - 1);
            if (!ref.empty() && ref[0] == '#') {
                const bool hex = ref.size() > 1 && (ref[1] == 'x' || ref[1] == 'X');
                const std::string digits(ref.substr(hex ? 2 : 1));
                std::uint32_t code = 0;
                bool ok = !digits.empty() && digits.size() <= 6;
                for (char c : digits) {
                    const bool dec = c >= '0' && c <= '9';
                    const bool hexDigit = hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
                    if (!dec && !hexDigit) ok = false;
                    if (!ok) break;
                    const unsigned value = dec ? c - '0' : (c | 0x20) - 'a' + 10;
                    code = code * (hex ? 16 : 10) + value;
                }
                if (!ok || code == 0 || code > 0x10FFFF) {
                    Fault(LineAt(i), "a bad character reference &" + std::string(ref) + ";");
                } else {
                    AppendUtf8(out, code);
                }
            } else if (auto known = kEntities.find(ref); known != kEntities.end()) {
                out += known->second;
            } else {
                Fault(LineAt(i), "an unknown entity &" + std::string(ref) + ";");
            }
            i = semi;
        }
        return out;
    }

    void AddText(std::string text, int line) {
        if (text.empty()) return;
        HtmlNode node;
        node.text = std::move(text);
        node.line = line;
        Current().children.push_back(std::move(node));
    }

    void Text() {
        const std::size_t end = std::min(src_.find('<', at_), src_.size());
        AddText(Decode(at_, end), LineAt(at_));
        at_ = end;
    }

    void Markup() {
        const int line = LineAt(at_);
        if (src_.substr(at_, 4) == "<!--") {
            const std::size_t end = src_.find("-->", at_ + 4);
            if (end == std::string_view::npos) {
                Fault(line, "a comment that is never closed");
                at_ = src_.size();
            } else {
                at_ = end + 3;
            }
            return;
        }
        if (src_.substr(at_, 9) == "<!DOCTYPE") {
            const std::size_t end = src_.find('>', at_);
            at_ = end == std::string_view::npos ? src_.size() : end + 1;
            return;
        }
        if (at_ + 1 < src_.size() && src_[at_ + 1] == '/') {
            EndTag(line);
            return;
        }
        if (at_ + 1 >= src_.size() || !(src_[at_ + 1] >= 'a' && src_[at_ + 1] <= 'z')) {
            Fault(line, "a bare \"<\" (write &lt;)");
            AddText("<", line);
            ++at_;
            return;
        }
        StartTag(line);
    }

    std::string ReadName() {
        const std::size_t begin = at_;
        while (at_ < src_.size() && IsNameChar(src_[at_])) ++at_;
        return std::string(src_.substr(begin, at_ - begin));
    }

    void SkipSpace() {
        while (at_ < src_.size() && IsSpace(src_[at_])) ++at_;
    }

    void EndTag(int line) {
        at_ += 2;
        const std::string name = ReadName();
        SkipSpace();
        if (at_ >= src_.size() || src_[at_] != '>') {
            Fault(line, "a malformed end tag </" + name);
            at_ = std::min(src_.find('>', at_), src_.size());
        }
        ++at_;
        const auto open = std::find_if(open_.rbegin(), open_.rend() - 1,
                                       [&](const HtmlNode* n) { return n->name == name; });
        if (open == open_.rend() - 1) {
            Fault(line, "</" + name + "> closes nothing that is open");
            return;
        }
        // Whatever was opened after it and not closed ends here, each one reported.
        while (open_.back()->name != name) {
            Fault(open_.back()->line,
                  "<" + open_.back()->name + "> is not closed before </" + name + ">");
            open_.pop_back();
        }
        open_.pop_back();
    }

    void StartTag(int line) {
        ++at_;
        HtmlNode node;
        node.element = true;
        node.line = line;
        node.name = ReadName();
        if (std::any_of(node.name.begin(), node.name.end(),
                        [](char c) { return c >= 'A' && c <= 'Z'; }))
            Fault(line, "an element name in capitals: " + node.name);
        if (!kKnownElements.count(node.name))
            Fault(line, "<" + node.name + "> is not an element the help window shows");
        bool selfClosed = false;
        for (;;) {
            SkipSpace();
            if (at_ >= src_.size()) {
                Fault(line, "<" + node.name + " is never ended by \">\"");
                break;
            }
            if (src_[at_] == '>') {
                ++at_;
                break;
            }
            if (src_.substr(at_, 2) == "/>") {
                at_ += 2;
                selfClosed = true;
                break;
            }
            const std::string key = ReadName();
            if (key.empty()) {
                Fault(line, "an unexpected character in <" + node.name + ">");
                ++at_;
                continue;
            }
            SkipSpace();
            if (at_ >= src_.size() || src_[at_] != '=') {
                Fault(line, "attribute " + key + " of <" + node.name + "> has no value");
                continue;
            }
            ++at_;
            SkipSpace();
            if (at_ >= src_.size() || (src_[at_] != '"' && src_[at_] != '\'')) {
                Fault(line, "attribute " + key + " of <" + node.name + "> is not quoted");
                ReadName();
                continue;
            }
            const char quote = src_[at_++];
            const std::size_t close = src_.find(quote, at_);
            if (close == std::string_view::npos) {
                Fault(line, "attribute " + key + " of <" + node.name + "> is never closed");
                at_ = src_.size();
                break;
            }
            if (src_.substr(at_, close - at_).find('<') != std::string_view::npos)
                Fault(line, "a \"<\" inside attribute " + key + " of <" + node.name + ">");
            std::string value = Decode(at_, close);
            at_ = close + 1;
            if (!node.attributes.emplace(key, std::move(value)).second)
                Fault(line, "attribute " + key + " twice in <" + node.name + ">");
        }
        const bool empty = kEmptyElements.count(node.name) > 0;
        if (selfClosed && !empty)
            Fault(line, "<" + node.name + "/> must be written with an end tag");
        Current().children.push_back(std::move(node));
        if (empty || selfClosed) return;
        open_.push_back(&Current().children.back());
        if (open_.back()->name == "style") RawText();
    }

    // The content of <style> is CSS: kept as it is, up to its end tag.
    void RawText() {
        const std::size_t end = src_.find("</style", at_);
        const std::size_t stop = end == std::string_view::npos ? src_.size() : end;
        AddText(std::string(src_.substr(at_, stop - at_)), LineAt(at_));
        at_ = stop;
    }

    std::string_view src_;
    std::vector<std::size_t> lineStarts_; // where each line begins, for fault messages
    std::size_t at_ = 0;
    // The open elements, outermost first. Pointers stay valid: only the innermost element
    // gains children while it is open.
    std::vector<HtmlNode*> open_;
    std::vector<std::string> faults_;
};

void Collect(const HtmlNode& node, const HtmlNode* parent, std::vector<ElementVisit>& out) {
    if (!node.element) return;
    out.push_back({&node, parent});
    for (const HtmlNode& child : node.children) Collect(child, &node, out);
}

void AppendText(const HtmlNode& node, std::string& out) {
    if (!node.element) {
        out += node.text;
        return;
    }
    if (node.name == "br") out.push_back('\n');
    for (const HtmlNode& child : node.children) AppendText(child, out);
}

} // namespace

std::string HtmlNode::Attribute(std::string_view key) const {
    const auto found = attributes.find(std::string(key));
    return found == attributes.end() ? std::string() : found->second;
}

bool HtmlNode::HasClass(std::string_view cls) const {
    const std::string classes = Attribute("class");
    std::size_t at = 0;
    while (at < classes.size()) {
        std::size_t end = classes.find(' ', at);
        if (end == std::string::npos) end = classes.size();
        if (std::string_view(classes).substr(at, end - at) == cls) return true;
        at = end + 1;
    }
    return false;
}

HtmlDocument ReadHtml(std::string_view source) {
    return Reader(source).Run();
}

std::string TextOf(const HtmlNode& node) {
    std::string out;
    AppendText(node, out);
    return out;
}

std::vector<ElementVisit> Elements(const HtmlNode& node) {
    std::vector<ElementVisit> out;
    Collect(node, nullptr, out);
    return out;
}

} // namespace mvf::testing
