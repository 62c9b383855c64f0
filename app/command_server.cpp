// The companion's commands in the running program. WM_COPYDATA can arrive
// whenever the thread waits on another program (inside the snapshot's reads
// of other programs' windows, for one), so it only checks and queues; the
// main loop carries the commands out between its ticks.
#include "app/command_server.h"

#include <cstring>
#include <string>

#include "app/shell.h"
#include "engine/commands.h"
#include "engine/virtual_desk.h"
#include "store/command_record.h"
#include "version.h"

namespace {

struct Pending {
    Command command;
    HWND replyTo;
};

// A few companions at once (a macro pad pressed repeatedly); more are busy.
constexpr int kQueueSize = 16;
Pending queue[kQueueSize];
int queued = 0;

// The answer must not hold the program up: a companion that no longer
// answers is given up on.
constexpr UINT kAnswerTimeoutMs = 1000;
// The longest wait a companion may announce; a deadline further off is not
// one a companion sets.
constexpr int32_t kLongestWaitMs = 60000;

// Time an answer needs to reach a companion that is waiting for it.
constexpr int32_t kAnswerMarginMs = 250;

// Milliseconds until the companion's deadline, wrap-safe.
int32_t timeLeft(uint32_t deadline) { return static_cast<int32_t>(deadline - GetTickCount()); }

void answer(HWND replyTo, uint32_t requestId, const CommandOutcome& out) {
    if (!IsWindow(replyTo)) return;
    const size_t length = out.payload.size() > kMaxAnswerPayload ? 0 : out.payload.size();
    std::string bytes(kAnswerHeaderSize + length, '\0');
    buildAnswerHeader(requestId, out.status, out.reason, static_cast<uint32_t>(length),
                      reinterpret_cast<unsigned char*>(bytes.data()));
    std::memcpy(bytes.data() + kAnswerHeaderSize, out.payload.data(), length);
    COPYDATASTRUCT data{};
    data.dwData = kAnswerTag;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = bytes.data();
    DWORD_PTR result = 0;
    // SMTO_BLOCK: no other message of ours runs while the companion reads.
    SendMessageTimeoutW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(mainWindow),
                        reinterpret_cast<LPARAM>(&data), SMTO_BLOCK | SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                        &result);
}

}  // namespace

LRESULT receiveCommand(HWND sender, const COPYDATASTRUCT* data) {
    if (data == nullptr || data->dwData != kCommandTag) return kReceiptNone;
    Command command;
    const size_t size = data->lpData ? data->cbData : 0;
    const int status = parseCommandRecord(data->lpData, size, &command);
    if (status == kRecordVersion) return kReceiptVersion;
    if (status != kRecordOk || !IsWindow(sender)) return kReceiptMalformed;
    const int32_t left = timeLeft(command.deadline);
    if (left <= 0 || left > kLongestWaitMs) return kReceiptMalformed;
    // The dialog is editing the engine's settings: nothing may move now.
    if (settingsOpen) return kReceiptSettingsOpen;
    if (queued == kQueueSize) return kReceiptBusy;
    queue[queued++] = Pending{command, sender};
    return kReceiptAccepted;
}

void serveCommands() {
    // Taken one at a time from the front: an answer's wait may let more in.
    while (queued > 0 && desk && running) {
        const Pending next = queue[0];
        --queued;
        std::memmove(queue, queue + 1, sizeof(Pending) * static_cast<size_t>(queued));
        // The companion gives up (and says so) before an answer could reach
        // it, or is gone: too late to carry the command out.
        if (timeLeft(next.command.deadline) < kAnswerMarginMs || !IsWindow(next.replyTo)) continue;
        CommandOutcome out;
        if (settingsOpen) {
            out.status = kAnswerRefused;
            out.reason = kReasonSettingsOpen;
        } else {
            runCommand(desk, next.command, handleOf(navFrame), WIDEROOM_VERSION_TEXT, &out);
        }
        answer(next.replyTo, next.command.requestId, out);
        // The window the companion asked for comes to the front; the
        // companion allowed this process to take the foreground.
        if (out.front != 0) SetForegroundWindow(hwndOf(out.front));
        // As the tray's exit: the loop ends and shut-down gathers the windows.
        if (out.exit) running = 0;
    }
}
