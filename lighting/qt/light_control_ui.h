#pragma once
// The lighting panel of a device page: effect, brightness, speed, direction,
// multicolour flag and colour. It shows a light state and enables the groups
// the effect uses; the main window turns its notifications into light-state
// changes of the selected device.
#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "profile/profile_records.h"

class QComboBox;
class QSlider;
class QLineEdit;
class QAbstractButton;

namespace r88 {

class CColorPalletUI;

class CLightControlUI : public QWidget {
    Q_OBJECT
public:
    // Control names of the layout.
    static constexpr char kEffectCombo[] = "light_combo_modeSelect";
    static constexpr char kCustomCombo[] = "light_combo_custommodeSelect";
    static constexpr char kBrightnessSlider[] = "deng_light_slider";
    static constexpr char kSpeedSlider[] = "deng_speed_slider";
    static constexpr char kEditR[] = "deng_edit_R";
    static constexpr char kEditG[] = "deng_edit_G";
    static constexpr char kEditB[] = "deng_edit_B";
    static constexpr char kPallet[] = "deng_Color_Pallet";
    static constexpr char kColourButton[] = "deng_colordp_btn";
    static constexpr char kSwatchPrefix[] = "color_option_";
    static constexpr char kMultiColorCheck[] = "deng_7color_check";
    static constexpr char kLeftCheck[] = "deng_FXL_check";
    static constexpr char kRightCheck[] = "deng_FXR_check";
    static constexpr char kSameMode[] = "deng_same_mode";
    // A swatch's colour in the layout ("#RRGGBB").
    static constexpr char kSwatchColourProperty[] = "bkcolor";
    static constexpr int kEffectItemHeight = 30;

    explicit CLightControlUI(QWidget* parent = nullptr);

    // The device type the panel belongs to (1 keyboard, 2 mouse, 3 mouse pad,
    // 7 headset); chooses the enabling table.
    void SetPanelKind(int kind);
    int PanelKind() const { return kind_; }

    // One effect item per name, in effect-id order; a name is a language
    // text identifier or a plain text. An item whose flag is 0 (or that has
    // no flag) is listed but cannot be chosen.
    void FillEffectList(const std::vector<std::string>& names, const std::vector<std::uint8_t>& visible,
                        int brightnessMax, int speedMax);
    void ShowLightState(const LightState& state);
    // Selects effect item id and enables the groups for it.
    void SelectEffect(int effect);
    void UpdateEffectControls(int effect);
    // Set while more than one device is shown: the synchronise action may be offered.
    void SetSameMode(bool on);
    bool SameMode() const { return sameMode_; }

    // ---- getters ----
    int EffectSelection() const;
    int EffectCount() const;
    // Whether item id exists and can be chosen.
    bool EffectOffered(int effect) const;
    int CustomGroupSelection() const;
    int Brightness() const;
    int Speed() const;
    // Channel 0 red, 1 green, 2 blue.
    QString ChannelText(int channel) const;
    QRgb PalletColour() const;
    // The colour of swatch "color_option_" n, from its layout; none when the
    // swatch or its colour is missing.
    std::optional<QRgb> SwatchColour(int n) const;
    bool MultiColorChecked() const;
    bool LeftChecked() const;
    bool RightChecked() const;
    // The colour the colour button shows.
    QColor ShownColour() const { return shownColour_; }

    // ---- changes made by the main window's handlers (never notify) ----
    void SetChannelText(int channel, const QString& text);
    // Edit boxes, colour button and palette show the colour.
    void ShowColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void ShowPalletColour(QRgb colour);
    void SetMultiColorChecked(bool on);
    void ShowDirection(int direction);

    // Keys of the device picture the last rubber-band selection took; per-key
    // lighting works on them.
    void SetSelectedKeys(std::vector<int> keys) { selectedKeys_ = std::move(keys); }
    const std::vector<int>& SelectedKeys() const { return selectedKeys_; }

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    template <class T>
    T* Find(const char* name) const;
    QWidget* Group(const char* name) const { return Find<QWidget>(name); }
    QLineEdit* ChannelEdit(int channel) const;
    void ApplySwatchColours();
    void ResolveEffectNames();
    void ShowColourButton(QColor c);

    int kind_ = 0;
    bool sameMode_ = false;
    int shownEffect_ = 0;
    QColor shownColour_{255, 255, 255};
    std::vector<int> selectedKeys_;
};

}  // namespace r88
