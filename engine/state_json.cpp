// The JSON writer and the state document.
#include "engine/state_json.h"

#include <cstdio>
#include <cstring>

#include "engine/virtual_desk.h"

namespace {

// The length of the well-formed UTF-8 sequence at s[i], 0 when there is none.
size_t sequenceLength(const unsigned char* s, size_t i, size_t length) {
    const unsigned char c = s[i];
    if (c < 0x80) return 1;
    size_t more;
    if (c >= 0xC2 && c <= 0xDF) {
        more = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2;
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3;
    } else {
        return 0;
    }
    if (length - i <= more) return 0;
    for (size_t k = 1; k <= more; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) return 0;
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char d = s[i + 1];
    if (c == 0xE0 && d < 0xA0) return 0;
    if (c == 0xED && d >= 0xA0) return 0;
    if (c == 0xF0 && d < 0x90) return 0;
    if (c == 0xF4 && d >= 0x90) return 0;
    return more + 1;
}

const char* naviModeName(int32_t mode) {
    if (mode >= 2) return "pinned";
    if (mode == 1) return "shown";
    return "hidden";
}

}  // namespace

void JsonWriter::beforeValue() {
    if (!afterKey_ && needComma_) out_->push_back(',');
    afterKey_ = false;
}

void JsonWriter::beginObject() {
    beforeValue();
    out_->push_back('{');
    needComma_ = false;
}

void JsonWriter::endObject() {
    out_->push_back('}');
    needComma_ = true;
}

void JsonWriter::beginArray() {
    beforeValue();
    out_->push_back('[');
    needComma_ = false;
}

void JsonWriter::endArray() {
    out_->push_back(']');
    needComma_ = true;
}

void JsonWriter::key(const char* name) {
    if (needComma_) out_->push_back(',');
    needComma_ = false;
    afterKey_ = false;
    string(name);
    out_->push_back(':');
    afterKey_ = true;
    needComma_ = false;
}

void JsonWriter::string(const char* utf8) { string(utf8, utf8 ? std::strlen(utf8) : 0); }

void JsonWriter::string(const char* utf8, size_t length) {
    beforeValue();
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    out_->push_back('"');
    size_t i = 0;
    while (i < length) {
        const unsigned char c = s[i];
        const size_t n = sequenceLength(s, i, length);
        if (n == 0) {
            *out_ += "\\ufffd";  // a stray byte of another code page
            ++i;
            continue;
        }
        if (n > 1) {
            out_->append(utf8 + i, n);
            i += n;
            continue;
        }
        switch (c) {
            case '"':
                *out_ += "\\\"";
                break;
            case '\\':
                *out_ += "\\\\";
                break;
            case '\n':
                *out_ += "\\n";
                break;
            case '\r':
                *out_ += "\\r";
                break;
            case '\t':
                *out_ += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    *out_ += escape;
                } else {
                    out_->push_back(static_cast<char>(c));
                }
                break;
        }
        ++i;
    }
    out_->push_back('"');
    needComma_ = true;
}

void JsonWriter::number(int64_t value) {
    beforeValue();
    char text[24];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    *out_ += text;
    needComma_ = true;
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    *out_ += value ? "true" : "false";
    needComma_ = true;
}

void writeStateJson(const VirtualDesk& desk, const char* version, const std::vector<ListedWindow>& windows,
                    std::string* out) {
    JsonWriter json(out);
    json.beginObject();
    json.key("version");
    json.string(version);
    json.key("view");
    json.beginObject();
    json.key("x");
    json.number(desk.viewX);
    json.key("y");
    json.number(desk.viewY);
    json.endObject();
    json.key("desktop");
    json.beginObject();
    json.key("width");
    json.number(desk.virtualWidth);
    json.key("height");
    json.number(desk.virtualHeight);
    json.endObject();
    json.key("screen");
    json.beginObject();
    json.key("width");
    json.number(desk.screenWidth);
    json.key("height");
    json.number(desk.screenHeight);
    json.endObject();
    json.key("monitors");
    json.beginArray();
    for (int i = 0; i < desk.monitors.count(); ++i) {
        const platform::Monitor& m = desk.monitors.at(i);
        json.beginObject();
        json.key("x");
        json.number(m.area.left);
        json.key("y");
        json.number(m.area.top);
        json.key("width");
        json.number(static_cast<int64_t>(m.area.right) - m.area.left);
        json.key("height");
        json.number(static_cast<int64_t>(m.area.bottom) - m.area.top);
        json.key("primary");
        json.boolean(m.primary);
        json.endObject();
    }
    json.endArray();
    json.key("navigator");
    json.string(naviModeName(desk.naviMode));
    json.key("pageMode");
    json.boolean(desk.pageMode != 0);
    json.key("windows");
    json.beginArray();
    for (const ListedWindow& w : windows) {
        json.beginObject();
        json.key("handle");
        json.number(static_cast<int64_t>(w.handle));
        json.key("title");
        json.string(w.title.c_str(), w.title.size());
        json.key("class");
        json.string(w.className.c_str(), w.className.size());
        json.key("program");
        json.string(w.program.c_str(), w.program.size());
        json.key("x");
        json.number(w.x);
        json.key("y");
        json.number(w.y);
        json.key("width");
        json.number(w.width);
        json.key("height");
        json.number(w.height);
        json.key("virtualX");
        json.number(w.virtualX);
        json.key("virtualY");
        json.number(w.virtualY);
        json.key("state");
        json.string(w.state);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}
