// The resource files that the Windows build compiles in: the generated icon
// and splash picture, the resource script and the manifest. Faults here do
// not show under Wine (a bad manifest is ignored there, a wrong picture
// format only fails to load), so the files themselves are checked.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/virtual_desk.h"

namespace {

std::filesystem::path resDir() { return std::filesystem::path(__FILE__).parent_path().parent_path() / "res"; }

std::string readFile(const char* name) {
    std::ifstream in(resDir() / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

uint32_t u16(const std::string& s, size_t at) {
    return static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8;
}

uint32_t u32(const std::string& s, size_t at) { return u16(s, at) | u16(s, at + 2) << 16; }

int32_t i32(const std::string& s, size_t at) { return static_cast<int32_t>(u32(s, at)); }

TEST(ResFiles, IconIsOneImageOf32By32PixelsIn16Colours) {
    const std::string ico = readFile("wideroom.ico");
    ASSERT_GE(ico.size(), 22u);
    EXPECT_EQ(u16(ico, 0), 0u);  // reserved
    EXPECT_EQ(u16(ico, 2), 1u);  // icon, not cursor
    ASSERT_EQ(u16(ico, 4), 1u);  // one image
    // Directory entry: 32 x 32, 16 colours, 4 bits per pixel, where the image lies.
    EXPECT_EQ(static_cast<uint8_t>(ico[6]), 32);
    EXPECT_EQ(static_cast<uint8_t>(ico[7]), 32);
    EXPECT_EQ(static_cast<uint8_t>(ico[8]), 16);
    EXPECT_EQ(u16(ico, 12), 4u);
    const uint32_t size = u32(ico, 14);
    const uint32_t offset = u32(ico, 18);
    ASSERT_EQ(offset + size, ico.size());

    // The image: header, 16 palette entries, colour rows of 16 bytes and
    // mask rows padded to 4 bytes, both 32 rows; the height counts both.
    EXPECT_EQ(u32(ico, offset), 40u);
    EXPECT_EQ(i32(ico, offset + 4), 32);
    EXPECT_EQ(i32(ico, offset + 8), 64);
    EXPECT_EQ(u16(ico, offset + 12), 1u);
    EXPECT_EQ(u16(ico, offset + 14), 4u);
    EXPECT_EQ(u32(ico, offset + 16), 0u);  // uncompressed
    EXPECT_EQ(size, 40u + 16 * 4 + 32 * 16 + 32 * 4);

    // Not a blank square: some pixels are see-through, and some are drawn.
    const std::string mask = ico.substr(offset + 40 + 64 + 512, 128);
    EXPECT_NE(mask.find_first_not_of('\0'), std::string::npos);
    EXPECT_NE(mask.find_first_not_of('\xff'), std::string::npos);
}

TEST(ResFiles, SplashIsA400By300PictureAt24Bits) {
    const std::string bmp = readFile("splash.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(u32(bmp, 2), bmp.size());
    EXPECT_EQ(u32(bmp, 10), 54u);  // pixels right after the header, no palette
    EXPECT_EQ(u32(bmp, 14), 40u);
    EXPECT_EQ(i32(bmp, 18), 400);
    EXPECT_EQ(i32(bmp, 22), 300);  // positive: bottom-up, as every loader takes it
    EXPECT_EQ(u16(bmp, 26), 1u);
    EXPECT_EQ(u16(bmp, 28), 24u);
    EXPECT_EQ(u32(bmp, 30), 0u);  // uncompressed
    EXPECT_EQ(bmp.size(), 54u + 400 * 3 * 300);
}

// Offset of the first byte that is not valid UTF-8, or npos.
size_t firstBadUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const uint8_t lead = static_cast<uint8_t>(s[i]);
        const size_t n = lead < 0x80         ? 1
                         : (lead >> 5) == 6  ? 2
                         : (lead >> 4) == 14 ? 3
                         : (lead >> 3) == 30 ? 4
                                             : 0;
        if (n == 0 || i + n > s.size()) return i;
        for (size_t k = 1; k < n; k++)
            if ((static_cast<uint8_t>(s[i + k]) >> 6) != 2) return i;
        i += n;
    }
    return std::string::npos;
}

TEST(ResFiles, ResourceScriptIsUtf8AndSaysSoBeforeItsFirstJapaneseText) {
    const std::string rc = readFile("wideroom.rc");
    ASSERT_FALSE(rc.empty());
    EXPECT_EQ(firstBadUtf8(rc), std::string::npos);
    const size_t pragma = rc.find("#pragma code_page(65001)");
    ASSERT_NE(pragma, std::string::npos);
    size_t firstWide = 0;
    while (firstWide < rc.size() && static_cast<uint8_t>(rc[firstWide]) < 0x80) firstWide++;
    EXPECT_LT(pragma, firstWide);
}

// The caption of a dialog template, as the script spells it.
std::string captionOf(const std::string& rc, const std::string& dialog) {
    size_t at = rc.find("\n" + dialog + " DIALOGEX");
    if (at == std::string::npos) return "<no template>";
    const size_t body = rc.find("\nBEGIN", at);
    at = rc.find("\nCAPTION \"", at);
    if (at == std::string::npos || at > body) return "<no caption>";
    at += 10;
    return rc.substr(at, rc.find('"', at) - at);
}

TEST(ResFiles, DialogCaptionsAreTheTitlesThatTheWindowWalksLeaveAlone) {
    const std::string rc = readFile("wideroom.rc");
    const struct {
        const char* dialog;
        const char* title;
    } rows[] = {
        {"IDD_NAVFRAME", kNavigatorTitle},
        {"IDD_SETTINGS", kSettingsTitle},
    };
    for (const auto& row : rows) EXPECT_EQ(captionOf(rc, row.dialog), row.title) << row.dialog;
}

// "" when x is well-formed as far as a manifest needs: one root, every
// element closed in order, every attribute quoted. Otherwise what is wrong.
std::string xmlFault(const std::string& x) {
    std::vector<std::string> open;
    int roots = 0;
    size_t i = 0;
    while ((i = x.find('<', i)) != std::string::npos) {
        const char* closer = x.compare(i, 4, "<!--") == 0 ? "-->" : x.compare(i, 2, "<?") == 0 ? "?>" : ">";
        const size_t end = x.find(closer, i + 1);
        if (end == std::string::npos) return "unclosed markup at " + std::to_string(i);
        std::string tag = x.substr(i + 1, end - i - 1);
        i = end + std::string(closer).size();
        if (closer[0] != '>') continue;  // comment or declaration
        if (tag.empty()) return "empty tag";
        if (tag[0] == '/') {
            const std::string name = tag.substr(1, tag.find_first_of(" \t\r\n") - 1);
            if (open.empty() || open.back() != name) return "</" + name + "> closes nothing open";
            open.pop_back();
            continue;
        }
        const bool selfClosing = tag.back() == '/';
        if (selfClosing) tag.pop_back();
        size_t p = tag.find_first_of(" \t\r\n");
        const std::string name = tag.substr(0, p);
        if (open.empty() && ++roots > 1) return "second root <" + name + ">";
        while (p != std::string::npos && (p = tag.find_first_not_of(" \t\r\n", p)) != std::string::npos) {
            const size_t eq = tag.find('=', p);
            if (eq == std::string::npos || eq + 1 >= tag.size() ||
                (tag[eq + 1] != '"' && tag[eq + 1] != '\''))
                return "unquoted attribute in <" + name + ">";
            const size_t close = tag.find(tag[eq + 1], eq + 2);
            if (close == std::string::npos) return "unterminated attribute in <" + name + ">";
            p = close + 1;
        }
        if (!selfClosing) open.push_back(name);
    }
    if (!open.empty()) return "<" + open.back() + "> never closed";
    return roots == 1 ? "" : "no root element";
}

TEST(ResFiles, ManifestIsWellFormedAndDeclaresControlsPrivilegeAndDpi) {
    const std::string manifest = readFile("wideroom.exe.manifest.in");
    // Windows refuses to start a program whose manifest has anything,
    // even a byte-order mark, before the XML declaration.
    EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);
    EXPECT_EQ(xmlFault(manifest), "");
    const char* required[] = {
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"",
        "<requestedExecutionLevel level=\"asInvoker\"",
        ">true/pm</dpiAware>",
        ">PerMonitorV2, PerMonitor</dpiAwareness>",
        "name=\"Wideroom\" version=\"@WIDEROOM_VERSION4@\"",
    };
    for (const char* text : required) EXPECT_NE(manifest.find(text), std::string::npos) << text;
}

// VERSION holds the number once; every resource takes it from the generated
// header, so none may spell a number of its own.
TEST(ResFiles, VersionComesFromTheVersionFileOnly) {
    std::ifstream in(resDir().parent_path() / "VERSION");
    std::string version;
    std::getline(in, version);
    int major = -1, minor = -1, patch = -1;
    char end = 0;
    EXPECT_EQ(std::sscanf(version.c_str(), "%d.%d.%d%c", &major, &minor, &patch, &end), 3) << version;
    const std::string rc = readFile("wideroom.rc");
    EXPECT_NE(rc.find("#include \"version.h\""), std::string::npos);
    EXPECT_NE(
        rc.find("FILEVERSION WIDEROOM_VERSION_MAJOR, WIDEROOM_VERSION_MINOR, WIDEROOM_VERSION_PATCH, 0"),
        std::string::npos);
    EXPECT_NE(rc.find("LTEXT WIDEROOM_VERSION_TEXT,"), std::string::npos);
    for (const char* literal : {"\"2.0", "2, 0, ", "\"2.03\""})
        EXPECT_EQ(rc.find(literal), std::string::npos) << literal;
}

TEST(ResFiles, XmlCheckCatchesTheFaultsThatBreakAManifest) {
    const struct {
        const char* xml;
        bool good;
    } rows[] = {
        {"<?xml version=\"1.0\"?><a x=\"1\"><b/><!-- <c> --></a>", true},
        {"<a><b></a></b>", false},
        {"<a><b></a>", false},
        {"<a x=1></a>", false},
        {"<a x=\"1></a>", false},
        {"<a></a><b/>", false},
        {"<a><!-- open </a>", false},
    };
    for (const auto& row : rows) EXPECT_EQ(xmlFault(row.xml).empty(), row.good) << row.xml;
}

}  // namespace
