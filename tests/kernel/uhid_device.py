#!/usr/bin/python3
"""Plugs a HID device into the kernel through /dev/uhid until SIGTERM or SIGINT: a vendor-defined
collection (usage page 0xFF00) with a 9-byte input report (ID 4) and a 9-byte output report (ID 5),
the shape of the Velquin Plus's configuration interface, under any bus and identity.

    uhid_device.py --bus 0005 --vendor 08E6 --product 0001 [--uniq ADDRESS] [--phys TEXT]
"""
import argparse
import os
import signal
import struct

DESCRIPTOR = bytes([0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,  # usage page 0xFF00, application
                    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x08,  # 8 bytes of 0..255
                    0x85, 0x04, 0x09, 0x02, 0x81, 0x02,  # report 4: input
                    0x85, 0x05, 0x09, 0x03, 0x91, 0x02, 0xC0])  # report 5: output

parser = argparse.ArgumentParser()
for option in ("--bus", "--vendor", "--product"):
    parser.add_argument(option, required=True, type=lambda text: int(text, 16))
parser.add_argument("--uniq", default="")
parser.add_argument("--phys", default="uhid_device.py")
args = parser.parse_args()

fd = os.open("/dev/uhid", os.O_RDWR | os.O_CLOEXEC)
os.write(fd, struct.pack("<I128s64s64sHHIIII4096s", 11, b"Test device", args.phys.encode(),  # CREATE2
                         args.uniq.encode(), len(DESCRIPTOR), args.bus, args.vendor, args.product,
                         0, 0, DESCRIPTOR))


def unplug(*_):
    raise KeyboardInterrupt  # a handler that returns would let the blocked read go on


signal.signal(signal.SIGTERM, unplug)
print("plugged", flush=True)
try:
    while True:
        os.read(fd, 4380)  # the kernel's start, open and close events: nothing to answer
except KeyboardInterrupt:
    os.write(fd, struct.pack("<I", 1) + bytes(4376))  # DESTROY
