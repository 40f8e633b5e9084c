#!/usr/bin/env python3
"""Small X11 client for the desktop tests, on libX11 through ctypes (no extra packages).

  xtool.py owner SELECTION        prints the owner window of a selection (0x0 when none)
  xtool.py pad X Y W H FILL [override|float|managed]
                                  maps a window filled with FILL (RRGGBB, or a W x H raw BGRA
                                  picture file) and prints "press X Y BUTTON" (root
                                  coordinates) for every button press it receives. override (the
                                  default) bypasses the window manager and lies below every other
                                  window, like a desktop; float bypasses it but stays where it is
                                  mapped; managed is a normal window
  xtool.py watch X Y W H TIMEOUT  prints "ready" once it holds the screen's pixels in that square,
                                  then the wall-clock time at which they first change
  xtool.py text SELECTION [TIMEOUT]
                                  prints the text of a selection (PRIMARY, CLIPBOARD); exit 1 when
                                  nobody provides one
  xtool.py refusing-wm            a window manager that maps windows and lets them resize but refuses
                                  every move a client asks for; prints "ready" once it runs
  xtool.py shapes WINDOW SECONDS  prints "ready" once it listens, then how many changes of WINDOW's
                                  shapes (ShapeNotify events, bounding or input) came in SECONDS
  xtool.py clicks WINDOW COUNT    COUNT times, each under a server grab, compares the window's pixels
                                  with its input shape; prints "caught N uncaught M": transparent
                                  pixels that take clicks, drawn ones that let them through
  xtool.py close WINDOW           asks WINDOW to close as a window manager does (a WM_PROTOCOLS
                                  message with WM_DELETE_WINDOW); exit 1 when it does not take one
  xtool.py fullscreen WINDOW on|off
                                  asks the window manager to make WINDOW full screen, or no more
"""
import ctypes
import ctypes.util
import select
import sys
import time

BUTTON_PRESS = 4
EXPOSE = 12
SELECTION_NOTIFY = 31
CLIENT_MESSAGE = 33
BUTTON_PRESS_MASK = 1 << 2
EXPOSURE_MASK = 1 << 15
PROPERTY_CHANGE_MASK = 1 << 22
ANY_PROPERTY_TYPE = 0
CW_OVERRIDE_REDIRECT = 1 << 9
Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFF

xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XInternAtom.restype = ctypes.c_ulong
xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
xlib.XGetSelectionOwner.restype = ctypes.c_ulong
xlib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xlib.XCreateSimpleWindow.restype = ctypes.c_ulong
xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                     ctypes.c_ulong]
xlib.XChangeWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_void_p]
xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
xlib.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xlib.XLowerWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xlib.XStoreName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p]
xlib.XFlush.argtypes = [ctypes.c_void_p]
xlib.XPending.argtypes = [ctypes.c_void_p]
xlib.XConnectionNumber.argtypes = [ctypes.c_void_p]
xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
xlib.XConvertSelection.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                   ctypes.c_ulong, ctypes.c_ulong]
xlib.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long,
                                    ctypes.c_long, ctypes.c_int, ctypes.c_ulong,
                                    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
                                    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_void_p)]
xlib.XFree.argtypes = [ctypes.c_void_p]
xlib.XGetWMProtocols.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_int)]
xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XDefaultScreen.argtypes = [ctypes.c_void_p]
xlib.XDefaultVisual.restype = ctypes.c_void_p
xlib.XDefaultVisual.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XDefaultDepth.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XDefaultGC.restype = ctypes.c_void_p
xlib.XDefaultGC.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XCreateImage.restype = ctypes.c_void_p
xlib.XCreateImage.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_int,
                              ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_int]
xlib.XPutImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_int,
                           ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint]


class Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


xlib.XGetImage.restype = ctypes.POINTER(Image)
xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                           ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]


class SetWindowAttributes(ctypes.Structure):
    _fields_ = [("background_pixmap", ctypes.c_ulong), ("background_pixel", ctypes.c_ulong),
                ("border_pixmap", ctypes.c_ulong), ("border_pixel", ctypes.c_ulong),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("cursor", ctypes.c_ulong)]


class ButtonEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("root", ctypes.c_ulong),
                ("subwindow", ctypes.c_ulong), ("time", ctypes.c_ulong), ("x", ctypes.c_int),
                ("y", ctypes.c_int), ("x_root", ctypes.c_int), ("y_root", ctypes.c_int),
                ("state", ctypes.c_uint), ("button", ctypes.c_uint), ("same_screen", ctypes.c_int)]


class SelectionEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", ctypes.c_ulong),
                ("selection", ctypes.c_ulong), ("target", ctypes.c_ulong),
                ("property", ctypes.c_ulong), ("time", ctypes.c_ulong)]


class ClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("button", ButtonEvent), ("selection", SelectionEvent),
                ("client", ClientMessageEvent), ("pad", ctypes.c_long * 24)]


def open_display():
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("xtool: cannot open the display")
    return display


def next_event(display, timeout):
    """The next event, or None once `timeout` seconds pass without one."""
    deadline = time.monotonic() + timeout
    fd = xlib.XConnectionNumber(display)
    while not xlib.XPending(display):
        left = deadline - time.monotonic()
        if left <= 0:
            return None
        select.select([fd], [], [], left)
    event = Event()
    xlib.XNextEvent(display, ctypes.byref(event))
    return event


def owner(name):
    display = open_display()
    atom = xlib.XInternAtom(display, name.encode(), 0)
    print(hex(xlib.XGetSelectionOwner(display, atom)))


def pad(x, y, width, height, fill, mode="override"):
    width, height = int(width), int(height)
    display = open_display()
    root = xlib.XDefaultRootWindow(display)
    picture = None
    colour = 0
    if len(fill) == 6 and all(c in "0123456789abcdefABCDEF" for c in fill):
        colour = int(fill, 16)
    else:
        with open(fill, "rb") as source:
            picture = ctypes.create_string_buffer(source.read(), width * height * 4)
    window = xlib.XCreateSimpleWindow(display, root, int(x), int(y), width, height, 0, 0, colour)
    if mode != "managed":
        attributes = SetWindowAttributes(override_redirect=1)
        xlib.XChangeWindowAttributes(display, window, CW_OVERRIDE_REDIRECT, ctypes.byref(attributes))
    xlib.XStoreName(display, window, b"TickoraTestPad")
    xlib.XSelectInput(display, window, BUTTON_PRESS_MASK | EXPOSURE_MASK)
    xlib.XMapWindow(display, window)
    if mode == "override":
        # Stays at the bottom like a desktop: a window manager stacks its own windows above it.
        xlib.XLowerWindow(display, window)
    xlib.XFlush(display)
    print(f"window {hex(window)}", flush=True)
    exposed = False
    while True:
        event = next_event(display, 3600)
        if event is None:
            continue
        if event.type == EXPOSE:
            if picture is not None:
                put_picture(display, window, picture, width, height)
            if not exposed:
                exposed = True
                print("exposed", flush=True)
        elif event.type == BUTTON_PRESS:
            b = event.button
            print(f"press {b.x_root} {b.y_root} {b.button}", flush=True)


def put_picture(display, window, picture, width, height):
    screen = xlib.XDefaultScreen(display)
    image = xlib.XCreateImage(display, xlib.XDefaultVisual(display, screen), xlib.XDefaultDepth(display, screen),
                              Z_PIXMAP, 0, ctypes.cast(picture, ctypes.c_void_p), width, height, 32, 0)
    xlib.XPutImage(display, window, xlib.XDefaultGC(display, screen), image, 0, 0, 0, 0, width, height)
    xlib.XFlush(display)


def grab(display, root, x, y, width, height):
    image = xlib.XGetImage(display, root, x, y, width, height, ALL_PLANES, Z_PIXMAP)
    if not image:
        sys.exit("xtool: cannot read the screen")
    pixels = ctypes.string_at(image.contents.data, image.contents.bytes_per_line * height)
    xlib.XFree(image.contents.data)
    xlib.XFree(image)
    return pixels


def watch(x, y, width, height, timeout):
    display = open_display()
    root = xlib.XDefaultRootWindow(display)
    x, y, width, height = int(x), int(y), int(width), int(height)
    first = grab(display, root, x, y, width, height)
    print("ready", flush=True)
    deadline = time.monotonic() + float(timeout)
    while time.monotonic() < deadline:
        if grab(display, root, x, y, width, height) != first:
            print(f"{time.time():.4f}", flush=True)
            return
        time.sleep(0.002)
    sys.exit("xtool: the screen did not change")


