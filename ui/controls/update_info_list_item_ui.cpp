#include "ui/controls/update_info_list_item_ui.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>

#include "ui/notify.h"

namespace r88::ui {

namespace {
const QColor kPlain = QColor::fromRgba(0xFFFFFFFF);
const QColor kPlainDisabled = QColor::fromRgba(0xFF666666);
const QColor kUpdate = QColor::fromRgba(0xFF0099FF);
const QColor kUpdateDisabled = QColor::fromRgba(0xFF0078C8);
const QColor kHotBorder = QColor::fromRgba(0xFF0099FF);
}  // namespace

CUpdateInfoListItemUI::CUpdateInfoListItemUI(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_Hover);
    setFixedHeight(kHeight);
}

QAbstractButton* CUpdateInfoListItemUI::TickBox() const {
    return findChild<QAbstractButton*>(QStringLiteral("check_name_select"));
}

QLabel* CUpdateInfoListItemUI::Part(const char* name) const {
    return findChild<QLabel*>(QString::fromLatin1(name));
}

void CUpdateInfoListItemUI::SetStatus(int status) {
    if (status < 0 || status > 8 || status == status_) return;
    status_ = status;
    switch (status) {
        case 0:
            ShowMarks(false, false);
            if (QAbstractButton* tick = TickBox()) tick->setEnabled(true);
            ApplyColours(kPlain, kPlainDisabled);
            break;
        case 1:
        case 2:
        case 3:
        case 8:
            ShowMarks(false, false);
            if (QAbstractButton* tick = TickBox()) tick->setEnabled(true);
            ApplyColours(kUpdate, kUpdateDisabled);
            break;
        case 4:
        case 6:
            ShowMarks(true, false);
            ApplyColours(kUpdate, kUpdateDisabled);
            break;
        case 5:
            ShowMarks(false, true);
            ApplyColours(kUpdate, kUpdateDisabled);
            break;
        case 7:
            ShowMarks(false, false);
            ApplyColours(kPlain, kPlainDisabled);
            break;
        default:
            break;
    }
}

void CUpdateInfoListItemUI::SetProgress(int percent) {
    if (QLabel* value = Part("update_progress_value"))
        value->setText(QStringLiteral("%1%2").arg(percent).arg('%'));
}

void CUpdateInfoListItemUI::ShowMarks(bool busy, bool done) {
    if (QWidget* ring = findChild<QWidget*>(QStringLiteral("update_status_ing"))) ring->setVisible(busy);
    if (QLabel* value = Part("update_progress_value")) {
        value->setVisible(busy);
        if (!busy) value->clear();
    }
    if (QLabel* ok = Part("update_status_ok")) ok->setVisible(done);
}

void CUpdateInfoListItemUI::ApplyColours(QColor text, QColor disabled) {
    text_ = text;
    disabledText_ = disabled;
    // The row's own sheet wins over the skin's for its texts.
    setStyleSheet(
        QStringLiteral("QLabel, QCheckBox { color: %1; } QLabel:disabled, QCheckBox:disabled { color: %2; }")
            .arg(text.name(QColor::HexArgb), disabled.name(QColor::HexArgb)));
}

void CUpdateInfoListItemUI::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    const QAbstractButton* tick = TickBox();
    if (!hovered_ || (tick != nullptr && tick->isChecked())) return;
    QColor border = kHotBorder;
    if (parentWidget() != nullptr) {
        const QVariant v = parentWidget()->property("itemhotbordercolor");
        if (v.isValid() && QColor(v.toString()).isValid()) border = QColor(v.toString());
    }
    QPainter p(this);
    p.setPen(QPen(border, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CUpdateInfoListItemUI::enterEvent(QEnterEvent* e) {
    hovered_ = true;
    update();
    QWidget::enterEvent(e);
}

void CUpdateInfoListItemUI::leaveEvent(QEvent* e) {
    hovered_ = false;
    update();
    QWidget::leaveEvent(e);
}

void CUpdateInfoListItemUI::mouseDoubleClickEvent(QMouseEvent* e) {
    SendNotify(this, event::kItemActivate);
    QWidget::mouseDoubleClickEvent(e);
}

void CUpdateInfoListItemUI::contextMenuEvent(QContextMenuEvent*) {
    SendNotify(this, event::kMenu);
}

}  // namespace r88::ui
