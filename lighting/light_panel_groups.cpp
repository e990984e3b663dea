#include "lighting/light_panel_groups.h"

#include <algorithm>
#include <initializer_list>

namespace r88 {

namespace {
// One table row: the effect ids it covers and its enabled groups.
struct Row {
    std::initializer_list<int> ids;
    bool mc, col, pal, br, sp, dir, same;
};

bool Covers(const Row& row, int effect) {
    return std::find(row.ids.begin(), row.ids.end(), effect) != row.ids.end();
}

void Take(LightPanelGroups& g, const Row& row) {
    g.multiColor = row.mc;
    g.colour = row.col;
    g.pallet = row.pal;
    g.brightness = row.br;
    g.speed = row.sp;
    g.direction = row.dir;
    g.sameAction = row.same;
}

// An id no row covers: everything but the effect list is off.
template <std::size_t N>
void TakeRow(LightPanelGroups& g, const Row (&rows)[N], int effect) {
    for (const Row& row : rows) {
        if (Covers(row, effect)) {
            Take(g, row);
            return;
        }
    }
    Take(g, Row{{}, false, false, false, false, false, false, false});
}

LightPanelGroups MouseGroups(int effect) {
    static const Row rows[] = {
        {{0, 1, 2, 5, 6}, false, false, false, true, true, false, true},
        {{3, 8}, true, true, true, true, true, false, true},
        {{4}, false, false, true, true, false, false, true},
        {{7}, false, false, false, false, false, false, true},
    };
    LightPanelGroups g;
    g.directionShown = false;
    g.speedShown = effect == 6;
    TakeRow(g, rows, effect);
    // The mouse offers the action with every effect; ids without a row too.
    g.sameAction = true;
    g.direction = false;
    if (effect == 7) g.brightnessShown = false;
    // The effect list stays usable with the trail as well: disabled, it would
    // leave no way back to another effect from this panel.
    return g;
}

LightPanelGroups PadGroups(int effect) {
    static const Row rows[] = {
        {{0}, true, true, true, true, true, true, false},
        {{1}, false, false, false, true, true, false, true},
        {{2, 4}, true, true, true, true, true, false, true},
        {{3}, false, true, true, true, false, false, true},
        {{8}, false, false, false, false, false, false, true},
    };
    LightPanelGroups g;
    TakeRow(g, rows, effect);
    return g;
}

LightPanelGroups KeyboardGroups(int effect) {
    static const Row rows[] = {
        {{0, 1, 2, 11, 28, 31}, true, true, true, true, true, true, false},
        {{3}, false, false, false, true, true, false, true},
        {{4, 30}, true, true, true, true, true, false, true},
        {{5}, false, true, true, true, false, false, true},
        {{6, 7, 8, 9, 15, 25, 32}, true, true, true, true, true, false, false},
        {{10, 12, 14, 35, 36}, false, false, false, true, true, false, false},
        {{13, 17}, false, false, false, true, true, true, false},
        {{16}, false, false, false, true, false, false, true},
        {{27}, false, true, true, true, false, false, false},
        {{34}, false, false, false, false, false, false, true},
    };
    LightPanelGroups g;
    TakeRow(g, rows, effect);
    g.customShown = effect == 27;
    return g;
}
}  // namespace

LightPanelGroups PanelGroupsFor(int panelKind, int effect) {
    switch (panelKind) {
        case 1:
            return KeyboardGroups(effect);
        case 2:
        case 6:
            return MouseGroups(effect);
        case 3:
        case 7:
            return PadGroups(effect);
        default: {
            // A page of no known kind offers its effect list only.
            LightPanelGroups g;
            return g;
        }
    }
}

}  // namespace r88
