/* The virtual HID bus: an in-process stand-in for the system's HID devices, for tests and the
 * demo mode. Select it with vhid_virtual_use() before vhid_init(); the platform backend stays the
 * default. Interfaces plugged here are what the layer enumerates, opens, reads and writes. */
#ifndef VHID_VIRTUAL_H
#define VHID_VIRTUAL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vhid_virtual_iface
{
    uint16_t vendor_id;
    uint16_t product_id;
    uint16_t usage_page;
    int32_t input_report_len;  /* report id byte included; 0: no input report */
    int32_t output_report_len; /* report id byte included; 0: no output report */
} vhid_virtual_iface;

/* Receives every output report the host writes to an interface, on the writer's thread, before
 * vhid_write returns. `data` is valid only during the call. */
typedef void (*vhid_virtual_output_fn)(void* user, int32_t iface, const uint8_t* data,
                                       int32_t length);

/* Faults, each until cleared; per interface (iface >= 0) or for the bus (-1), where the marked
 * ones apply to every interface, also those plugged later. */
typedef enum vhid_virtual_fault {
    VHID_VIRTUAL_FAULT_NONE = 0,
    VHID_VIRTUAL_FAULT_LIST = 1 << 0,        /* bus: the interface list cannot be made */
    VHID_VIRTUAL_FAULT_OPEN = 1 << 1,        /* every open fails with an input/output error; bus */
    VHID_VIRTUAL_FAULT_WRITE = 1 << 2,       /* writes fail (0 bytes written) */
    VHID_VIRTUAL_FAULT_SHORT_WRITE = 1 << 3, /* writes accept one byte less than asked */
    VHID_VIRTUAL_FAULT_ZERO_READ = 1 << 4,   /* the next read returns 0 bytes (clears itself) */
    VHID_VIRTUAL_FAULT_PROBE = 1 << 5,       /* held exclusively by the system: not enumerated */
    VHID_VIRTUAL_FAULT_ZERO_AT_END = 1 << 6, /* once unplugged, reads give 0 bytes, as at the end
                                                of a file, instead of failing */
    VHID_VIRTUAL_FAULT_DENIED = 1 << 7,      /* every open is refused: no permission; bus */
    VHID_VIRTUAL_FAULT_DISCONNECTED = 1 << 8 /* its Bluetooth device is disconnected while the
                                                interface stays listed; bus */
} vhid_virtual_fault;

/* Makes the layer use the virtual bus. Call before vhid_init. */
void vhid_virtual_use(void);

/* Plugs an interface and sends an arrival message. Returns its id (>= 0), or -1. */
int32_t vhid_virtual_plug(const vhid_virtual_iface* iface, vhid_virtual_output_fn on_output,
                          void* user);

/* Unplugs an interface: its open handles fail their reads and writes, and a removal message is
 * sent. Unknown ids are ignored. */
void vhid_virtual_unplug(int32_t iface);

/* Unplugs every interface and clears faults and delays. */
void vhid_virtual_reset(void);

/* Sends an arrival message without plugging anything (an unrelated device arriving). */
void vhid_virtual_notify_arrival(void);

/* Sends an input report from an interface to every open read handle of it. Returns 0, or -1 for
 * an unknown or unplugged interface, a length outside 1 .. the input report length, or when a
 * handle's queue of 64 reports was full and the report was dropped there (as hidraw drops it).
 * The report is queued with the length it was sent with; readers take it in order. */
int32_t vhid_virtual_send_input(int32_t iface, const uint8_t* data, int32_t length);

/* Sets or clears faults (a vhid_virtual_fault bit set) of an interface, or of the bus with -1.
 * Sends no message: an arrival (vhid_virtual_notify_arrival, vhid_rescan) makes the layer look. */
void vhid_virtual_set_faults(int32_t iface, uint32_t faults);

/* Delay added to every read (after a report is taken) and every write (before the device gets
 * the report; a cancel or an unplug ends it and fails the write), in microseconds. */
void vhid_virtual_set_delays(uint32_t read_us, uint32_t write_us);

/* Number of handles open on the virtual bus now (leak checks in tests). */
int32_t vhid_virtual_open_handles(void);

/* Waits until the layer has handled every arrival and removal message sent so far, with their
 * checks and callbacks. Returns at once on the notification thread or when nothing listens. */
void vhid_virtual_settle(void);

/* Access and share flags of one open handle, with the Windows values: access read 0x80000000,
 * write 0x40000000; share read 1, write 2. */
typedef struct vhid_virtual_open_mode
{
    uint32_t access;
    uint32_t share;
} vhid_virtual_open_mode;

/* Copies the modes of up to `max` handles open on an interface now; returns how many are open. */
int32_t vhid_virtual_open_modes(int32_t iface, vhid_virtual_open_mode* modes, int32_t max);

#ifdef __cplusplus
}
#endif

#endif