def selection_text(name, timeout):
    display = open_display()
    root = xlib.XDefaultRootWindow(display)
    window = xlib.XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0)
    selection = xlib.XInternAtom(display, name.encode(), 0)
    target = xlib.XInternAtom(display, b"UTF8_STRING", 0)
    prop = xlib.XInternAtom(display, b"TICKORA_TEST_CLIP", 0)
    xlib.XConvertSelection(display, selection, target, prop, window, 0)
    xlib.XFlush(display)
    deadline = time.monotonic() + timeout
    while True:
        event = next_event(display, max(0.0, deadline - time.monotonic()))
        if event is None:
            sys.exit(1)
        if event.type == SELECTION_NOTIFY:
            break
    if event.selection.property == 0:
        sys.exit(1)
    actual_type = ctypes.c_ulong()
    actual_format = ctypes.c_int()
    count = ctypes.c_ulong()
    after = ctypes.c_ulong()
    data = ctypes.c_void_p()
    xlib.XGetWindowProperty(display, window, prop, 0, 1 << 20, 1, ANY_PROPERTY_TYPE,
                            ctypes.byref(actual_type), ctypes.byref(actual_format), ctypes.byref(count),
                            ctypes.byref(after), ctypes.byref(data))
    if not data.value:
        sys.exit(1)
    text = ctypes.string_at(data.value, count.value).decode("utf-8", "replace")
    xlib.XFree(data)
    sys.stdout.write(text)


xext = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xext") or "libXext.so.6")
xext.XShapeQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
xext.XShapeSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]


class Rectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort)]


xext.XShapeGetRectangles.restype = ctypes.POINTER(Rectangle)
xext.XShapeGetRectangles.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.POINTER(ctypes.c_int),
                                     ctypes.POINTER(ctypes.c_int)]
xlib.XGrabServer.argtypes = xlib.XUngrabServer.argtypes = [ctypes.c_void_p]


def clicks(window, count):
    display = open_display()
    window = int(window, 0)
    xlib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
    attributes = (ctypes.c_int * 64)()  # x, y, width, height first
    xlib.XGetWindowAttributes(display, window, attributes)
    w, h = attributes[2], attributes[3]
    for _ in range(int(count)):
        xlib.XGrabServer(display)
        pixels = grab(display, window, 0, 0, w, h)
        n, ordering = ctypes.c_int(), ctypes.c_int()
        rects = xext.XShapeGetRectangles(display, window, 2, ctypes.byref(n), ctypes.byref(ordering))  # ShapeInput
        xlib.XUngrabServer(display)
        xlib.XFlush(display)
        shape = {(x, y) for r in rects[:n.value] for y in range(r.y, r.y + r.height) for x in range(r.x, r.x + r.width)}
        drawn = {(x, y) for y in range(h) for x in range(w) if pixels[(y * w + x) * 4 + 3]}
        print(f"caught {len(shape - drawn)} uncaught {len(drawn - shape)}", flush=True)


def shapes(window, seconds):
    display = open_display()
    event_base, error_base = ctypes.c_int(), ctypes.c_int()
    if not xext.XShapeQueryExtension(display, ctypes.byref(event_base), ctypes.byref(error_base)):
        sys.exit("xtool: the X server has no SHAPE extension")
    xext.XShapeSelectInput(display, int(window, 0), 1)  # ShapeNotifyMask
    xlib.XSync(display, 0)
    print("ready", flush=True)
    deadline = time.monotonic() + float(seconds)
    count = 0
    while (left := deadline - time.monotonic()) > 0:
        event = next_event(display, left)
        if event is not None and event.type == event_base.value:
            count += 1
    print(count, flush=True)


def close(window):
    display = open_display()
    window = int(window, 0)
    delete = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    protocols = ctypes.POINTER(ctypes.c_ulong)()
    count = ctypes.c_int()
    taken = False
    if xlib.XGetWMProtocols(display, window, ctypes.byref(protocols), ctypes.byref(count)):
        taken = delete in protocols[:count.value]
        xlib.XFree(protocols)
    if not taken:
        sys.exit(f"xtool: window {hex(window)} does not take WM_DELETE_WINDOW")
    event = Event()
    event.client.type = CLIENT_MESSAGE
    event.client.window = window
    event.client.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.client.format = 32
    event.client.data[0] = delete
    event.client.data[1] = 0  # CurrentTime
    xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    xlib.XSync(display, 0)


def fullscreen(window, on):
    display = open_display()
    event = Event()
    event.client.type, event.client.window, event.client.format = CLIENT_MESSAGE, int(window, 0), 32
    event.client.message_type = xlib.XInternAtom(display, b"_NET_WM_STATE", 0)
    # Add or remove, the state, and the source: the user, through a pager.
    event.client.data[:4] = [on == "on", xlib.XInternAtom(display, b"_NET_WM_STATE_FULLSCREEN", 0), 0, 2]
    mask = SUBSTRUCTURE_NOTIFY_MASK | SUBSTRUCTURE_REDIRECT_MASK
    xlib.XSendEvent(display, xlib.XDefaultRootWindow(display), 0, mask, ctypes.byref(event))
    xlib.XSync(display, 0)


class MapRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("parent", ctypes.c_ulong), ("window", ctypes.c_ulong)]


class ConfigureRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("parent", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("above", ctypes.c_ulong), ("detail", ctypes.c_int),
                ("value_mask", ctypes.c_ulong)]


class ConfigureEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("above", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class WindowChanges(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("sibling", ctypes.c_ulong), ("stack_mode", ctypes.c_int)]


MAP_REQUEST = 20
CONFIGURE_NOTIFY = 22
CONFIGURE_REQUEST = 23
STRUCTURE_NOTIFY_MASK = 1 << 17
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
SUBSTRUCTURE_REDIRECT_MASK = 1 << 20
CW_X, CW_Y = 1 << 0, 1 << 1

xlib.XConfigureWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_void_p]
xlib.XSetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
xlib.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                              ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                              ctypes.POINTER(ctypes.c_uint), ctypes.POINTER(ctypes.c_uint),
                              ctypes.POINTER(ctypes.c_uint), ctypes.POINTER(ctypes.c_uint)]


def refusing_wm():
    """A window manager that maps windows and lets them resize, but never lets a client move its own
    window, as some Wayland compositors treat their X11 clients."""
    display = open_display()
    root = xlib.XDefaultRootWindow(display)
    xlib.XSelectInput(display, root, SUBSTRUCTURE_REDIRECT_MASK | SUBSTRUCTURE_NOTIFY_MASK)
    owner_window = xlib.XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0)
    xlib.XSetSelectionOwner(display, xlib.XInternAtom(display, b"WM_S0", 0), owner_window, 0)
    xlib.XSync(display, 0)
    print("ready", flush=True)
    while True:
        event = next_event(display, 3600)
        if event is None:
            continue
        if event.type == MAP_REQUEST:
            xlib.XMapWindow(display, ctypes.cast(ctypes.byref(event), ctypes.POINTER(MapRequestEvent)).contents.window)
        elif event.type == CONFIGURE_REQUEST:
            request = ctypes.cast(ctypes.byref(event), ctypes.POINTER(ConfigureRequestEvent)).contents
            changes = WindowChanges(request.x, request.y, request.width, request.height, request.border_width,
                                    request.above, request.detail)
            xlib.XConfigureWindow(display, request.window, request.value_mask & ~(CW_X | CW_Y),
                                  ctypes.byref(changes))
            # As a window manager must when it does not honour a move: tell the client where it is.
            parent, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
            w, h, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
            xlib.XGetGeometry(display, request.window, ctypes.byref(parent), ctypes.byref(x), ctypes.byref(y),
                              ctypes.byref(w), ctypes.byref(h), ctypes.byref(border), ctypes.byref(depth))
            notify = Event()
            configure = ctypes.cast(ctypes.byref(notify), ctypes.POINTER(ConfigureEvent)).contents
            configure.type = CONFIGURE_NOTIFY
            configure.event = request.window
            configure.window = request.window
            configure.x, configure.y = x.value, y.value
            configure.width, configure.height = w.value, h.value
            xlib.XSendEvent(display, request.window, 0, STRUCTURE_NOTIFY_MASK, ctypes.byref(notify))
            xlib.XFlush(display)


def main(argv):
    if len(argv) >= 2 and argv[1] == "owner":
        owner(argv[2])
    elif len(argv) in (7, 8) and argv[1] == "pad":
        pad(*argv[2:])
    elif len(argv) == 7 and argv[1] == "watch":
        watch(*argv[2:])
    elif len(argv) == 4 and argv[1] == "shapes":
        shapes(argv[2], argv[3])
    elif len(argv) == 4 and argv[1] == "clicks":
        clicks(argv[2], argv[3])
    elif len(argv) == 3 and argv[1] == "close":
        close(argv[2])
    elif len(argv) == 4 and argv[1] == "fullscreen":
        fullscreen(argv[2], argv[3])
    elif len(argv) == 2 and argv[1] == "refusing-wm":
        refusing_wm()
    elif len(argv) >= 3 and argv[1] == "text":
        selection_text(argv[2], float(argv[3]) if len(argv) > 3 else 5.0)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
