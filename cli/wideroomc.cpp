// wideroomc.exe: the command-line companion. Finds the running Wideroom of
// this session by its command window, sends it one command record
// (WM_COPYDATA), waits at most 5 s for the answer to a message-only window of
// its own and prints it. The records are described in store/command_record.h.
//
// Exit codes: 0 done, 1 no Wideroom running, 2 bad usage, 3 refused, 4 no
// answer in time.
#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "store/command_record.h"
#include "version.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNotRunning = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;
constexpr int kExitNoAnswer = 4;

constexpr DWORD kAnswerWaitMs = 5000;
// The exit gathers every window first: that can take a while on a full desktop.
constexpr DWORD kEndWaitMs = 30000;

const char kUsage[] =
    "Usage: wideroomc COMMAND [ARGUMENTS]\n"
    "Drives the running Wideroom.\n"
    "\n"
    "  state                      the state as JSON (UTF-8)\n"
    "  view X Y                   moves the view to (X, Y) of the virtual desktop\n"
    "  move DX DY                 moves the view by (DX, DY)\n"
    "  page left|right|up|down    one screen that way, as the keys do\n"
    "  home                       back to the middle of the virtual desktop\n"
    "  go PATTERN                 brings the first window whose title matches\n"
    "                             (* any run, ? one character, any case) into\n"
    "                             view and to the front\n"
    "  navigator show|hide|toggle the navigator, as the tray icon's click does\n"
    "  exit                       ends Wideroom (windows gathered) and waits\n"
    "  version                    the versions of wideroomc and of Wideroom\n"
    "  help                       this text\n"
    "\n"
    "Exit codes: 0 done, 1 Wideroom is not running, 2 bad usage,\n"
    "3 refused (no window matches, the settings dialog is open, or the\n"
    "command is not understood), 4 no answer in time.\n";

HANDLE outHandle(DWORD which) { return GetStdHandle(which); }

// UTF-8 text to standard output or error: wide to a console, so that any
// language shows, and the bytes as they are to a file or a pipe.
void write(DWORD which, const std::string& text) {
    HANDLE h = outHandle(which);
    if (h == nullptr || h == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(h, &mode)) {
        const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void out(const std::string& text) { write(STD_OUTPUT_HANDLE, text); }
void err(const std::string& text) { write(STD_ERROR_HANDLE, "wideroomc: " + text + "\n"); }

std::string utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, s.data(), n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}

// The answer, as the message-only window receives it.
struct Awaited {
    uint32_t requestId = 0;
    bool arrived = false;
    Answer answer;
    std::string payload;
} awaited;

LRESULT CALLBACK answerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        Answer a;
        if (awaited.arrived || data == nullptr || data->dwData != kAnswerTag ||
            parseAnswer(data->lpData, data->lpData ? data->cbData : 0, &a) != kRecordOk ||
            a.requestId != awaited.requestId)
            return 0;
        awaited.answer = a;
        awaited.payload.assign(reinterpret_cast<const char*>(a.payload), a.payloadLength);
        awaited.answer.payload = nullptr;
        awaited.arrived = true;
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND createAnswerWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = answerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WideroomCompanion";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    // An elevated companion still hears the answer of a Wideroom that is not.
    if (window) ChangeWindowMessageFilterEx(window, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    return window;
}

int refusedReceipt(LRESULT receipt) {
    switch (receipt) {
        case kReceiptSettingsOpen:
            err("refused: the settings dialog is open");
            return kExitRefused;
        case kReceiptVersion:
            err("refused: the running Wideroom does not understand this command record's version");
            return kExitRefused;
        case kReceiptMalformed:
            err("refused: the running Wideroom did not take the command");
            return kExitRefused;
        case kReceiptBusy:
            err("no answer: the running Wideroom is busy with other commands");
            return kExitNoAnswer;
        default:
            err("refused: the running Wideroom takes no commands (an older version?)");
            return kExitRefused;
    }
}

// Waits for the answer until the deadline, pumping this thread's messages.
bool waitForAnswer(DWORD start) {
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (awaited.arrived) return true;
        const DWORD spent = GetTickCount() - start;
        if (spent >= kAnswerWaitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kAnswerWaitMs - spent, QS_ALLINPUT);
    }
}

int run(const Command& command, const char* pattern) {
    HWND server = FindWindowW(L"Wideroom", nullptr);
    if (server == nullptr) {
        err("Wideroom is not running");
        return kExitNotRunning;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(server, &pid);
    // Held from before the exit, so that the wait is for this very process.
    HANDLE process = command.kind == kCommandExit ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
    // Only the foreground's program may hand the foreground on.
    if (command.kind == kCommandGo) AllowSetForegroundWindow(pid);

    HWND self = createAnswerWindow();
    unsigned char record[kCommandRecordSize];
    const DWORD start = GetTickCount();
    Command sent = command;
    sent.requestId = start ^ (GetCurrentProcessId() << 16);
    sent.deadline = start + kAnswerWaitMs;
    awaited.requestId = sent.requestId;
    if (self == nullptr || buildCommandRecord(sent, record) != kRecordOk) {
        err("cannot build the command");
        return kExitUsage;
    }
    COPYDATASTRUCT data{};
    data.dwData = kCommandTag;
    data.cbData = static_cast<DWORD>(kCommandRecordSize);
    data.lpData = record;
    DWORD_PTR receipt = 0;
    if (!SendMessageTimeoutW(server, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerWaitMs, &receipt)) {
        err("no answer from Wideroom within 5 s");
        return kExitNoAnswer;
    }
    if (static_cast<LRESULT>(receipt) != kReceiptAccepted)
        return refusedReceipt(static_cast<LRESULT>(receipt));
    if (!waitForAnswer(start)) {
        err("no answer from Wideroom within 5 s");
        return kExitNoAnswer;
    }
    if (awaited.answer.status != kAnswerDone) {
        switch (awaited.answer.reason) {
            case kReasonNoMatch:
                err(std::string("no window's title matches ") + pattern);
                break;
            case kReasonSettingsOpen:
                err("refused: the settings dialog is open");
                break;
            default:
                err("refused: the command cannot be carried out now");
                break;
        }
        return kExitRefused;
    }
    if (command.kind == kCommandState) out(awaited.payload + "\n");
    if (command.kind == kCommandVersion) out("Wideroom " + awaited.payload + "\n");
    if (command.kind == kCommandExit) {
        if (process == nullptr || WaitForSingleObject(process, kEndWaitMs) != WAIT_OBJECT_0) {
            err("Wideroom has not ended within 30 s");
            return kExitNoAnswer;
        }
        CloseHandle(process);
    }
    return kExitDone;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; wide && i < argc; ++i) args.push_back(utf8(wide[i]));
    if (wide) LocalFree(wide);
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());

    Command command;
    if (parseCommandLine(static_cast<int>(argv.size()), argv.data(), &command) != 0) {
        write(STD_ERROR_HANDLE, kUsage);
        return kExitUsage;
    }
    if (command.kind == kCommandHelp) {
        out(kUsage);
        return kExitDone;
    }
    if (command.kind == kCommandOwnVersion) {
        out("wideroomc " WIDEROOM_VERSION_TEXT "\n");
        command.kind = kCommandVersion;
    }
    return run(command, command.pattern);
}
