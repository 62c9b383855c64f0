// The INI document model.
#include "store/ini_document.h"

#include <cstring>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && isSpace(s[b])) ++b;
    while (e > b && isSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const std::string& a, const char* b) {
    const size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Valid UTF-8 (no overlong forms, no surrogates, at most U+10FFFF) without
// control characters other than the tab.
bool cleanUtf8(const std::string& s) {
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
            ++i;
            continue;
        }
        int more = 0;
        unsigned long cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(more) >= n) return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

// a + b + c, appended in place (GCC 12 at -O2 warns falsely about the
// temporaries of operator+).
std::string joined(const std::string& a, const char* b, const std::string& c) {
    std::string out;
    out.reserve(a.size() + std::strlen(b) + c.size());
    out.append(a);
    out.append(b);
    out.append(c);
    return out;
}

}  // namespace

void IniDocument::parse(const char* text, size_t size) {
    lines.clear();
    ignored = 0;
    size_t pos = 0;
    if (size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) pos = 3;
    while (pos < size) {
        size_t end = pos;
        while (end < size && text[end] != '\n' && text[end] != '\r') ++end;
        const size_t length = end - pos;
        // The line end: CRLF counts as one.
        size_t next = end;
        if (next < size) next += (text[next] == '\r' && next + 1 < size && text[next + 1] == '\n') ? 2 : 1;

        if (length > kMaxIniLine) {
            ++ignored;
            pos = next;
            continue;
        }
        Line line{kBlank, std::string(text + pos, length), {}, {}};
        pos = next;
        if (!cleanUtf8(line.raw)) {
            ++ignored;
            continue;
        }
        const std::string t = trim(line.raw);
        if (t.empty()) {
            line.kind = kBlank;
        } else if (t[0] == ';' || t[0] == '#') {
            line.kind = kComment;
        } else if (t[0] == '[') {
            const size_t close = t.find(']');
            line.name = close == std::string::npos ? std::string() : trim(t.substr(1, close - 1));
            // Nothing but spaces may follow the bracket.
            if (close != t.size() - 1 || line.name.empty()) {
                ++ignored;
                continue;
            }
            line.kind = kSection;
        } else {
            const size_t eq = t.find('=');
            if (eq == std::string::npos) {
                ++ignored;
                continue;
            }
            line.name = trim(t.substr(0, eq));
            line.value = trim(t.substr(eq + 1));
            if (line.name.empty() || line.name[0] == '[') {
                ++ignored;
                continue;
            }
            line.kind = kPair;
        }
        lines.push_back(std::move(line));
    }
}

int IniDocument::sectionLine(const char* section) const {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == kSection && sameName(lines[i].name, section)) return static_cast<int>(i);
    }
    return -1;
}

int IniDocument::keyLine(int start, const char* key) const {
    for (size_t i = static_cast<size_t>(start) + 1; i < lines.size(); ++i) {
        if (lines[i].kind == kSection) break;
        if (lines[i].kind == kPair && sameName(lines[i].name, key)) return static_cast<int>(i);
    }
    return -1;
}

const std::string* IniDocument::find(const char* section, const char* key) const {
    const int s = sectionLine(section);
    if (s < 0) return nullptr;
    const int k = keyLine(s, key);
    return k < 0 ? nullptr : &lines[static_cast<size_t>(k)].value;
}

void IniDocument::set(const char* section, const char* key, const std::string& given) {
    // A line end or another control character in a value would break the
    // file apart, and spaces around it would not be read back; a value that
    // is not UTF-8 would make its line unreadable.
    std::string value;
    for (char c : given) {
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') value += c;
    }
    value = trim(value);
    if (!cleanUtf8(value)) value.clear();
    int s = sectionLine(section);
    if (s < 0) {
        // A blank line between sections, as people write them.
        if (!lines.empty() && lines.back().kind != kBlank) lines.push_back(Line{kBlank, {}, {}, {}});
        lines.push_back(Line{kSection, joined("[", section, "]"), section, {}});
        s = static_cast<int>(lines.size()) - 1;
    }
    const int k = keyLine(s, key);
    if (k >= 0) {
        Line& line = lines[static_cast<size_t>(k)];
        if (line.value == value) return;  // unchanged: the line stays as written
        line.value = value;
        line.raw = joined(line.name, "=", value);
        return;
    }
    // After the section's last key, before the blank lines and comments that
    // lead to the next section.
    size_t at = static_cast<size_t>(s) + 1;
    for (size_t i = at; i < lines.size() && lines[i].kind != kSection; ++i) {
        if (lines[i].kind == kPair) at = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                 Line{kPair, joined(key, "=", value), key, value});
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines) {
        if (line.kind == kSection) names.push_back(line.name);
    }
    return names;
}

void IniDocument::removeSection(const char* section) {
    for (int s = sectionLine(section); s >= 0; s = sectionLine(section)) {
        size_t end = static_cast<size_t>(s) + 1;
        while (end < lines.size() && lines[end].kind != kSection) ++end;
        lines.erase(lines.begin() + s, lines.begin() + static_cast<std::ptrdiff_t>(end));
    }
}

std::string IniDocument::text() const {
    std::string out;
    for (const Line& line : lines) {
        out += line.raw;
        out += "\r\n";
    }
    return out;
}
