#pragma once
// Other programs learn whether we drive the device lighting, and may ask us
// to start or stop, over the D-Bus session bus. Without a session bus both
// directions are silently off.
#include <QObject>

namespace r88 {

class ILightControlBus {
public:
    virtual ~ILightControlBus() = default;
    // Broadcasts that we take (lParam 1) or give up (lParam 0) the lighting.
    virtual void Announce(int wParam, int lParam) = 0;
};

class CDBusLightControl : public QObject, public ILightControlBus {
    Q_OBJECT
public:
    static constexpr const char* kPath = "/com/vantiro/r88/LightControl";
    static constexpr const char* kInterface = "com.vantiro.r88.LightControl";

    explicit CDBusLightControl(QObject* parent = nullptr);
    bool Connected() const { return connected_; }
    void Announce(int wParam, int lParam) override;

signals:
    // Another program asked us to control (lParam 1) or release (0) the lighting.
    void requested(quintptr wParam, qintptr lParam);

private slots:
    void OnRequest(int wParam, int lParam);

private:
    bool connected_ = false;
};

}  // namespace r88
