#pragma once
// One key of a device picture. Over the button's own look it draws the key's
// light (the light image tinted in the LED colour, or a lit face when the skin
// gives no image) and the assignment marks: the set image, the unset image,
// or only the unset image while the key is marked.
#include <QColor>
#include <QPixmap>
#include <QPushButton>

namespace r88::ui {

class CDeviceKeyButtonUI : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString lightimage READ LightImage WRITE SetLightImage)
    Q_PROPERTY(QString keysetimage READ SetImage WRITE SetSetImage)
    Q_PROPERTY(QString keyunsetimage READ UnsetImage WRITE SetUnsetImage)
    Q_PROPERTY(QString gmnametextcolor READ NameTextColour WRITE SetNameTextColour)  // accepted, no effect
public:
    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    void SetLight(QColor colour, int level, bool shown);
    // The light frame's path: takes the light without redrawing and says
    // whether it changed; the picture redraws changed keys at display rate.
    bool StoreLight(QColor colour, int level, bool shown);
    void SetLightPaused(bool paused);
    void SetSelected(bool selected);
    void SetHideSetImage(bool hide);
    void SetShowUnsetImage(bool show);
    void SetMarked(bool marked);

    QColor LightColour() const { return lightColour_; }
    int LightLevel() const { return lightLevel_; }
    bool LightShown() const { return lightShown_; }
    bool LightPaused() const { return lightPaused_; }
    bool Selected() const { return selected_; }
    bool HideSetImage() const { return hideSetImage_; }
    bool ShowUnsetImage() const { return showUnsetImage_; }
    bool Marked() const { return marked_; }

    QString LightImage() const { return lightImage_; }
    void SetLightImage(const QString& path);
    QString SetImage() const { return setImage_; }
    void SetSetImage(const QString& path);
    QString UnsetImage() const { return unsetImage_; }
    void SetUnsetImage(const QString& path);
    QString NameTextColour() const { return nameTextColour_; }
    void SetNameTextColour(const QString& c) { nameTextColour_ = c; }

    // What the overlay pass draws now, in order ("light", "unset", "set").
    QStringList OverlayLayers() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QString lightImage_, setImage_, unsetImage_, nameTextColour_;
    // Loaded once when the attribute is set: keys repaint with every light frame.
    QPixmap lightPixmap_, setPixmap_, unsetPixmap_;
    QColor lightColour_{0, 0, 255};  // 255 as a colour value
    int lightLevel_ = 200;
    bool lightShown_ = false;
    bool lightPaused_ = true;
    bool selected_ = false;
    bool hideSetImage_ = true;
    bool showUnsetImage_ = false;
    bool marked_ = false;
};

}  // namespace r88::ui
