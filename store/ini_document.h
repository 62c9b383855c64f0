// A small INI document: "[Section]" and "Key=Value" lines, comments (";" or
// "#") and blank lines, kept in their order so that a rewrite changes only the
// values set and keeps everything else a person or another program put there.
// Section and key names compare ASCII case-insensitively, as Windows does; the
// first of two equal keys (or sections) counts.
//
// Text is UTF-8. A line that is not one of the four kinds, is longer than
// kMaxIniLine bytes, holds a control character or is not valid UTF-8 cannot be
// read: it is ignored and left out of a rewrite, so a damaged file is written
// back clean.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t kMaxIniLine = 4096;

class IniDocument {
public:
    // Replaces the document by the lines of `text` (LF, CRLF or CR line ends;
    // a UTF-8 byte-order mark at the start is skipped).
    void parse(const char* text, size_t size);
    // The value of the key (spaces around it removed), or null.
    const std::string* find(const char* section, const char* key) const;
    // Sets the key's value: its line is rewritten in place, or a line is added
    // at the end of the section, or the section is added at the end.
    void set(const char* section, const char* key, const std::string& given);
    // The names of the sections, in the order they stand (equal names as
    // often as they stand).
    std::vector<std::string> sectionNames() const;
    // Removes every section of that name (only the first could be read):
    // each one's line and every line up to the next section.
    void removeSection(const char* section);
    // The document as UTF-8 text with CRLF line ends.
    std::string text() const;
    // The lines that could not be read by the last parse.
    int ignoredLines() const { return ignored; }

private:
    enum Kind { kBlank, kComment, kSection, kPair };
    struct Line {
        Kind kind;
        std::string raw;    // the line as read (or as rewritten)
        std::string name;   // section or key name
        std::string value;  // kPair: the value
    };
    // Index of the first section line of that name, or -1.
    int sectionLine(const char* section) const;
    // Index of the key's line in the section starting at `start`, or -1.
    int keyLine(int start, const char* key) const;

    std::vector<Line> lines;
    int ignored = 0;
};
