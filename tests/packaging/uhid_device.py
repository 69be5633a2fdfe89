#!/usr/bin/python3
"""Plugs a HID device into the kernel through /dev/uhid and keeps it there until SIGTERM or
SIGINT: a vendor-defined collection (usage page 0xFF00) with a 9-byte input report (ID 4) and a
9-byte output report (ID 5), the shape of the Velquin Plus's configuration interface.

    uhid_device.py --bus 0005 --vendor 08E6 --product 0001 [--uniq ADDRESS] [--phys TEXT]
"""
import argparse
import os
import signal
import struct
import sys

UHID_DESTROY = 1
UHID_CREATE2 = 11
DESCRIPTOR = bytes([
    0x06, 0x00, 0xFF,  # usage page 0xFF00
    0x09, 0x01,        # usage 1
    0xA1, 0x01,        # collection (application)
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x08,  # 8 bytes of 0..255
    0x85, 0x04, 0x09, 0x02, 0x81, 0x02,  # report 4: input
    0x85, 0x05, 0x09, 0x03, 0x91, 0x02,  # report 5: output
    0xC0,
])


class Unplug(Exception):
    pass


def unplug(*_):
    raise Unplug()  # a handler that returns would let the blocked read go on


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bus", required=True)
    parser.add_argument("--vendor", required=True)
    parser.add_argument("--product", required=True)
    parser.add_argument("--uniq", default="")
    parser.add_argument("--phys", default="uhid_device.py")
    args = parser.parse_args()

    fd = os.open("/dev/uhid", os.O_RDWR | os.O_CLOEXEC)
    create = struct.pack("<I128s64s64sHHIIII4096s", UHID_CREATE2, b"Test device",
                         args.phys.encode(), args.uniq.encode(), len(DESCRIPTOR),
                         int(args.bus, 16), int(args.vendor, 16), int(args.product, 16), 0, 0,
                         DESCRIPTOR)
    os.write(fd, create)
    for sig in (signal.SIGTERM, signal.SIGINT):
        signal.signal(sig, unplug)
    print("plugged", flush=True)
    try:
        while True:
            os.read(fd, 4380)  # the kernel's start/open/close events: nothing to answer
    except Unplug:
        pass
    os.write(fd, struct.pack("<I", UHID_DESTROY) + bytes(4376))
    os.close(fd)
    return 0


if __name__ == "__main__":
    sys.exit(main())
