#pragma once

// Whether a StatusNotifierItem host (KDE Plasma, XFCE's panel, waybar...) serves the session's tray over
// D-Bus. Qt then publishes the tray icon there instead of embedding it (XEmbed), and the host shows the
// icon's menu itself. Asked once, when the tray icon is made, as Qt decides once.
bool StatusNotifierHostPresent();
