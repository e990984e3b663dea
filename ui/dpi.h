#pragma once
// The interface's DPI. Qt scales for the screen itself; this value is the
// one the windows are laid out for, and only the listed steps are accepted.

namespace r88::ui {

class CToolkitDpi {
public:
    static bool IsSupported(int dpi);  // 48, 72, 96, 120, 144, 168, 192
    // The value itself when supported; otherwise the trace line `complaint` and 96.
    static int Checked(int dpi, const char* complaint);
    static int Current();
    static void SetAll(int dpi);  // applies to every window
};

}  // namespace r88::ui
