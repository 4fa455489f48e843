#include "desktop/X11Display.h"

#include <X11/Xlib.h>

namespace veltrasa {

Display* programXDisplay()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

QString xDisplayName()
{
    if (Display* display = programXDisplay())
        return QString::fromLocal8Bit(XDisplayString(display));
    return qEnvironmentVariable("DISPLAY");
}

} // namespace veltrasa
