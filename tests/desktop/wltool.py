#!/usr/bin/env python3
"""A pointer of the tests' own inside a Wayland compositor.

XTEST on XWayland moves only the X pointer, which Wayland surfaces never see; so this client makes a
virtual pointer at the compositor, through zwlr_virtual_pointer_manager_v1 (wlroots: sway) or
org_kde_kwin_fake_input (KWin), speaking the wire protocol itself (no Wayland binding in Python), or,
on GNOME Shell, which offers neither, through a session of mutter's RemoteDesktop D-Bus interface.
The device lives as long as this process: when it goes, the seat may lose its pointer and clients
their wl_pointer (and a RemoteDesktop session is its connection's only). So it runs as a server
beside the test:

  wltool.py serve COMMANDS REPLIES WIDTH HEIGHT

reads one command a line from the FIFO COMMANDS and answers "ok" (or "error: ...") on the FIFO
REPLIES once the compositor has taken the events. Coordinates are in the layout (logical pixels);
WIDTH x HEIGHT is the layout's size.

  move X Y | press BUTTON | release BUTTON | click X Y [BUTTON] | drag X1 Y1 X2 Y2
BUTTON is left, right or middle.

  wltool.py kwin-screenshot FILE.png | gnome-screenshot FILE.png

saves the whole screen, without the pointer, through KWin's or GNOME Shell's D-Bus screenshot interface.
Run it with a Python that has the dbus module.
"""

import os
import socket
import struct
import subprocess
import sys
import threading
import time

BUTTONS = {"left": 0x110, "right": 0x111, "middle": 0x112}  # linux/input-event-codes.h
DRAG_STEPS = 8
STEP_PAUSE = 0.02


class WaylandError(Exception):
    pass


def pad(data):
    return data + b"\0" * (-len(data) % 4)


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("=I", len(data)) + pad(data)


def fixed(value):
    return struct.pack("=i", round(value * 256))


