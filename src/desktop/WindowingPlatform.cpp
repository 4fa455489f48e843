#include "desktop/WindowingPlatform.h"

#include <QGuiApplication>

namespace veltrasa {

void preferX11Display()
{
    // Wayland stays the fallback where the X display does not answer.
    if (!qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

bool onNativeWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace veltrasa
