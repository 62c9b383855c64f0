// The Windows backend of the dialog seam. Text is UTF-8 on our side and
// UTF-16 towards USER32, so Japanese shows correctly whatever the ANSI code
// page of the machine.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/dialog.h"
#include "platform/win32/narrow_text_win32.h"

namespace platform {

namespace {

HWND hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// Converts `length` bytes (-1: up to the terminator, included) of code page
// `codePage` to UTF-16.
std::wstring toWide(UINT codePage, const char* text, int length) {
    int n = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text, length, wide.data(), n);
    if (length == -1) wide.resize(static_cast<size_t>(n - 1));  // drop the terminator
    return wide;
}

std::wstring utf16(const char* utf8) { return toWide(CP_UTF8, utf8, -1); }

std::string utf8Of(const wchar_t* wide, int length) {
    if (length <= 0) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, length, out.data(), n, nullptr, nullptr);
    return out;
}

// The dialog that holds control `id`: the dialog itself, or one of the pages
// (child dialogs) of a tabbed dialog.
HWND host(WindowHandle dialog, int id) {
    HWND d = hwnd(dialog);
    if (GetDlgItem(d, id) != nullptr) return d;
    for (HWND child = GetWindow(d, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16];
        if (GetClassNameW(child, cls, 16) > 0 && lstrcmpW(cls, L"#32770") == 0 &&
            GetDlgItem(child, id) != nullptr)
            return child;
    }
    return d;
}

LRESULT sendItem(WindowHandle dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(host(dialog, id), id, message, wParam, lParam);
}

// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
size_t utf8Prefix(const std::string& text, size_t limit) {
    if (text.size() <= limit) return text.size();
    size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

}  // namespace

bool setControlText(WindowHandle dialog, int id, const char* utf8) {
    return SetDlgItemTextW(host(dialog, id), id, utf16(utf8).c_str()) != 0;
}

int getControlText(WindowHandle dialog, int id, char* buf, int size) {
    if (size <= 0) return 0;
    // Room for as many characters as bytes, which is never fewer than needed.
    std::wstring wide(static_cast<size_t>(size), L'\0');
    int length = static_cast<int>(GetDlgItemTextW(host(dialog, id), id, wide.data(), size));
    std::string text = utf8Of(wide.data(), length);
    size_t n = utf8Prefix(text, static_cast<size_t>(size - 1));
    text.copy(buf, n);
    buf[n] = '\0';
    return static_cast<int>(n);
}

bool setTrackbarRange(WindowHandle dialog, int id, int low, int high) {
    sendItem(dialog, id, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
    return true;
}

bool setTrackbarPos(WindowHandle dialog, int id, int pos) {
    sendItem(dialog, id, TBM_SETPOS, TRUE, pos);
    return true;
}

int getTrackbarPos(WindowHandle dialog, int id) {
    return static_cast<int>(sendItem(dialog, id, TBM_GETPOS, 0, 0));
}

bool setSpinRange(WindowHandle dialog, int id, int low, int high) {
    sendItem(dialog, id, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    return true;
}

bool setChecked(WindowHandle dialog, int id, bool checked) {
    return CheckDlgButton(host(dialog, id), id, checked ? BST_CHECKED : BST_UNCHECKED) != 0;
}

bool isChecked(WindowHandle dialog, int id) {
    return IsDlgButtonChecked(host(dialog, id), id) == BST_CHECKED;
}

int listInsert(WindowHandle dialog, int id, int index, const char* utf8) {
    std::wstring line = utf16(utf8);
    LRESULT r = sendItem(dialog, id, LB_INSERTSTRING, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(line.c_str()));
    return r < 0 ? -1 : static_cast<int>(r);
}

int listDelete(WindowHandle dialog, int id, int index) {
    LRESULT r = sendItem(dialog, id, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    return r < 0 ? -1 : static_cast<int>(r);
}

bool listReset(WindowHandle dialog, int id) {
    sendItem(dialog, id, LB_RESETCONTENT, 0, 0);
    return true;
}

int listSelection(WindowHandle dialog, int id) {
    LRESULT r = sendItem(dialog, id, LB_GETCURSEL, 0, 0);
    return r < 0 ? -1 : static_cast<int>(r);
}

bool listSelect(WindowHandle dialog, int id, int index) {
    return sendItem(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0) != LB_ERR || index < 0;
}

bool markControl(WindowHandle dialog, int id) {
    HWND d = host(dialog, id);
    HWND control = GetDlgItem(d, id);
    if (control == nullptr) return false;
    // Focus through the dialog, so that its default button follows.
    SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    SendMessageW(control, EM_SETSEL, 0, -1);
    return true;
}

int listCount(WindowHandle dialog, int id) {
    LRESULT r = sendItem(dialog, id, LB_GETCOUNT, 0, 0);
    return r < 0 ? 0 : static_cast<int>(r);
}

int warningBox(WindowHandle owner, const char* textUtf8, const char* captionUtf8) {
    constexpr UINT kWarningBoxFlags = MB_OK | MB_ICONWARNING;
    return MessageBoxW(hwnd(owner), utf16(textUtf8).c_str(), utf16(captionUtf8).c_str(), kWarningBoxFlags);
}

std::string narrowToUtf8(const char* text, int length) {
    int n = 0;
    while (n < length && text[n] != '\0') ++n;
    n = wholeCharLength(text, n);
    if (n == 0) return std::string();
    std::wstring wide = toWide(CP_ACP, text, n);
    return utf8Of(wide.data(), static_cast<int>(wide.size()));
}

bool getClientRect(WindowHandle window, Rect* rect) {
    RECT r;
    if (!GetClientRect(hwnd(window), &r)) return false;
    *rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool resizeWindow(WindowHandle window, int width, int height, bool topmost) {
    constexpr UINT kResizeFlags = SWP_NOMOVE | SWP_NOZORDER;
    constexpr UINT kTopmostResizeFlags = SWP_NOMOVE;
    return SetWindowPos(hwnd(window), topmost ? HWND_TOPMOST : nullptr, 0, 0, width, height,
                        topmost ? kTopmostResizeFlags : kResizeFlags) != 0;
}

bool destroyWindow(WindowHandle window) { return DestroyWindow(hwnd(window)) != 0; }

}  // namespace platform
