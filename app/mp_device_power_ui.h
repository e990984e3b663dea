#pragma once
// The power indicator of a wireless device: battery level, charge state,
// wireless logo and, on the mouse pad, the kind of phone on its charger.
// Its sub-controls come from "XML/CustomControlXML/MpDevicePower.ui" and are
// looked up by name on first use; without them the indicator shows nothing.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <cstdint>

class QLabel;
class QProgressBar;

namespace r88 {

class CMpDevicePowerUI : public QWidget {
    Q_OBJECT
public:
    // The power record: at most this many bytes are taken.
    static constexpr std::size_t kRecordSize = 64;
    // Where the indicator keeps the design name of the picture it shows.
    static constexpr char kImageProperty[] = "image";

    explicit CMpDevicePowerUI(QWidget* parent = nullptr);

    void SetKind(int type, int subType);
    int GetType() const { return type_; }
    int GetSubType() const { return subType_; }

    // Shows the whole indicator when k is non-zero, hides it otherwise.
    void SetPowerKind(int k);

    // Shows a power record as read from the device: byte 0 battery level in
    // percent, byte 1 charge state (0 full or external power, 1 charging,
    // 2 on battery), byte 3 non-zero when connected wirelessly, byte 5 the
    // phone on the charger (mouse pad only).
    void ShowPowerStatus(const std::uint8_t* record, std::size_t length);

    // The skin picture of a design image name such as "file='power/power.png'".
    static QString PicturePath(const QString& imageAttribute);

private:
    template <class T>
    T* Sub(QPointer<T>& slot, const char* name);
    static void ShowImage(QLabel* label, const QString& imageAttribute);

    int type_ = 0;
    int subType_ = 0;
    QPointer<QLabel> value_;
    QPointer<QLabel> wirelessLogo_;
    QPointer<QProgressBar> progress_;
    QPointer<QLabel> status_;
    QPointer<QLabel> phone_;
    QPointer<QWidget> layout_;
};

}  // namespace r88
