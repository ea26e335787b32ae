"""A mouse for the Wayland tests: a minimal client of the virtual-pointer protocol of wlroots
compositors (zwlr_virtual_pointer_v1), speaking Wayland's wire format on the compositor's
socket itself, since Debian packages no tool that clicks on such a compositor."""

import socket
import struct
import time

BTN_LEFT = 0x110
DISPLAY_ID = 1


def wire_string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


class VirtualPointer:
    """A pointer device plugged into the compositor's default seat for as long as it is open."""

    def __init__(self, socket_path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(socket_path)
        self.last_id = DISPLAY_ID
        self.registry = self.new_id()
        self.send(DISPLAY_ID, 1, struct.pack("<I", self.registry))  # wl_display.get_registry
        offered = self.roundtrip()
        interface = "zwlr_virtual_pointer_manager_v1"
        if interface not in offered:
            raise RuntimeError("the compositor offers no virtual pointer")
        self.manager = self.new_id()
        self.send(self.registry, 0, struct.pack("<I", offered[interface]) +  # wl_registry.bind
                  wire_string(interface) + struct.pack("<II", 1, self.manager))
        self.pointer = self.new_id()
        # create_virtual_pointer, on no seat in particular: the compositor's default one.
        self.send(self.manager, 0, struct.pack("<II", 0, self.pointer))
        self.roundtrip()

    def new_id(self):
        self.last_id += 1
        return self.last_id

    def send(self, target, opcode, payload=b""):
        self.sock.sendall(struct.pack("<II", target, (8 + len(payload)) << 16 | opcode) + payload)

    def receive(self, size):
        data = b""
        while len(data) < size:
            chunk = self.sock.recv(size - len(data))
            if not chunk:
                raise RuntimeError("the compositor closed the connection")
            data += chunk
        return data

    def roundtrip(self):
        """Waits until the compositor has handled every request so far; returns the globals it
        announced meanwhile, by interface name."""
        callback = self.new_id()
        self.send(DISPLAY_ID, 0, struct.pack("<I", callback))  # wl_display.sync
        offered = {}
        while True:
            target, word = struct.unpack("<II", self.receive(8))
            payload = self.receive((word >> 16) - 8)
            opcode = word & 0xFFFF
            if target == callback:
                return offered
            if target == DISPLAY_ID and opcode == 0:
                raise RuntimeError("protocol error: %r" % payload)
            if target == self.registry and opcode == 0:  # wl_registry.global
                name, length = struct.unpack_from("<II", payload)
                offered[payload[8:8 + length - 1].decode()] = name

    def now(self):
        return int(time.monotonic() * 1000) & 0xFFFFFFFF

    def click(self, x, y, width, height):
        """A left click at (x, y) of an output of width x height."""
        self.send(self.pointer, 1, struct.pack("<IIIII", self.now(), x, y, width, height))
        self.send(self.pointer, 4)  # frame
        self.roundtrip()
        time.sleep(0.3)
        for state in (1, 0):
            self.send(self.pointer, 2, struct.pack("<III", self.now(), BTN_LEFT, state))
            self.send(self.pointer, 4)
            self.roundtrip()
            time.sleep(0.1)

    def close(self):
        self.send(self.pointer, 8)  # destroy
        self.send(self.manager, 1)  # destroy
        self.roundtrip()
        self.sock.close()
