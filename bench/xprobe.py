"""Input and screen reads for the timing scripts, straight through Xlib and XTest, so that
neither a key nor a pixel read costs a process start. Needs an X display in $DISPLAY."""

import ctypes

x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                      ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]

display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)


def pixel(x, y):
    image = x11.XGetImage(display, root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
    value = x11.XGetPixel(image, 0, 0)
    x11.XDestroyImage(image)
    return (value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF)


def keycode(name):
    return x11.XKeysymToKeycode(display, x11.XStringToKeysym(name.encode()))


def ctrl_key(letter):
    """Ctrl and a letter, pressed and released."""
    ctrl, key = keycode("Control_L"), keycode(letter)
    for code, down in ((ctrl, 1), (key, 1), (key, 0), (ctrl, 0)):
        xtst.XTestFakeKeyEvent(display, code, down, 0)
    x11.XFlush(display)


def click(x, y):
    xtst.XTestFakeMotionEvent(display, 0, x, y, 0)
    xtst.XTestFakeButtonEvent(display, 1, 1, 0)
    xtst.XTestFakeButtonEvent(display, 1, 0, 0)
    x11.XFlush(display)
