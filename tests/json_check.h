// A strict JSON reader for the tests of the companion's output: what it
// accepts is valid JSON (RFC 8259), and strings come back decoded to UTF-8.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace json_check {

struct Value {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    int64_t n = 0;  // integers only: the companion writes no others
    std::string s;
    std::vector<Value> items;
    std::map<std::string, Value> members;

    const Value& operator[](const char* key) const {
        static const Value none;
        auto it = members.find(key);
        return it == members.end() ? none : it->second;
    }
};

class Reader {
public:
    explicit Reader(const std::string& text) : t_(text) {}

    // True when the whole text is one valid value.
    bool read(Value* out) {
        if (!value(out, 0)) return false;
        space();
        return i_ == t_.size();
    }

private:
    void space() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\n' || t_[i_] == '\r')) ++i_;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (t_.compare(i_, w.size(), w) != 0) return false;
        i_ += w.size();
        return true;
    }
    static void put(std::string* out, uint32_t cp) {
        if (cp < 0x80) {
            out->push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    bool hex4(uint32_t* v) {
        if (i_ + 4 > t_.size()) return false;
        *v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = t_[i_++];
            *v <<= 4;
            if (c >= '0' && c <= '9')
                *v |= static_cast<uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                *v |= static_cast<uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                *v |= static_cast<uint32_t>(c - 'A' + 10);
            else
                return false;
        }
        return true;
    }
    // Raw bytes must be well-formed UTF-8 and no control characters.
    bool string(std::string* out) {
        if (i_ >= t_.size() || t_[i_] != '"') return false;
        ++i_;
        while (i_ < t_.size()) {
            const auto c = static_cast<unsigned char>(t_[i_]);
            if (c == '"') {
                ++i_;
                return true;
            }
            if (c < 0x20) return false;
            if (c == '\\') {
                if (++i_ >= t_.size()) return false;
                const char e = t_[i_++];
                uint32_t cp = 0;
                switch (e) {
                    case '"':
                        out->push_back('"');
                        break;
                    case '\\':
                        out->push_back('\\');
                        break;
                    case '/':
                        out->push_back('/');
                        break;
                    case 'b':
                        out->push_back('\b');
                        break;
                    case 'f':
                        out->push_back('\f');
                        break;
                    case 'n':
                        out->push_back('\n');
                        break;
                    case 'r':
                        out->push_back('\r');
                        break;
                    case 't':
                        out->push_back('\t');
                        break;
                    case 'u':
                        if (!hex4(&cp)) return false;
                        if (cp >= 0xD800 && cp <= 0xDBFF) {
                            uint32_t low = 0;
                            if (!literal("\\u") || !hex4(&low) || low < 0xDC00 || low > 0xDFFF) return false;
                            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                            return false;
                        }
                        put(out, cp);
                        break;
                    default:
                        return false;
                }
                continue;
            }
            int more = c < 0x80                   ? 0
                       : (c >= 0xC2 && c <= 0xDF) ? 1
                       : (c >= 0xE0 && c <= 0xEF) ? 2
                       : (c >= 0xF0 && c <= 0xF4) ? 3
                                                  : -1;
            if (more < 0 || i_ + static_cast<size_t>(more) >= t_.size()) return false;
            uint32_t cp = more == 0 ? c : more == 1 ? (c & 0x1F) : more == 2 ? (c & 0x0F) : (c & 0x07);
            for (int k = 1; k <= more; ++k) {
                const auto d = static_cast<unsigned char>(t_[i_ + static_cast<size_t>(k)]);
                if ((d & 0xC0) != 0x80) return false;
                cp = (cp << 6) | (d & 0x3F);
            }
            if ((more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) || cp > 0x10FFFF ||
                (cp >= 0xD800 && cp <= 0xDFFF))
                return false;
            out->append(t_, i_, static_cast<size_t>(more) + 1);
            i_ += static_cast<size_t>(more) + 1;
        }
        return false;
    }
    bool number(Value* out) {
        const size_t start = i_;
        if (i_ < t_.size() && t_[i_] == '-') ++i_;
        if (i_ >= t_.size() || t_[i_] < '0' || t_[i_] > '9') return false;
        if (t_[i_] == '0' && i_ + 1 < t_.size() && t_[i_ + 1] >= '0' && t_[i_ + 1] <= '9') return false;
        while (i_ < t_.size() && t_[i_] >= '0' && t_[i_] <= '9') ++i_;
        out->kind = Value::Number;
        out->n = std::stoll(t_.substr(start, i_ - start));
        return true;
    }
    bool value(Value* out, int depth) {
        if (depth > 64) return false;
        space();
        if (i_ >= t_.size()) return false;
        const char c = t_[i_];
        if (c == '{') {
            ++i_;
            out->kind = Value::Object;
            space();
            if (i_ < t_.size() && t_[i_] == '}') return ++i_, true;
            for (;;) {
                space();
                std::string key;
                if (!string(&key)) return false;
                space();
                if (i_ >= t_.size() || t_[i_++] != ':') return false;
                Value v;
                if (!value(&v, depth + 1)) return false;
                if (out->members.count(key)) return false;  // no duplicate names
                out->members[key] = v;
                space();
                if (i_ >= t_.size()) return false;
                if (t_[i_] == ',') {
                    ++i_;
                    continue;
                }
                if (t_[i_] == '}') return ++i_, true;
                return false;
            }
        }
        if (c == '[') {
            ++i_;
            out->kind = Value::Array;
            space();
            if (i_ < t_.size() && t_[i_] == ']') return ++i_, true;
            for (;;) {
                Value v;
                if (!value(&v, depth + 1)) return false;
                out->items.push_back(v);
                space();
                if (i_ >= t_.size()) return false;
                if (t_[i_] == ',') {
                    ++i_;
                    continue;
                }
                if (t_[i_] == ']') return ++i_, true;
                return false;
            }
        }
        if (c == '"') {
            out->kind = Value::String;
            return string(&out->s);
        }
        if (literal("true")) {
            out->kind = Value::Bool;
            out->b = true;
            return true;
        }
        if (literal("false")) {
            out->kind = Value::Bool;
            return true;
        }
        if (literal("null")) return true;
        return number(out);
    }

    const std::string& t_;
    size_t i_ = 0;
};

inline bool parse(const std::string& text, Value* out) { return Reader(text).read(out); }

}  // namespace json_check
