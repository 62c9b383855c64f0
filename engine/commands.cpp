// The companion's commands on the engine: the view moves go through the same
// operations as the keys and the map, so they are clamped (and snapped in
// page mode) the same way.
#include "engine/commands.h"

#include <vector>

#include "engine/bring_into_view.h"
#include "engine/state_json.h"
#include "engine/title_pattern.h"
#include "engine/view_actions.h"
#include "engine/virtual_desk.h"
#include "engine/window_list.h"

namespace {

void refuse(CommandOutcome* out, uint32_t reason) {
    out->status = kAnswerRefused;
    out->reason = reason;
}

void setNavigator(VirtualDesk* desk, int32_t request, platform::WindowHandle navFrame) {
    const bool pinned = desk->naviMode >= 2;
    switch (request) {
        case kNavigatorShow:
            if (!pinned) desk->togglePinned(navFrame);
            break;
        case kNavigatorHide:
            if (pinned) {
                desk->togglePinned(navFrame);
            } else {
                desk->hideUnlessPinned(navFrame);
            }
            break;
        default:
            desk->togglePinned(navFrame);
            break;
    }
}

void goTo(VirtualDesk* desk, const char* pattern, CommandOutcome* out) {
    std::vector<ListedWindow> windows;
    listWindows(desk, &windows);
    for (const ListedWindow& w : windows) {
        if (!titleMatches(pattern, w.title.c_str())) continue;
        if (bringIntoView(desk, w.handle) != 0) {
            refuse(out, kReasonCannot);
            return;
        }
        out->front = w.handle;
        return;
    }
    refuse(out, kReasonNoMatch);
}

}  // namespace

int runCommand(VirtualDesk* desk, const Command& command, platform::WindowHandle navFrame,
               const char* version, CommandOutcome* out) {
    *out = CommandOutcome{};
    switch (command.kind) {
        case kCommandState: {
            std::vector<ListedWindow> windows;
            listWindows(desk, &windows);
            writeStateJson(*desk, version, windows, &out->payload);
            break;
        }
        case kCommandView:
            desk->snapshotWindows();
            desk->moveViewTo(command.a, command.b);
            break;
        case kCommandMove:
            desk->snapshotWindows();
            desk->moveViewBy(command.a, command.b);
            break;
        case kCommandPage: {
            static const int kDx[] = {-1, 1, 0, 0};
            static const int kDy[] = {0, 0, -1, 1};
            desk->snapshotWindows();
            pageView(desk, kDx[command.a & 3], kDy[command.a & 3], 0);
            break;
        }
        case kCommandHome:
            desk->snapshotWindows();
            homeView(desk);
            break;
        case kCommandGo:
            goTo(desk, command.pattern, out);
            break;
        case kCommandNavigator:
            setNavigator(desk, command.a, navFrame);
            break;
        case kCommandExit:
            out->exit = true;
            break;
        case kCommandVersion:
            out->payload = version;
            break;
        default:
            refuse(out, kReasonCannot);
            break;
    }
    return 0;
}
