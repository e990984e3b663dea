#pragma once
// Which groups of the lighting panel an effect uses, per panel kind (the
// device type: 1 keyboard, 2 or 6 mouse, 3 mouse pad, 7 headset). The panel
// enables and shows its groups from this; the tables live here so they are
// checked without a display.
namespace r88 {

struct LightPanelGroups {
    // Enabled.
    bool effect = true;      // "lighteffect_layout"
    bool multiColor = false;  // "deng_7color_check"
    bool colour = false;      // "deng_color_layout"
    bool pallet = false;      // "colorpallet_layout"
    bool brightness = false;  // "deng_light_layout"
    bool speed = false;       // "deng_speed_layout"
    bool direction = false;   // "deng_fx_layout"
    // Shown.
    bool brightnessShown = true;
    bool speedShown = true;
    bool directionShown = true;  // "deng_fx_layout" and "deng_on_or_off"
    bool customShown = false;    // "lightcustom_layout" (keyboard group combo)
    // "deng_same_mode" is shown when this is set and more than one device is shown.
    bool sameAction = false;
    bool operator==(const LightPanelGroups&) const = default;
};

LightPanelGroups PanelGroupsFor(int panelKind, int effect);

}  // namespace r88
