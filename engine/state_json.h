// JSON text for the companion's state command: a small writer that always
// produces valid JSON (strings escaped, ill-formed UTF-8 replaced), and the
// state document itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/window_list.h"

class VirtualDesk;

class JsonWriter {
public:
    explicit JsonWriter(std::string* out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of an object.
    void key(const char* name);
    void string(const char* utf8);
    void string(const char* utf8, size_t length);
    void number(int64_t value);
    void boolean(bool value);

private:
    void beforeValue();

    std::string* out_;
    bool needComma_ = false;
    bool afterKey_ = false;
};

// The state document: version, view, desktop, screen, monitors, navigator,
// pageMode and the windows (in Z order, topmost first), as one line.
void writeStateJson(const VirtualDesk& desk, const char* version, const std::vector<ListedWindow>& windows,
                    std::string* out);
