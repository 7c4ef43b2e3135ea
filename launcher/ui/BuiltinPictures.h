#pragma once
// The pictures compiled into the launcher: the default background, the
// top-left logo panel, the drive panel, the loading picture, the three
// keep-on-top pin pictures and two small icons. Each is a Qt resource path
// (":/arvex/..."); call EnsureBuiltinPictures() once before loading one (the
// functions below do it themselves). UI thread.
#include <QPixmap>
#include <QString>

namespace BuiltinPictures {

inline constexpr char kBackground[] = ":/arvex/OrgBackGround.png";
inline constexpr char kTopLeft[] = ":/arvex/OrgTopLeft.png";
inline constexpr char kDriveBox[] = ":/arvex/Drivebox.png";
inline constexpr char kLoading[] = ":/arvex/Loading.png";
inline constexpr char kPinDisabled[] = ":/arvex/AOT_Disabled.png";
inline constexpr char kPinMouseMove[] = ":/arvex/AOT_MouseMove.png";
inline constexpr char kPinEnabled[] = ":/arvex/AOT_Enabled.png";
inline constexpr char kJoystick[] = ":/arvex/Joystick.png";
inline constexpr char kRunning[] = ":/arvex/Running.png";

// Registers the compiled-in resources (needed once, as they live in a static library).
void EnsureBuiltinPictures();
// The picture at a resource path above; a null pixmap when it cannot be loaded.
QPixmap load(const char* resourcePath);

} // namespace BuiltinPictures
