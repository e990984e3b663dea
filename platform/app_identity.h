#pragma once
// The application's name is used unchanged as the window title, the
// single-instance name and the name of its wake-up message.
namespace r88 {

inline constexpr const char kAppName[] = "VANTIRO  R88 Gaming Keyboard";  // two blanks
inline constexpr const char kAppVersion[] = R88_VERSION;

// Names of the messages exchanged with other processes.
inline constexpr const char kUpdateProgressMessageName[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
inline constexpr const char kLightControlAnnounceName[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
inline constexpr const char kLightControlRequestName[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";

}  // namespace r88
