"""Reads what a window tells the window manager (its class and its icon) straight from the
X server with Xlib through ctypes, and decodes the icon PNGs to compare them."""

import ctypes
import struct
import zlib

_ANY_PROPERTY_TYPE = 0


def _xlib():
    xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XGetWindowProperty.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
        ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    return xlib


def _property(display_name, window, name):
    """Returns (format, items) of a window property: bytes for format 8, a list of integers
    for format 32 (Xlib hands those out as C longs), or None when it is not set."""
    xlib = _xlib()
    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError(f"cannot open the X display {display_name}")
    try:
        atom = xlib.XInternAtom(display, name.encode(), 1)
        if atom == 0:
            return None
        actual_type = ctypes.c_ulong()
        actual_format = ctypes.c_int()
        count = ctypes.c_ulong()
        after = ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = xlib.XGetWindowProperty(display, window, atom, 0, 1 << 24, 0,
                                         _ANY_PROPERTY_TYPE, ctypes.byref(actual_type),
                                         ctypes.byref(actual_format), ctypes.byref(count),
                                         ctypes.byref(after), ctypes.byref(data))
        if status != 0 or actual_type.value == 0 or not data.value:
            return None
        try:
            if actual_format.value == 8:
                return ctypes.string_at(data.value, count.value)
            if actual_format.value == 32:
                array = ctypes.cast(data.value, ctypes.POINTER(ctypes.c_ulong))
                return [array[i] & 0xFFFFFFFF for i in range(count.value)]
            raise RuntimeError(f"{name} has the unexpected format {actual_format.value}")
        finally:
            xlib.XFree(data)
    finally:
        xlib.XCloseDisplay(display)


def add_keys_for(display_name, characters):
    """Binds every character that the keyboard map lacks to a spare key code, once, before
    the program starts. Left to itself, xdotool rebinds a spare key for each such character
    while typing and takes it back at once, which races with the program reading the map."""
    xlib = _xlib()
    xlib.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                      ctypes.POINTER(ctypes.c_int)]
    xlib.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    xlib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                         ctypes.POINTER(ctypes.c_int)]
    xlib.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                            ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError(f"cannot open the X display {display_name}")
    try:
        low, high = ctypes.c_int(), ctypes.c_int()
        xlib.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
        count = high.value - low.value + 1
        per = ctypes.c_int()
        table = xlib.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per))
        mapped = set()
        spare = []
        for index in range(count):
            row = [table[index * per.value + level] for level in range(per.value)]
            mapped.update(row)
            if not any(row):
                spare.append(low.value + index)
        xlib.XFree(table)
        # Latin-1 characters have key symbols equal to their code; the rest use 0x01000000.
        wanted = []
        for character in dict.fromkeys(characters):
            code = ord(character)
            keysym = code if 0x20 <= code <= 0xFF else 0x01000000 + code
            if keysym not in mapped:
                wanted.append(keysym)
        if len(wanted) > len(spare):
            raise RuntimeError("not enough spare key codes for the characters to type")
        for keycode, keysym in zip(reversed(spare), wanted):
            # The same symbol with and without Shift, so no modifier is ever needed.
            symbols = (ctypes.c_ulong * 2)(keysym, keysym)
            xlib.XChangeKeyboardMapping(display, keycode, 2, symbols, 1)
        xlib.XSync(display, 0)
    finally:
        xlib.XCloseDisplay(display)


def wm_class(display_name, window):
    """(instance, class) of the window, as launchers match it with StartupWMClass."""
    raw = _property(display_name, window, "WM_CLASS")
    if raw is None:
        return None
    parts = raw.split(b"\0")
    return parts[0].decode(), parts[1].decode()


def icons(display_name, window):
    """The window's _NET_WM_ICON pictures: {(width, height): [ARGB integers]}."""
    values = _property(display_name, window, "_NET_WM_ICON") or []
    pictures = {}
    at = 0
    while at + 2 <= len(values):
        width, height = values[at], values[at + 1]
        pixels = values[at + 2:at + 2 + width * height]
        pictures[(width, height)] = pixels
        at += 2 + width * height
    return pictures


def read_png_rgba(path):
    """Decodes an 8-bit RGBA, non-interlaced PNG into (width, height, [ARGB integers])."""
    with open(path, "rb") as handle:
        data = handle.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path} is not a PNG file")
    at = 8
    compressed = b""
    width = height = None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 6, 0):
                raise ValueError(f"{path} is not 8-bit RGBA without interlacing")
        elif kind == b"IDAT":
            compressed += body
        at += 12 + length
    raw = zlib.decompress(compressed)
    stride = width * 4
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        line = bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            left = line[x - 4] if x >= 4 else 0
            up = previous[x]
            corner = previous[x - 4] if x >= 4 else 0
            if kind == 1:
                line[x] = (line[x] + left) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + up) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                estimate = left + up - corner
                distances = (abs(estimate - left), abs(estimate - up), abs(estimate - corner))
                best = (left, up, corner)[distances.index(min(distances))]
                line[x] = (line[x] + best) & 0xFF
        rows.append(line)
        previous = line
    pixels = []
    for line in rows:
        for x in range(width):
            r, g, b, a = line[4 * x:4 * x + 4]
            pixels.append((a << 24) | (r << 16) | (g << 8) | b)
    return width, height, pixels


def same_picture(first, second, tolerance=3):
    """Compares two ARGB pictures channel by channel; colour only where it is opaque, since
    the colour of a transparent pixel means nothing."""
    if len(first) != len(second):
        return False
    for a, b in zip(first, second):
        alpha_a, alpha_b = a >> 24, b >> 24
        if abs(alpha_a - alpha_b) > tolerance:
            return False
        if alpha_a == 255:
            for shift in (16, 8, 0):
                if abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)) > tolerance:
                    return False
    return True
