#!/usr/bin/env python3
"""The tests' hands and eyes on GNOME Shell under Wayland, through mutter's and the shell's D-Bus
interfaces on the session bus (libgio through ctypes: no D-Bus module for Python is needed).

XTEST on XWayland moves only the X pointer: mutter never sees it, a Wayland window never gets it and
an X window hidden under a Wayland one does. So the pointer here is a RemoteDesktop session's, which
mutter takes as a real device's. Every call of a session must come from the connection that made it,
so the session lives in this process, as a server beside the test:

  gnometool.py serve COMMANDS REPLIES WIDTH HEIGHT

reads one command a line from the FIFO COMMANDS and answers "ok" (or "error: ...") on the FIFO
REPLIES. Coordinates are in the layout; WIDTH x HEIGHT is its size.

  move X Y | press BUTTON | release BUTTON | click X Y [BUTTON] | drag X1 Y1 X2 Y2
BUTTON is left, right or middle.

Without a screen-cast stream a session moves the pointer only by steps, so it is first pushed into the
bottom-right corner (the top-left one opens the overview) and counted from there.

  gnometool.py screenshot FILE.png

saves the whole screen, without the pointer. The shell takes the request only from the screenshot
tools it knows by their bus names; on the test's own bus this process takes one of those names.
"""
import ctypes
import os
import sys
import time

BUTTONS = {"left": 0x110, "right": 0x111, "middle": 0x112}  # linux/input-event-codes.h
DRAG_STEPS = 8
STEP_PAUSE = 0.02
REMOTE = "org.gnome.Mutter.RemoteDesktop"
SCREENSHOT_TOOL = "org.gnome.Screenshot"


class GError(ctypes.Structure):
    _fields_ = [("domain", ctypes.c_uint32), ("code", ctypes.c_int), ("message", ctypes.c_char_p)]


gio = ctypes.CDLL("libgio-2.0.so.0")
ERROR = ctypes.POINTER(ctypes.POINTER(GError))
gio.g_dbus_connection_new_for_address_sync.restype = ctypes.c_void_p
gio.g_dbus_connection_new_for_address_sync.argtypes = [ctypes.c_char_p, ctypes.c_int, ctypes.c_void_p,
                                                       ctypes.c_void_p, ERROR]
gio.g_variant_parse.restype = ctypes.c_void_p
gio.g_variant_parse.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_void_p, ctypes.c_void_p, ERROR]
gio.g_dbus_connection_call_sync.restype = ctypes.c_void_p
gio.g_dbus_connection_call_sync.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p,
                                            ctypes.c_char_p, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_int,
                                            ctypes.c_int, ctypes.c_void_p, ERROR]
gio.g_variant_print.restype = ctypes.c_void_p
gio.g_variant_print.argtypes = [ctypes.c_void_p, ctypes.c_int]
gio.g_variant_unref.argtypes = [ctypes.c_void_p]
gio.g_free.argtypes = [ctypes.c_void_p]


class Bus:
    """One connection to the session bus."""

    def __init__(self):
        error = ctypes.POINTER(GError)()
        flags = 1 | 8  # authenticate as a client, and say hello to a message bus
        self.conn = gio.g_dbus_connection_new_for_address_sync(
            os.environ["DBUS_SESSION_BUS_ADDRESS"].encode(), flags, None, None, ctypes.byref(error))
        if not self.conn:
            sys.exit("gnometool: " + error.contents.message.decode())

    def call(self, dest, path, method, args=""):
        """Calls INTERFACE.METHOD with ARGS in GVariant text; returns the reply as text."""
        interface, _, name = method.rpartition(".")
        error = ctypes.POINTER(GError)()
        params = gio.g_variant_parse(None, args.encode(), None, None, ctypes.byref(error)) if args else None
        if args and not params:
            raise ValueError(error.contents.message.decode())
        reply = gio.g_dbus_connection_call_sync(self.conn, dest.encode(), path.encode(), interface.encode(),
                                                name.encode(), params, None, 0, 10000, None, ctypes.byref(error))
        if not reply:
            raise ValueError("%s: %s" % (name, error.contents.message.decode()))
        text = gio.g_variant_print(reply, 1)
        value = ctypes.string_at(text).decode()
        gio.g_free(text)
        gio.g_variant_unref(reply)
        return value


class Pointer:
    def __init__(self, bus, width, height):
        self.bus = bus
        self.session = bus.call(REMOTE, "/org/gnome/Mutter/RemoteDesktop", REMOTE + ".CreateSession").split("'")[1]
        self.remote(".Start")
        self.x, self.y = width - 1, height - 1
        self.held = 0
        self.step(4 * width, 4 * height)

    def remote(self, method, args=""):
        self.bus.call(REMOTE, self.session, REMOTE + ".Session" + method, args)

    def step(self, dx, dy):
        self.remote(".NotifyPointerMotionRelative", "(%d.0, %d.0)" % (dx, dy))

    def move(self, x, y):
        self.step(x - self.x, y - self.y)
        self.x, self.y = x, y

    def button(self, name, down):
        self.remote(".NotifyPointerButton", "(%d, %s)" % (BUTTONS[name], "true" if down else "false"))
        self.held += 1 if down else -1


def run(pointer, words):
    verb, args = words[0], words[1:]
    if verb == "move":
        pointer.move(int(args[0]), int(args[1]))
    elif verb in ("press", "release"):
        pointer.button(args[0], verb == "press")
    elif verb == "click":
        pointer.move(int(args[0]), int(args[1]))
        button = args[2] if len(args) > 2 else "left"
        pointer.button(button, True)
        pointer.button(button, False)
    elif verb == "drag":
        x1, y1, x2, y2 = (int(a) for a in args)
        pointer.move(x1, y1)
        pointer.button("left", True)
        for i in range(1, DRAG_STEPS + 1):
            time.sleep(STEP_PAUSE)
            pointer.move(x1 + (x2 - x1) * i // DRAG_STEPS, y1 + (y2 - y1) * i // DRAG_STEPS)
        pointer.button("left", False)
    else:
        raise ValueError("unknown command " + verb)
    # The calls return once mutter has queued the events; its input thread takes them a moment later.
    time.sleep(STEP_PAUSE)


def serve(commands, replies, width, height):
    pointer = Pointer(Bus(), int(width), int(height))
    # Both ends held open here: no end of file between the test's writes, and a reply waits for its reader.
    with open(os.open(commands, os.O_RDWR), "r") as requests, open(os.open(replies, os.O_RDWR), "w") as out:
        print("ready", flush=True)
        for line in requests:
            try:
                run(pointer, line.split())
                out.write("ok\n")
            except (ValueError, IndexError, KeyError) as e:
                out.write("error: %s\n" % e)
            out.flush()


def screenshot(path):
    bus = Bus()
    bus.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.RequestName",
             "('%s', uint32 4)" % SCREENSHOT_TOOL)
    reply = bus.call("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot",
                     "org.gnome.Shell.Screenshot.Screenshot", "(false, false, '%s')" % os.path.abspath(path))
    if not reply.startswith("(true,"):
        sys.exit("gnometool: the shell took no screenshot: " + reply)


def main(argv):
    try:
        if len(argv) == 6 and argv[1] == "serve":
            serve(*argv[2:])
        elif len(argv) == 3 and argv[1] == "screenshot":
            screenshot(argv[2])
        else:
            sys.exit(__doc__)
    except ValueError as e:
        sys.exit("gnometool: %s" % e)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
