// The companion's commands, carried out on the engine at a safe point of the
// main loop (never inside a message that arrived while the table was being
// taken). What only the shell can do (the foreground, the exit) comes back in
// the outcome.
#pragma once

#include <cstdint>
#include <string>

#include "platform/desktop.h"
#include "store/command_record.h"

class VirtualDesk;

struct CommandOutcome {
    uint32_t status = kAnswerDone;
    uint32_t reason = kReasonNone;
    std::string payload;               // state: JSON; version: the version
    platform::WindowHandle front = 0;  // go: the window to bring to the front
    bool exit = false;                 // exit: end the program as the tray's exit does
};

// Carries out one parsed command. `navFrame` is the navigator for its mode,
// `version` the program's version text. Always 0; the answer is in *out.
int runCommand(VirtualDesk* desk, const Command& command, platform::WindowHandle navFrame,
               const char* version, CommandOutcome* out);
