#include "app/light_panel_routes.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <algorithm>

#include "device/qt/orvane_usb_device.h"
#include "lighting/light_presets.h"
#include "lighting/qt/light_control_ui.h"

namespace r88 {

namespace {

using Panel = CLightControlUI;

bool Is(const QString& name, const char* candidate) {
    return name == QLatin1String(candidate);
}

// The number after prefix, or -1.
int Suffix(const QString& name, const char* prefix) {
    const QLatin1String p(prefix);
    if (!name.startsWith(p) || name.size() == p.size()) return -1;
    bool ok = false;
    const int n = name.mid(p.size()).toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

bool IsLightNotification(const ui::Notification& n) {
    const QString name = n.SenderName();
    if (n.type == ui::event::kColorChanged) return Is(name, Panel::kPallet);
    if (n.type == ui::event::kItemSelect) return Is(name, Panel::kEffectCombo);
    if (n.type == ui::event::kValueChanged) return Is(name, Panel::kBrightnessSlider) || Is(name, Panel::kSpeedSlider);
    if (n.type == ui::event::kKillFocus)
        return Is(name, Panel::kEditR) || Is(name, Panel::kEditG) || Is(name, Panel::kEditB);
    if (n.type == ui::event::kClick) return Suffix(name, Panel::kSwatchPrefix) >= 0;
    if (n.type == ui::event::kSelectChanged)
        return Is(name, Panel::kMultiColorCheck) || Is(name, Panel::kLeftCheck) || Is(name, Panel::kRightCheck);
    if (n.type == QLatin1String("click_select_end"))
        return Is(name, "device_key_light") || Is(name, "mouse_device_key_light");
    return false;
}

std::uint8_t Level(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, kLightLevelMax));
}

void SetColour(LightState& s, QRgb colour) {
    s.red = static_cast<std::uint8_t>(qRed(colour));
    s.green = static_cast<std::uint8_t>(qGreen(colour));
    s.blue = static_cast<std::uint8_t>(qBlue(colour));
    s.multiColor = 0;
}

// Every change ends the same way: stored, saved, applied and written.
void Commit(COrvaneUSBDevice& device, const LightState& state, QSize screen, bool leaveSync) {
    if (!leaveSync) device.CommandChannel().SetSyncLighting(false);
    device.SetLightState(state);
    device.SaveProfile();
    device.ApplyLighting();
    device.WriteSettings(0, 0, 1, screen.width(), screen.height());
    device.ShowLogoToolTip();
}

// The channel byte of a light state: 0 red, 1 green, 2 blue.
std::uint8_t& Channel(LightState& s, int channel) {
    return channel == 0 ? s.red : channel == 1 ? s.green : s.blue;
}

void OnColourBox(COrvaneUSBDevice& device, Panel& panel, int channel, QSize screen) {
    LightState state = device.GetLightState();
    std::uint8_t& byte = Channel(state, channel);
    const QString text = panel.ChannelText(channel);
    const std::optional<int> value = ColourBoxValue(text);
    // Text that is no number keeps the channel; the box shows it again.
    const int shown = value.value_or(byte);
    if (text != QString::number(shown)) panel.SetChannelText(channel, QString::number(shown));
    // Leaving the box without a new value changes nothing.
    if (shown == byte) return;
    byte = static_cast<std::uint8_t>(shown);
    state.multiColor = 0;
    panel.SetMultiColorChecked(false);
    panel.ShowPalletColour(qRgb(state.red, state.green, state.blue));
    Commit(device, state, screen, false);
}

void OnPictureSelection(COrvaneUSBDevice& device, Panel& panel) {
    // The keys the rubber band took; per-key lighting of the keyboard works on them.
    std::vector<int> keys;
    for (int k = 0; k < device.GetKeyCount(); ++k) {
        const ui::CDeviceKeyButtonUI* key = device.KeyButton(k);
        if (key != nullptr && key->Selected()) keys.push_back(k);
    }
    panel.SetSelectedKeys(std::move(keys));
}

}  // namespace

std::optional<int> ColourBoxValue(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    while (t.size() > 1 && t.front() == QLatin1Char('0')) t.remove(0, 1);
    // More than three digits are above 255 however many there are.
    if (t.size() > 3) return 255;
    return std::min(t.toInt(), 255);
}

bool RouteLightPanel(const ui::Notification& n, COrvaneUSBDevice* device, QSize screen) {
    if (!IsLightNotification(n)) return false;
    if (device == nullptr) return true;
    Panel* panel = device->LightControl();
    if (panel == nullptr) return true;
    const QString name = n.SenderName();

    if (n.type == QLatin1String("click_select_end")) {
        if (n.sender != nullptr && device->isAncestorOf(n.sender)) OnPictureSelection(*device, *panel);
        return true;
    }
    // Only the selected device's own panel changes its lighting.
    if (n.sender == nullptr || !panel->isAncestorOf(n.sender)) return true;

    LightState state = device->GetLightState();
    if (n.type == ui::event::kItemSelect) {
        const int effect = panel->EffectSelection();
        // An effect that is not offered is never taken, however it was chosen.
        if (!panel->EffectOffered(effect)) {
            panel->SelectEffect(state.effect);
            return true;
        }
        state.effect = static_cast<std::uint8_t>(effect);
        panel->SelectEffect(effect);
    } else if (n.type == ui::event::kValueChanged) {
        if (Is(name, Panel::kBrightnessSlider))
            state.brightness = Level(panel->Brightness());
        else
            state.speed = Level(panel->Speed());
    } else if (n.type == ui::event::kKillFocus) {
        OnColourBox(*device, *panel, Is(name, Panel::kEditR) ? 0 : Is(name, Panel::kEditG) ? 1 : 2, screen);
        return true;
    } else if (n.type == ui::event::kColorChanged) {
        SetColour(state, panel->PalletColour());
        panel->ShowColour(state.red, state.green, state.blue);
        panel->SetMultiColorChecked(false);
    } else if (n.type == ui::event::kClick) {
        const std::optional<QRgb> colour = panel->SwatchColour(Suffix(name, Panel::kSwatchPrefix));
        if (!colour) return true;
        SetColour(state, *colour);
        panel->ShowColour(state.red, state.green, state.blue);
        panel->SetMultiColorChecked(false);
        // A swatch leaves the synchronised lighting as it is.
        Commit(*device, state, screen, true);
        return true;
    } else if (Is(name, Panel::kMultiColorCheck)) {
        state.multiColor = panel->MultiColorChecked() ? 1 : 0;
    } else {
        state.direction = Is(name, Panel::kLeftCheck) ? 1 : 0;
        panel->ShowDirection(state.direction);
    }
    Commit(*device, state, screen, false);
    return true;
}

}  // namespace r88