class Connection:
    def __init__(self):
        name = os.environ.get("WAYLAND_DISPLAY", "wayland-0")
        path = name if name.startswith("/") else os.path.join(os.environ["XDG_RUNTIME_DIR"], name)
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2  # 1 is wl_display
        self.buffer = b""
        self.globals = {}
        self.registry = self.new_id()
        self.send(1, 1, struct.pack("=I", self.registry))  # wl_display.get_registry
        self.roundtrip()

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def send(self, obj, opcode, args=b""):
        self.sock.sendall(struct.pack("=II", obj, (8 + len(args)) << 16 | opcode) + args)

    def bind(self, interface, version):
        name, offered = self.globals[interface]
        obj = self.new_id()
        args = struct.pack("=I", name) + string(interface) + struct.pack("=II", min(version, offered), obj)
        self.send(self.registry, 0, args)  # wl_registry.bind
        return obj, min(version, offered)

    def roundtrip(self):
        """Waits until the compositor has handled every request sent so far (wl_display.sync)."""
        callback = self.new_id()
        self.send(1, 0, struct.pack("=I", callback))
        while True:
            obj, opcode, body = self.event()
            if obj == callback:
                return
            if obj == 1 and opcode == 0:  # wl_display.error
                code, length = struct.unpack_from("=II", body, 4)
                raise WaylandError("protocol error %d: %s" % (code, body[12:12 + length - 1].decode()))
            if obj == self.registry and opcode == 0:  # wl_registry.global
                name, length = struct.unpack_from("=II", body)
                interface = body[8:8 + length - 1].decode()
                (version,) = struct.unpack_from("=I", body, 8 + (length + 3) // 4 * 4)
                self.globals[interface] = (name, version)

    def event(self):
        while True:
            if len(self.buffer) >= 8:
                obj, word = struct.unpack_from("=II", self.buffer)
                size = word >> 16
                if len(self.buffer) >= size:
                    body, self.buffer = self.buffer[8:size], self.buffer[size:]
                    return obj, word & 0xFFFF, body
            data = self.sock.recv(65536)
            if not data:
                raise WaylandError("the compositor closed the connection")
            self.buffer += data


def millis():
    return int(time.monotonic() * 1000) & 0xFFFFFFFF


class WirePointer:
    def sync(self):
        self.conn.roundtrip()


class WlrPointer(WirePointer):
    """zwlr_virtual_pointer_v1: absolute motion within the layout's extent, each event closed by a frame."""

    def __init__(self, conn, width, height):
        self.conn, self.width, self.height = conn, width, height
        manager, _ = conn.bind("zwlr_virtual_pointer_manager_v1", 1)
        self.obj = conn.new_id()
        conn.send(manager, 0, struct.pack("=II", 0, self.obj))  # create_virtual_pointer(no seat)

    def move(self, x, y):
        self.conn.send(self.obj, 1, struct.pack("=IIIII", millis(), x, y, self.width, self.height))
        self.conn.send(self.obj, 4)  # frame

    def button(self, code, pressed):
        self.conn.send(self.obj, 2, struct.pack("=III", millis(), code, int(pressed)))
        self.conn.send(self.obj, 4)


class KWinPointer(WirePointer):
    """org_kde_kwin_fake_input: absolute motion from version 3, granted once the client has told why."""

    def __init__(self, conn):
        self.conn = conn
        self.obj, version = conn.bind("org_kde_kwin_fake_input", 4)
        if version < 3:
            raise WaylandError("org_kde_kwin_fake_input version %d moves no pointer to a place" % version)
        conn.send(self.obj, 0, string("tickora tests") + string("drives the pointer"))  # authenticate

    def move(self, x, y):
        self.conn.send(self.obj, 9, fixed(x) + fixed(y))  # pointer_motion_absolute

    def button(self, code, pressed):
        self.conn.send(self.obj, 2, struct.pack("=II", code, int(pressed)))


class MutterPointer:
    """A RemoteDesktop session's pointer. Without a screen cast it moves only by steps, so it is first
    pushed into the bottom-right corner (the top-left one opens the overview) and counted from there."""

    def __init__(self, width, height):
        import dbus

        remote = "org.gnome.Mutter.RemoteDesktop"
        bus = dbus.SessionBus()
        path = bus.get_object(remote, "/org/gnome/Mutter/RemoteDesktop").CreateSession(dbus_interface=remote)
        self.session = dbus.Interface(bus.get_object(remote, path), remote + ".Session")
        self.session.Start()
        self.x, self.y = width - 1, height - 1
        self.session.NotifyPointerMotionRelative(4.0 * width, 4.0 * height)

    def move(self, x, y):
        self.session.NotifyPointerMotionRelative(float(x - self.x), float(y - self.y))
        self.x, self.y = x, y

    def button(self, code, pressed):
        self.session.NotifyPointerButton(code, pressed)

    def sync(self):
        # The calls return once mutter has queued the events; its input thread takes them a moment later.
        time.sleep(STEP_PAUSE)


def pause(pointer):
    pointer.sync()
    time.sleep(STEP_PAUSE)


def run(pointer, words):
    verb, args = words[0], words[1:]
    if verb == "move":
        pointer.move(int(args[0]), int(args[1]))
    elif verb in ("press", "release"):
        pointer.button(BUTTONS[args[0]], verb == "press")
    elif verb == "click":
        code = BUTTONS[args[2] if len(args) > 2 else "left"]
        pointer.move(int(args[0]), int(args[1]))
        pointer.button(code, True)
        pointer.button(code, False)
    elif verb == "drag":
        x1, y1, x2, y2 = map(int, args)
        pointer.move(x1, y1)
        pointer.button(BUTTONS["left"], True)
        # Each step reaches the client on its own, as a hand's movements do, the last before the release.
        for i in range(1, DRAG_STEPS + 1):
            pause(pointer)
            pointer.move(x1 + (x2 - x1) * i // DRAG_STEPS, y1 + (y2 - y1) * i // DRAG_STEPS)
        pause(pointer)
        pointer.button(BUTTONS["left"], False)
    else:
        raise ValueError("unknown command " + verb)
    pointer.sync()


def serve(commands, replies, width, height):
    conn = Connection()
    if "zwlr_virtual_pointer_manager_v1" in conn.globals:
        pointer = WlrPointer(conn, int(width), int(height))
    elif "org_kde_kwin_fake_input" in conn.globals:
        pointer = KWinPointer(conn)
    else:
        pointer = MutterPointer(int(width), int(height))
    pointer.sync()
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


def kwin_screenshot(path):
    import dbus

    screenshot = dbus.SessionBus().get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2")
    read_end, write_end = os.pipe()
    chunks = []
    # The pipe is drained while KWin answers, so that neither waits for the other.
    reader = threading.Thread(target=lambda: chunks.extend(iter(lambda: os.read(read_end, 1 << 20), b"")))
    reader.start()
    pipe = dbus.types.UnixFd(write_end)
    os.close(write_end)
    options = {"include-cursor": False, "native-resolution": True}
    info = screenshot.CaptureWorkspace(options, pipe, dbus_interface="org.kde.KWin.ScreenShot2")
    os.close(pipe.take())
    reader.join()
    width, height, stride = int(info["width"]), int(info["height"]), int(info["stride"])
    # QImage's 32-bit formats (RGB32, ARGB32, premultiplied ARGB32): B, G, R, A in memory.
    if int(info["format"]) not in (4, 5, 6):
        raise WaylandError("KWin sent a picture in QImage format %d" % info["format"])
    # Opaque: the alpha of a screen's pixels means nothing.
    subprocess.run(["convert", "-size", "%dx%d" % (stride // 4, height), "-depth", "8", "bgra:-", "-crop",
                    "%dx%d+0+0" % (width, height), "-alpha", "off", path], input=b"".join(chunks), check=True)


def gnome_screenshot(path):
    import dbus

    # The shell takes the request only from the screenshot tools it knows by their bus names.
    bus = dbus.SessionBus()
    bus.request_name("org.gnome.Screenshot")
    shell = bus.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
    done, _ = shell.Screenshot(False, False, os.path.abspath(path), dbus_interface="org.gnome.Shell.Screenshot")
    if not done:
        raise WaylandError("the shell took no screenshot")


if __name__ == "__main__":
    try:
        if len(sys.argv) == 6 and sys.argv[1] == "serve":
            serve(*sys.argv[2:])
        elif len(sys.argv) == 3 and sys.argv[1] in ("kwin-screenshot", "gnome-screenshot"):
            globals()[sys.argv[1].replace("-", "_")](sys.argv[2])
        else:
            sys.exit(__doc__)
    except (OSError, WaylandError) as e:
        sys.exit("wltool: %s" % e)
