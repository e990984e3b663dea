#include "lighting/qt/light_control_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <algorithm>

#include "lighting/light_panel_groups.h"
#include "lighting/qt/color_pallet_ui.h"
#include "ui/find_control.h"
#include "ui/texts.h"

namespace r88 {

namespace {
// The effect item's language text identifier (or plain name), kept so the
// item follows a language change.
constexpr int kNameIdRole = Qt::UserRole + 1;

QString StyleFor(QColor c) {
    return QStringLiteral("background-color: %1;").arg(c.name(QColor::HexRgb));
}

void Enable(QWidget* w, bool on) {
    if (w != nullptr) w->setEnabled(on);
}

void Show(QWidget* w, bool on) {
    if (w != nullptr) w->setVisible(on);
}
}  // namespace

CLightControlUI::CLightControlUI(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_StyledBackground, true);
}

template <class T>
T* CLightControlUI::Find(const char* name) const {
    return ui::FindControl<T>(const_cast<CLightControlUI*>(this), QString::fromLatin1(name));
}

QLineEdit* CLightControlUI::ChannelEdit(int channel) const {
    switch (channel) {
        case 0:
            return Find<QLineEdit>(kEditR);
        case 1:
            return Find<QLineEdit>(kEditG);
        case 2:
            return Find<QLineEdit>(kEditB);
        default:
            return nullptr;
    }
}

bool CLightControlUI::event(QEvent* e) {
    // The layout's children exist by the time the panel is first polished.
    if (e->type() == QEvent::Polish) ApplySwatchColours();
    return QWidget::event(e);
}

void CLightControlUI::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) ResolveEffectNames();
    QWidget::changeEvent(e);
}

void CLightControlUI::ApplySwatchColours() {
    for (QAbstractButton* swatch : findChildren<QAbstractButton*>()) {
        if (!swatch->objectName().startsWith(QLatin1String(kSwatchPrefix))) continue;
        const QColor c(swatch->property(kSwatchColourProperty).toString());
        if (c.isValid()) swatch->setStyleSheet(StyleFor(c));
    }
    // Only decimal digits go into the colour boxes.
    static const QRegularExpression digits(QStringLiteral("[0-9]{0,3}"));
    for (int channel = 0; channel < 3; ++channel) {
        QLineEdit* edit = ChannelEdit(channel);
        if (edit != nullptr && edit->validator() == nullptr)
            edit->setValidator(new QRegularExpressionValidator(digits, edit));
    }
    if (auto* combo = Find<QComboBox>(kEffectCombo); combo != nullptr && combo->property("r88Delegate").isNull()) {
        // The styled delegate honours each item's height.
        combo->setItemDelegate(new QStyledItemDelegate(combo));
        combo->setProperty("r88Delegate", true);
    }
}

void CLightControlUI::SetPanelKind(int kind) {
    kind_ = kind;
    ApplySwatchColours();
    UpdateEffectControls(EffectSelection() < 0 ? shownEffect_ : EffectSelection());
}

void CLightControlUI::FillEffectList(const std::vector<std::string>& names, const std::vector<std::uint8_t>& visible,
                                     int brightnessMax, int speedMax) {
    ApplySwatchColours();
    if (auto* combo = Find<QComboBox>(kEffectCombo)) {
        const QSignalBlocker block(combo);
        combo->clear();
        auto* model = qobject_cast<QStandardItemModel*>(combo->model());
        for (std::size_t i = 0; i < names.size(); ++i) {
            const QString id = QString::fromStdString(names[i]);
            const QString text = ui::TextOf(id);
            combo->addItem(text);
            const int row = combo->count() - 1;
            combo->setItemData(row, id, kNameIdRole);
            combo->setItemData(row, text, Qt::ToolTipRole);
            combo->setItemData(row, QSize(0, kEffectItemHeight), Qt::SizeHintRole);
            const bool offered = i < visible.size() && visible[i] != 0;
            if (model != nullptr && !offered) {
                if (QStandardItem* item = model->item(row))
                    item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            }
        }
        combo->setCurrentIndex(shownEffect_ < combo->count() ? shownEffect_ : -1);
    }
    if (auto* s = Find<QSlider>(kBrightnessSlider)) s->setMaximum(std::max(0, brightnessMax));
    if (auto* s = Find<QSlider>(kSpeedSlider)) s->setMaximum(std::max(0, speedMax));
}

void CLightControlUI::ResolveEffectNames() {
    auto* combo = Find<QComboBox>(kEffectCombo);
    if (combo == nullptr) return;
    for (int row = 0; row < combo->count(); ++row) {
        const QString text = ui::TextOf(combo->itemData(row, kNameIdRole).toString());
        combo->setItemText(row, text);
        combo->setItemData(row, text, Qt::ToolTipRole);
    }
}

void CLightControlUI::ShowLightState(const LightState& state) {
    SelectEffect(state.effect);
    if (auto* s = Find<QSlider>(kBrightnessSlider)) {
        const QSignalBlocker block(s);
        s->setValue(state.brightness);
    }
    if (auto* s = Find<QSlider>(kSpeedSlider)) {
        const QSignalBlocker block(s);
        s->setValue(state.speed);
    }
    ShowColour(state.red, state.green, state.blue);
    SetMultiColorChecked(state.multiColor != 0);
    ShowDirection(state.direction);
}

void CLightControlUI::SelectEffect(int effect) {
    shownEffect_ = effect;
    if (auto* combo = Find<QComboBox>(kEffectCombo)) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(effect >= 0 && effect < combo->count() ? effect : -1);
    }
    UpdateEffectControls(effect);
}

