// The settings file, the placement file and the settings exchange.
//
// Both records are encoded byte by byte as 32-bit little-endian words, so the
// files are the same on every host. A write never damages or empties the old
// file: the record goes to "<name>.tmp" beside it, which replaces the old file
// only once it is whole and closed.
#include <cstring>

#include "engine/virtual_desk.h"
#include "store/file_io.h"
#include "store/settings_check.h"

namespace {

constexpr size_t kSettingsBytes = sizeof(SettingsImage);    // 2612
constexpr size_t kPlacementBytes = sizeof(PlacementImage);  // 24
constexpr size_t kListOffset = 52;

void putWord(unsigned char* p, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

int32_t getWord(const unsigned char* p) {
    uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                 (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    return static_cast<int32_t>(v);
}

void encodeSettings(const SettingsImage& image, unsigned char* bytes) {
    const int32_t words[13] = {image.headerSize,   image.nameSize, image.entryCount, image.hScale,
                               image.vScale,       image.minStep,  image.maxStep,    image.naviDivisor,
                               image.interval,     image.needCtrl, image.needShift,  image.pageMode,
                               image.moveMaximized};
    for (size_t i = 0; i < 13; ++i) putWord(bytes + 4 * i, words[i]);
    std::memcpy(bytes + kListOffset, &image.fixedWindows, sizeof image.fixedWindows);
}

void decodeSettings(const unsigned char* bytes, SettingsImage* image) {
    int32_t* words[13] = {&image->headerSize,   &image->nameSize, &image->entryCount, &image->hScale,
                          &image->vScale,       &image->minStep,  &image->maxStep,    &image->naviDivisor,
                          &image->interval,     &image->needCtrl, &image->needShift,  &image->pageMode,
                          &image->moveMaximized};
    for (size_t i = 0; i < 13; ++i) *words[i] = getWord(bytes + 4 * i);
    std::memcpy(&image->fixedWindows, bytes + kListOffset, sizeof image->fixedWindows);
}

void encodePlacement(const PlacementImage& p, unsigned char* bytes) {
    putWord(bytes + 0, p.recordSize);
    putWord(bytes + 4, p.screenWidth);
    putWord(bytes + 8, p.screenHeight);
    putWord(bytes + 12, p.naviMode);
    putWord(bytes + 16, p.naviX);
    putWord(bytes + 20, p.naviY);
}

void decodePlacement(const unsigned char* bytes, PlacementImage* p) {
    p->recordSize = getWord(bytes + 0);
    p->screenWidth = getWord(bytes + 4);
    p->screenHeight = getWord(bytes + 8);
    p->naviMode = getWord(bytes + 12);
    p->naviX = getWord(bytes + 16);
    p->naviY = getWord(bytes + 20);
}

// Reads the first `size` bytes of the file: 0, 1 (cannot open) or 2 (short).
int readRecord(const char* name, unsigned char* bytes, size_t size) {
    size_t got = 0;
    if (file_io::readHead(name, bytes, size, &got) != 0) return kFileCannotOpen;
    return got == size ? kStatusOk : kFileShort;
}

// 0, 1 (the temporary file cannot be created) or 2 (it cannot be written or
// moved into place); the old file stays whole on failure.
// The ten settings and the list, between the engine and a record.
void copySettingsFrom(VirtualDesk* desk, const SettingsImage& image) {
    desk->hScale = image.hScale;
    desk->vScale = image.vScale;
    desk->minStep = image.minStep;
    desk->maxStep = image.maxStep;
    desk->naviDivisor = image.naviDivisor;
    desk->interval = static_cast<uint32_t>(image.interval);
    desk->needCtrl = image.needCtrl;
    desk->needShift = image.needShift;
    desk->pageMode = image.pageMode;
    desk->moveMaximized = image.moveMaximized;
    std::memcpy(&desk->fixedWindows, &image.fixedWindows, sizeof image.fixedWindows);
}

void copySettingsTo(const VirtualDesk& desk, SettingsImage* image) {
    image->hScale = desk.hScale;
    image->vScale = desk.vScale;
    image->minStep = desk.minStep;
    image->maxStep = desk.maxStep;
    image->naviDivisor = desk.naviDivisor;
    image->interval = static_cast<int32_t>(desk.interval);
    image->needCtrl = desk.needCtrl;
    image->needShift = desk.needShift;
    image->pageMode = desk.pageMode;
    image->moveMaximized = desk.moveMaximized;
    std::memcpy(&image->fixedWindows, &desk.fixedWindows, sizeof desk.fixedWindows);
}

}  // namespace

int VirtualDesk::readSettings(const char* name) {
    unsigned char bytes[kSettingsBytes];
    const int status = readRecord(name, bytes, kSettingsBytes);
    if (status != kStatusOk) return status;
    SettingsImage image;
    decodeSettings(bytes, &image);
    if (image.headerSize != kSettingsHeaderSize || image.nameSize != kSettingsNameSize ||
        image.entryCount != kSettingsEntryCount)
        return kFileBadHeader;
    // Damage is refused like a foreign file; values too large for this
    // screen are brought inside the bounds and the rest is kept.
    if (!settings_check::isUsable(image)) return kFileBadHeader;
    settings_check::makeSafe(&image, screenWidth, screenHeight);
    copySettingsFrom(this, image);
    virtualWidth = screenWidth * hScale;
    virtualHeight = screenHeight * vScale;
    return kStatusOk;
}

int VirtualDesk::writeSettings(const char* name) {
    SettingsImage image;
    std::memset(&image, 0, sizeof image);
    image.headerSize = kSettingsHeaderSize;
    image.nameSize = kSettingsNameSize;
    image.entryCount = kSettingsEntryCount;
    copySettingsTo(*this, &image);
    unsigned char bytes[kSettingsBytes];
    encodeSettings(image, bytes);
    return file_io::writeWholeToDisk(name, bytes, kSettingsBytes);
}

int VirtualDesk::readPlacement(const char* name) {
    unsigned char bytes[kPlacementBytes];
    const int status = readRecord(name, bytes, kPlacementBytes);
    if (status != kStatusOk) return status;
    PlacementImage record;
    decodePlacement(bytes, &record);
    if (record.recordSize != static_cast<int32_t>(kPlacementBytes)) return kFileBadHeader;
    if (record.screenWidth == screenWidth && record.screenHeight == screenHeight) {
        naviMode = record.naviMode;
        naviX = record.naviX;
        naviY = record.naviY;
    }
    return kStatusOk;
}

int VirtualDesk::writePlacement(const char* name) {
    const PlacementImage record{
        static_cast<int32_t>(kPlacementBytes), screenWidth, screenHeight, naviMode, naviX, naviY};
    unsigned char bytes[kPlacementBytes];
    encodePlacement(record, bytes);
    return file_io::writeWholeToDisk(name, bytes, kPlacementBytes);
}

int VirtualDesk::exportSettings(SettingsImage* image) {
    std::memset(image, 0, sizeof *image);
    copySettingsTo(*this, image);
    return kStatusOk;
}

int VirtualDesk::importSettings(const SettingsImage* image) {
    // Copy, with the values brought inside the bounds (import cannot refuse).
    SettingsImage safe = *image;
    settings_check::makeSafe(&safe, screenWidth, screenHeight);
    copySettingsFrom(this, safe);
    // The new size; did the desktop shrink?
    const int32_t newWidth = screenWidth * hScale;
    const int32_t newHeight = screenHeight * vScale;
    const bool shrank = newWidth < virtualWidth || newHeight < virtualHeight;
    virtualWidth = newWidth;
    virtualHeight = newHeight;
    // Page mode snaps the view on every import.
    if (pageMode != 0) moveViewTo(viewX, viewY);
    // Windows left outside a smaller desktop come back inside it.
    if (shrank) refitWindows();
    // No tick runs while the dialog is open: the record follows the moves now.
    keepRecoveryRecord(platform::getTickCount(), 1);
    // step is left as it is: the scroll under way keeps its speed.
    return kStatusOk;
}
