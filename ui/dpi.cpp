#include "ui/dpi.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "platform/trace.h"

namespace r88::ui {

namespace {
constexpr std::array<int, 7> kSteps = {48, 72, 96, 120, 144, 168, 192};
std::atomic<int> g_dpi{96};
}  // namespace

bool CToolkitDpi::IsSupported(int dpi) { return std::find(kSteps.begin(), kSteps.end(), dpi) != kSteps.end(); }

int CToolkitDpi::Checked(int dpi, const char* complaint) {
    if (IsSupported(dpi)) return dpi;
    Trace(complaint);
    return 96;
}

int CToolkitDpi::Current() { return g_dpi.load(); }

void CToolkitDpi::SetAll(int dpi) { g_dpi.store(IsSupported(dpi) ? dpi : 96); }

}  // namespace r88::ui