void CLightControlUI::UpdateEffectControls(int effect) {
    const LightPanelGroups g = PanelGroupsFor(kind_, effect);
    Enable(Group("lighteffect_layout"), g.effect);
    Enable(Find<QWidget>(kMultiColorCheck), g.multiColor);
    Enable(Group("deng_color_layout"), g.colour);
    Enable(Group("colorpallet_layout"), g.pallet);
    Enable(Group("deng_light_layout"), g.brightness);
    Enable(Group("deng_speed_layout"), g.speed);
    Enable(Group("deng_fx_layout"), g.direction);
    Show(Group("deng_light_layout"), g.brightnessShown);
    Show(Group("deng_speed_layout"), g.speedShown);
    Show(Group("deng_fx_layout"), g.directionShown);
    Show(Group("deng_on_or_off"), g.directionShown);
    Show(Group("lightcustom_layout"), g.customShown);
    Show(Find<QWidget>(kSameMode), g.sameAction && sameMode_);
}

void CLightControlUI::SetSameMode(bool on) {
    sameMode_ = on;
    UpdateEffectControls(shownEffect_);
}

int CLightControlUI::EffectSelection() const {
    const auto* combo = Find<QComboBox>(kEffectCombo);
    return combo != nullptr ? combo->currentIndex() : -1;
}

int CLightControlUI::EffectCount() const {
    const auto* combo = Find<QComboBox>(kEffectCombo);
    return combo != nullptr ? combo->count() : 0;
}

bool CLightControlUI::EffectOffered(int effect) const {
    const auto* combo = Find<QComboBox>(kEffectCombo);
    if (combo == nullptr || effect < 0 || effect >= combo->count()) return false;
    const auto* model = qobject_cast<const QStandardItemModel*>(combo->model());
    const QStandardItem* item = model != nullptr ? model->item(effect) : nullptr;
    return item != nullptr && item->isEnabled();
}

int CLightControlUI::CustomGroupSelection() const {
    const auto* combo = Find<QComboBox>(kCustomCombo);
    return combo != nullptr ? combo->currentIndex() : -1;
}

int CLightControlUI::Brightness() const {
    const auto* s = Find<QSlider>(kBrightnessSlider);
    return s != nullptr ? s->value() : 0;
}

int CLightControlUI::Speed() const {
    const auto* s = Find<QSlider>(kSpeedSlider);
    return s != nullptr ? s->value() : 0;
}

QString CLightControlUI::ChannelText(int channel) const {
    const QLineEdit* edit = ChannelEdit(channel);
    return edit != nullptr ? edit->text() : QString();
}

QRgb CLightControlUI::PalletColour() const {
    const auto* pallet = Find<CColorPalletUI>(kPallet);
    return pallet != nullptr ? pallet->Color() : 0xFF000000u | shownColour_.rgb();
}

std::optional<QRgb> CLightControlUI::SwatchColour(int n) const {
    if (n < 0) return std::nullopt;
    const auto* swatch = Find<QWidget>((QByteArray(kSwatchPrefix) + QByteArray::number(n)).constData());
    if (swatch == nullptr) return std::nullopt;
    const QColor c(swatch->property(kSwatchColourProperty).toString());
    if (!c.isValid()) return std::nullopt;
    return c.rgb() | 0xFF000000u;
}

bool CLightControlUI::MultiColorChecked() const {
    const auto* check = Find<QAbstractButton>(kMultiColorCheck);
    return check != nullptr && check->isChecked();
}

bool CLightControlUI::LeftChecked() const {
    const auto* check = Find<QAbstractButton>(kLeftCheck);
    return check != nullptr && check->isChecked();
}

bool CLightControlUI::RightChecked() const {
    const auto* check = Find<QAbstractButton>(kRightCheck);
    return check != nullptr && check->isChecked();
}

void CLightControlUI::SetChannelText(int channel, const QString& text) {
    if (QLineEdit* edit = ChannelEdit(channel)) {
        const QSignalBlocker block(edit);
        edit->setText(text);
    }
}

void CLightControlUI::ShowColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    SetChannelText(0, QString::number(red));
    SetChannelText(1, QString::number(green));
    SetChannelText(2, QString::number(blue));
    ShowPalletColour(qRgb(red, green, blue));
}

void CLightControlUI::ShowPalletColour(QRgb colour) {
    const QRgb opaque = colour | 0xFF000000u;
    if (auto* pallet = Find<CColorPalletUI>(kPallet)) pallet->SetColor(opaque);
    ShowColourButton(QColor::fromRgb(opaque));
}

void CLightControlUI::ShowColourButton(QColor c) {
    shownColour_ = c;
    if (auto* button = Find<QWidget>(kColourButton)) button->setStyleSheet(StyleFor(c));
}

void CLightControlUI::SetMultiColorChecked(bool on) {
    if (auto* check = Find<QAbstractButton>(kMultiColorCheck)) {
        const QSignalBlocker block(check);
        check->setChecked(on);
    }
}

void CLightControlUI::ShowDirection(int direction) {
    auto* left = Find<QAbstractButton>(kLeftCheck);
    auto* right = Find<QAbstractButton>(kRightCheck);
    if (left != nullptr) {
        const QSignalBlocker block(left);
        left->setChecked(direction != 0);
    }
    if (right != nullptr) {
        const QSignalBlocker block(right);
        right->setChecked(direction == 0);
    }
}

}  // namespace r88
